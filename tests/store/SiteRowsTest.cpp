// The one-row site tables of both sides: System (zones) and Settings (cook).
#include "StoreFixture.h"
#include "store/CookSettingsStore.h"
#include "store/SystemStore.h"

#include <gtest/gtest.h>

using namespace kelvara;
using store::DatabaseKind;

namespace {

class SiteRowsTest : public test::StoreFixture {};

} // namespace

TEST_F(SiteRowsTest, AnEmptySettingsTableGetsOneRowOfSpacesAndZeros) {
    auto db = create(DatabaseKind::Thermo);
    store::CookSettingsStore settings(*db);
    ASSERT_EQ(scalar(*db, "SELECT count(*) FROM \"Settings\"").toInt(), 0);

    ASSERT_TRUE(settings.ensureRow().ok());
    ASSERT_TRUE(settings.ensureRow().ok());

    ASSERT_EQ(scalar(*db, "SELECT count(*) FROM \"Settings\"").toInt(), 1);
    for (const QString& column : rows(*db, "SELECT name, type FROM pragma_table_info('Settings')")) {
        const QString name = column.section(u'|', 0, 0);
        const QVariant value = scalar(*db, "SELECT \"" + name + "\" FROM \"Settings\"");
        EXPECT_EQ(value, column.endsWith("|TEXT") ? QVariant(" ") : QVariant(0)) << column.toStdString();
    }
    const auto row = settings.load();
    ASSERT_TRUE(row);
    EXPECT_EQ(row->Password, QStringLiteral(" "));
    EXPECT_EQ(row->houses, 0);
}

TEST_F(SiteRowsTest, AnExistingSettingsRowIsLeftAsItIs) {
    auto db = create(DatabaseKind::Thermo);
    store::CookSettingsStore settings(*db);
    store::CookSettingsRow site;
    site.company.BusinessName = QStringLiteral("Harbour Kitchen");
    site.houses = 4;
    ASSERT_TRUE(settings.insert(site).ok());

    ASSERT_TRUE(settings.ensureRow().ok());

    const auto rows = settings.loadAll();
    ASSERT_TRUE(rows.ok());
    ASSERT_EQ(rows->size(), 1U);
    EXPECT_EQ(rows->front().company.BusinessName, QStringLiteral("Harbour Kitchen"));
    EXPECT_FALSE(rows->front().Password);
    EXPECT_EQ(rows->front().houses, 4);
}

TEST_F(SiteRowsTest, RecordTimesComeBackAsStoredAndNullAsNone) {
    auto db = create(DatabaseKind::Kvr);
    store::SystemStore system(*db);
    ASSERT_TRUE(system.saveLastRecord(QDate(2024, 2, 29), QTime(23, 45)).ok());

    auto row = system.load();
    ASSERT_TRUE(row);
    EXPECT_EQ(row->LastDate, QDate(2024, 2, 29));
    EXPECT_EQ(row->LastTime, QTime(23, 45));
    EXPECT_FALSE(row->HotLastDate);
    EXPECT_FALSE(row->HotLastTime);
    // Stored in the sortable text forms that range queries compare.
    EXPECT_EQ(
        scalar(*db, QStringLiteral("SELECT \"LastDate\" || ' ' || \"LastTime\" FROM \"System\"")).toString(),
        QStringLiteral("2024-02-29 23:45:00"));

    row->Password.reset();
    ASSERT_TRUE(system.update(*row).ok());
    EXPECT_TRUE(scalar(*db, QStringLiteral("SELECT \"Password\" FROM \"System\"")).isNull());
    EXPECT_FALSE(system.load()->Password);
}

TEST_F(SiteRowsTest, BatchNumbersCountOnFromNull) {
    auto db = create(DatabaseKind::Kvr);
    store::SystemStore system(*db);
    auto row = system.load();
    ASSERT_TRUE(row);
    row->BatchNo.reset();
    ASSERT_TRUE(system.update(*row).ok());

    const auto first = system.takeNextBatchNo();
    const auto second = system.takeNextBatchNo();
    ASSERT_TRUE(first.ok() && second.ok());
    EXPECT_EQ(*first, 1);
    EXPECT_EQ(*second, 2);
    EXPECT_EQ(system.load()->BatchNo, 2);
}

TEST_F(SiteRowsTest, SystemGetsItsRowBackOnceWhenEmpty) {
    auto db = create(DatabaseKind::Kvr);
    store::SystemStore system(*db);
    ASSERT_TRUE(system.remove(system.load()->id).ok());
    EXPECT_FALSE(system.load());
    EXPECT_FALSE(system.saveRooms(3).ok());

    ASSERT_TRUE(system.ensureRow().ok());
    ASSERT_TRUE(system.ensureRow().ok());
    const auto rows = system.loadAll();
    ASSERT_TRUE(rows.ok());
    EXPECT_EQ(rows->size(), 1U);
    EXPECT_FALSE(rows->front().LastDate);
}
