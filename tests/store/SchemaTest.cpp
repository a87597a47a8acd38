// The layout the readers of the working databases rely on: reading columns in room order, archive tables
// that match the zone tables, and the indexes of the reading orders. (Version 1 of every table is frozen
// text, checked against new files in DatabaseTest.)
#include "StoreFixture.h"

#include <gtest/gtest.h>

using namespace kelvara;
using store::DatabaseKind;

namespace {

QStringList monitorColumns() {
    QStringList columns{"RecDate", "RecTime", "temp1", "temp2"};
    for (int room = 3; room <= 20; ++room)
        columns << QStringLiteral("Temp%1").arg(room);
    return columns;
}

class SchemaLayoutTest : public test::StoreFixture {
protected:
    static QStringList storedColumns(const store::Database& db, const QString& table) {
        return rows(db, QStringLiteral("SELECT name FROM pragma_table_info('%1')").arg(table));
    }
    // The columns of each index of the table, joined by ",".
    static QStringList indexed(const store::Database& db, const QString& table) {
        return rows(db, QStringLiteral("SELECT (SELECT group_concat(name, ',') FROM (SELECT name FROM "
                                       "pragma_index_info(list.name) ORDER BY seqno)) FROM "
                                       "pragma_index_list('%1') AS list")
                            .arg(table));
    }
};

} // namespace

// The chart reads zone i's reading at position i + 2 of a Monitor row.
TEST_F(SchemaLayoutTest, MonitorReadingsFollowTheRecordDateAndTime) {
    auto db = create(DatabaseKind::Kvr);
    EXPECT_EQ(storedColumns(*db, QStringLiteral("Monitor")).mid(0, 22).join(u' ').toStdString(),
              monitorColumns().mid(0, 22).join(u' ').toStdString());
}

// The archive copies whole rows, so its tables must match the zone database's column for column.
TEST_F(SchemaLayoutTest, ArchiveTablesMatchTheZoneTablesInOrder) {
    auto kvr = create(DatabaseKind::Kvr);
    auto archive = create(DatabaseKind::Archive);
    for (const QString& table :
         {QStringLiteral("Monitor"), QStringLiteral("Alarms"), QStringLiteral("MonitorSets")})
        EXPECT_EQ(storedColumns(*archive, table).join(u' ').toStdString(),
                  storedColumns(*kvr, table).join(u' ').toStdString());
}

TEST_F(SchemaLayoutTest, TheReadingOrdersHaveIndexes) {
    auto kvr = create(DatabaseKind::Kvr);
    auto thermo = create(DatabaseKind::Thermo);
    EXPECT_TRUE(indexed(*kvr, QStringLiteral("Monitor")).contains(QStringLiteral("RecDate,RecTime")));
    EXPECT_TRUE(indexed(*kvr, QStringLiteral("Alarms")).contains(QStringLiteral("Date,Time,Room")));
    EXPECT_TRUE(indexed(*thermo, QStringLiteral("CookCycles")).contains(QStringLiteral("BatchNo")));
    EXPECT_TRUE(indexed(*thermo, QStringLiteral("Batchs")).contains(QStringLiteral("BatchNo")));
}
