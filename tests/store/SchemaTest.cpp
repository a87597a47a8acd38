// Every table and column of the working databases, spelled letter for letter as the program reads them.
#include "StoreFixture.h"

#include <QSqlQuery>
#include <QStringList>
#include <gtest/gtest.h>

using namespace kelvara;
using store::DatabaseKind;

namespace {

struct TableCase {
    DatabaseKind kind;
    const char* table;
    QStringList columns;
};

QStringList monitorColumns() {
    QStringList columns{"RecDate", "RecTime", "temp1", "temp2"};
    for (int room = 3; room <= 20; ++room)
        columns << QStringLiteral("Temp%1").arg(room);
    return columns << "Alarm"
                   << "TempType";
}

const QStringList kMonitorSets{"Room",          "Name",         "SerialNo",    "Calibration",  "Record",
                               "CurrentTemp",   "TimeRead",     "Alarm",       "HighAlarm",    "LowAlarm",
                               "AlarmDelay",    "Alarmstarted", "AlarmOn",     "DisableAlarm", "Duration",
                               "ALarmSerialNo", "AlarmLedNo",   "ALarmPanelID"};
const QStringList kAlarms{"Room", "Date", "Time", "Temp", "AlarmTemp", "AlarmType", "TempType"};

const std::vector<TableCase> kTables{
    {DatabaseKind::Kvr,
     "System",
     {"LastDate", "LastTime", "HotLastDate", "HotLastTime", "BusinessName", "Address", "Town", "Prov",
      "PostalCode", "WorkPhone", "FaxNumber", "Mode", "Rooms", "Password", "BatchNo"}},
    {DatabaseKind::Kvr, "MonitorSets", kMonitorSets},
    {DatabaseKind::Kvr, "Monitor", monitorColumns()},
    {DatabaseKind::Kvr, "Alarms", kAlarms},
    {DatabaseKind::Kvr, "AlarmPanel", {"AlarmLedNo", "ALarmSerialNo", "ALarmPanelID"}},
    {DatabaseKind::Kvr,
     "CallAlarm",
     {"CallID",    "Notify",      "Active",   "Repeat",   "Retry",    "LastCall", "Actual", "Rooms",
      "Recipient", "RecipientNo", "AccessNo", "Message",  "Device",   "Speed",    "Parity", "Password",
      "Protocol",  "SendType",    "SenderNo", "Provider", "DataBits", "StopBits"}},
    {DatabaseKind::Kvr,
     "Provider",
     {"Provider", "AccessNo", "Device", "Speed", "DataBits", "Parity", "StopBits", "Password", "Protocol"}},
    {DatabaseKind::Thermo,
     "Settings",
     {"BusinessName", "Address", "Town", "Prov", "PostalCode", "WorkPhone", "FaxNumber", "Password",
      "houses"}},
    {DatabaseKind::Thermo,
     "ThermoSensors",
     {"SensorNo",    "Name",      "SerialNo", "LightSerialNo", "SensorType", "Alarm",   "Selected",
      "Started",     "Cookdone",  "Target",   "FinishTemp",    "BatchNo",    "BatchID", "ProductID",
      "Description", "StartTime", "EndTime",  "CookHours",     "CookMins",   "LightNo", "LightPanelID"}},
    {DatabaseKind::Thermo, "Products", {"ProductID", "Description", "CookHours", "CookMins", "DesiredTemp"}},
    {DatabaseKind::Thermo, "LightPanel", {"LightNo", "LightSerialNo", "LightPanelID"}},
    {DatabaseKind::Thermo,
     "Batchs",
     {"BatchNo", "BatchID", "SensorNo", "ProductID", "Date", "StartTime", "EndTime", "Target", "FinishTemp",
      "CookHours", "CookMins", "TempType"}},
    {DatabaseKind::Thermo, "CookCycles", {"BatchNo", "Date", "Time", "Temperature", "DayTime"}},
    {DatabaseKind::Archive, "Monitor", monitorColumns()},
    {DatabaseKind::Archive, "Alarms", kAlarms},
    {DatabaseKind::Archive, "MonitorSets", kMonitorSets},
};

QStringList storedColumns(const store::Database& db, const QString& table) {
    QSqlQuery query(db.connection());
    QStringList names;
    if (query.exec(QStringLiteral("PRAGMA table_info(\"%1\")").arg(table)))
        while (query.next())
            names << query.value(1).toString();
    return names;
}

QStringList storedTables(const store::Database& db) {
    QSqlQuery query(db.connection());
    QStringList names;
    if (query.exec(QStringLiteral(
            "SELECT name FROM sqlite_master WHERE type = 'table' AND name NOT LIKE 'sqlite_%'")))
        while (query.next())
            names << query.value(0).toString();
    names.sort();
    return names;
}

class SchemaTest : public test::StoreFixture, public ::testing::WithParamInterface<DatabaseKind> {};

} // namespace

TEST_P(SchemaTest, TablesAndColumnsAreSpelledExactly) {
    auto db = create(GetParam());
    QStringList expectedTables;
    for (const TableCase& c : kTables) {
        if (c.kind != GetParam())
            continue;
        expectedTables << QString::fromLatin1(c.table);
        // Compared with case: the engine would accept "AlarmSerialNo" for "ALarmSerialNo", a reader of the
        // file's schema would not.
        QStringList expected = c.columns;
        QStringList stored = storedColumns(*db, QString::fromLatin1(c.table));
        expected.sort();
        stored.sort();
        EXPECT_EQ(stored.join(u' ').toStdString(), expected.join(u' ').toStdString()) << c.table;
    }
    expectedTables.sort();
    EXPECT_EQ(storedTables(*db).join(u' ').toStdString(), expectedTables.join(u' ').toStdString());
}

INSTANTIATE_TEST_SUITE_P(WorkingDatabases, SchemaTest,
                         ::testing::Values(DatabaseKind::Kvr, DatabaseKind::Thermo, DatabaseKind::Archive),
                         [](const ::testing::TestParamInfo<DatabaseKind>& info) {
                             return store::databaseFileName(info.param).section(u'.', 0, 0).toStdString();
                         });

class SchemaLayoutTest : public test::StoreFixture {};

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
    auto indexed = [](const store::Database& db, const QString& table) {
        QStringList columns;
        QSqlQuery list(db.connection());
        if (!list.exec(QStringLiteral("PRAGMA index_list(\"%1\")").arg(table)))
            return columns;
        while (list.next()) {
            QSqlQuery info(db.connection());
            QStringList one;
            if (info.exec(QStringLiteral("PRAGMA index_info(\"%1\")").arg(list.value(1).toString())))
                while (info.next())
                    one << info.value(2).toString();
            columns << one.join(QLatin1Char(','));
        }
        return columns;
    };
    EXPECT_TRUE(indexed(*kvr, QStringLiteral("Monitor")).contains(QStringLiteral("RecDate,RecTime")));
    EXPECT_TRUE(indexed(*kvr, QStringLiteral("Alarms")).contains(QStringLiteral("Date,Time,Room")));
    EXPECT_TRUE(indexed(*thermo, QStringLiteral("CookCycles")).contains(QStringLiteral("BatchNo")));
    EXPECT_TRUE(indexed(*thermo, QStringLiteral("Batchs")).contains(QStringLiteral("BatchNo")));
}
