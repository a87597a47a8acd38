// What the stores write is what they read back, and what lands in the file is in the agreed forms.
#include "StoreFixture.h"
#include "store/BatchsStore.h"
#include "store/MonitorSetsStore.h"
#include "store/MonitorStore.h"
#include "store/ProductsStore.h"
#include "store/ProviderStore.h"

#include <gtest/gtest.h>
#include <tuple>

using namespace kelvara;
using namespace kelvara::store;

namespace {

class RoundTripTest : public test::StoreFixture {};

auto everyColumn(const MonitorSetsRow& r) {
    return std::tie(r.id, r.Room, r.Name, r.SerialNo, r.Calibration, r.Record, r.CurrentTemp, r.TimeRead,
                    r.Alarm, r.HighAlarm, r.LowAlarm, r.AlarmDelay, r.Alarmstarted, r.AlarmOn, r.DisableAlarm,
                    r.Duration, r.ALarmSerialNo, r.AlarmLedNo, r.ALarmPanelID);
}

// Texts that would break a statement if they were ever pasted into it.
const QStringList kAwkwardTexts{QStringLiteral("O'Brien's \"walk-in\""),
                                QStringLiteral("x'; DROP TABLE \"MonitorSets\"; --"),
                                QStringLiteral("Room ?; ?2 :name @v $w"), QStringLiteral("Kühlraum – Süd ❄")};

} // namespace

TEST_F(RoundTripTest, AwkwardTextsAreStoredAndFoundAsTheyAre) {
    auto db = create(DatabaseKind::Kvr);
    MonitorSetsStore zones(*db);
    ProviderStore providers(*db);
    for (const QString& text : kAwkwardTexts) {
        MonitorSetsRow zone;
        zone.Name = text;
        zone.SerialNo = text;
        ASSERT_TRUE(zones.insert(zone).ok());
        ProviderRow provider;
        provider.Provider = text;
        ASSERT_TRUE(providers.insert(provider).ok());
    }
    for (const QString& text : kAwkwardTexts) {
        const auto zone = zones.findBySerialNo(text);
        ASSERT_TRUE(zone.ok()) << zone.error().toStdString();
        ASSERT_TRUE(zone->has_value()) << text.toStdString();
        EXPECT_EQ((*zone)->Name, text);
        const auto provider = providers.findByName(text);
        ASSERT_TRUE(provider.ok() && provider->has_value()) << text.toStdString();
    }
    EXPECT_EQ(zones.count(), kAwkwardTexts.size());
}

TEST_F(RoundTripTest, AZoneRowSurvivesUpdateAndGoesOnRemove) {
    auto db = create(DatabaseKind::Kvr);
    MonitorSetsStore zones(*db);
    MonitorSetsRow zone;
    zone.Room = 4;
    zone.Name = QStringLiteral("Dairy");
    zone.SerialNo = QStringLiteral("8D0000012A3B4C28");
    ASSERT_TRUE(zones.insert(zone).ok());
    MonitorSetsRow other;
    other.Room = 5;
    ASSERT_TRUE(zones.insert(other).ok());

    auto stored = zones.findByRoom(4);
    ASSERT_TRUE(stored.ok() && stored->has_value());
    MonitorSetsRow row = **stored;
    row.Calibration = -2.5;
    row.Record = true;
    row.CurrentTemp = QStringLiteral("36");
    row.TimeRead = QTime(10, 0, 40);
    row.Alarm = true;
    row.HighAlarm = 40;
    row.LowAlarm = 32.5;
    row.AlarmDelay = 15;
    row.Alarmstarted = true;
    row.AlarmOn = QTime(0, 0);
    row.DisableAlarm = true;
    row.Duration = 2;
    row.ALarmSerialNo = QStringLiteral("5A0000000B1C2D05");
    row.AlarmLedNo = 4;
    row.ALarmPanelID = 0;
    ASSERT_TRUE(zones.update(row).ok());

    const auto reread = zones.findByAlarmSerialNo(QStringLiteral("5a0000000b1c2d05"));
    ASSERT_TRUE(reread.ok() && reread->has_value());
    EXPECT_TRUE(everyColumn(**reread) == everyColumn(row));
    EXPECT_EQ(
        scalar(*db, QStringLiteral("SELECT \"Record\" || '|' || \"TimeRead\" FROM \"MonitorSets\" WHERE "
                                   "\"Room\" = 4"))
            .toString(),
        QStringLiteral("1|10:00:40"));

    ASSERT_TRUE(zones.remove(row.id).ok());
    EXPECT_EQ(zones.count(), 1);
    EXPECT_FALSE(zones.findByRoom(4)->has_value());
}

TEST_F(RoundTripTest, AReadingStoresTheReadingAndAlarmStateAndLeavesTheSettings) {
    auto db = create(DatabaseKind::Kvr);
    MonitorSetsStore zones(*db);
    MonitorSetsRow zone;
    zone.Room = 2;
    zone.Name = QStringLiteral("Freezer");
    zone.HighAlarm = -15;
    zone.AlarmDelay = 10;
    const auto id = zones.insert(zone);
    ASSERT_TRUE(id.ok());

    MonitorSetsRow pass = zone; // the pass's copy, loaded before the settings below were edited
    pass.id = id.value();
    MonitorSetsRow edited = pass;
    edited.Name = QStringLiteral("Freezer 2");
    edited.HighAlarm = -12;
    ASSERT_TRUE(zones.update(edited).ok());

    pass.CurrentTemp = QStringLiteral("-11");
    pass.TimeRead = QTime(9, 30, 5);
    pass.Alarmstarted = true;
    pass.AlarmOn = QTime(9, 30, 5);
    pass.DisableAlarm = true;
    pass.Duration = 3;
    ASSERT_TRUE(zones.updateReading(pass).ok());

    MonitorSetsRow expected = pass; // the reading and the alarm state of the pass, the settings as edited
    expected.Name = edited.Name;
    expected.HighAlarm = edited.HighAlarm;
    const auto back = zones.findByRoom(2);
    ASSERT_TRUE(back.ok() && back->has_value());
    EXPECT_TRUE(everyColumn(**back) == everyColumn(expected));
}

TEST_F(RoundTripTest, ReadingsLandInTheirZonesColumnsAndUnrecordedZonesStayNull) {
    auto db = create(DatabaseKind::Kvr);
    MonitorStore monitor(*db);
    MonitorRow row;
    row.RecDate = QDate(2024, 3, 5);
    row.RecTime = QTime(10, 15);
    row.TempType = QStringLiteral("F");
    row.setTemp(1, QStringLiteral("70"));
    row.setTemp(3, QStringLiteral("NR"));
    row.setTemp(20, QStringLiteral("-4"));
    row.setTemp(21, QStringLiteral("ignored"));
    ASSERT_TRUE(monitor.insert(row).ok());

    const QVariant stored = scalar(
        *db, QStringLiteral("SELECT \"temp1\" || '|' || ifnull(\"temp2\", 'null') || '|' || \"Temp3\" || '|' "
                            "|| \"Temp20\" || '|' || \"RecDate\" || ' ' || \"RecTime\" FROM \"Monitor\""));
    EXPECT_EQ(stored.toString(), QStringLiteral("70|null|NR|-4|2024-03-05 10:15:00"));

    const auto rows = monitor.loadAll();
    ASSERT_TRUE(rows.ok());
    ASSERT_EQ(rows->size(), 1U);
    EXPECT_EQ(rows->front().temp(1), QStringLiteral("70"));
    EXPECT_FALSE(rows->front().temp(2));
    EXPECT_EQ(rows->front().temp(3), QStringLiteral("NR"));
}

TEST_F(RoundTripTest, DateRangesIncludeBothEnds) {
    auto db = create(DatabaseKind::Kvr);
    MonitorStore monitor(*db);
    for (int day = 1; day <= 5; ++day) {
        MonitorRow row;
        row.RecDate = QDate(2024, 1, day);
        row.RecTime = QTime(23, 59);
        ASSERT_TRUE(monitor.insert(row).ok());
    }
    const auto middle = monitor.loadBetween(QDate(2024, 1, 2), QDate(2024, 1, 4));
    ASSERT_TRUE(middle.ok());
    ASSERT_EQ(middle->size(), 3U);
    EXPECT_EQ(middle->front().RecDate, QDate(2024, 1, 2));

    ASSERT_TRUE(monitor.removeUpTo(QDate(2024, 1, 3)).ok());
    const auto left = monitor.loadAll();
    ASSERT_TRUE(left.ok());
    ASSERT_EQ(left->size(), 2U);
    EXPECT_EQ(left->front().RecDate, QDate(2024, 1, 4));
}

TEST_F(RoundTripTest, ProductKeysAreNeverHandedOutTwice) {
    auto db = create(DatabaseKind::Thermo);
    ProductsStore products(*db);
    ProductsRow product;
    product.Description = QStringLiteral("Ham");
    const auto ham = products.insert(product);
    product.Description = QStringLiteral("Chili");
    const auto chili = products.insert(product);
    ASSERT_TRUE(ham.ok() && chili.ok());
    ASSERT_TRUE(products.remove(*chili).ok());
    product.Description = QStringLiteral("Soup");
    const auto soup = products.insert(product);
    ASSERT_TRUE(soup.ok());
    EXPECT_GT(*soup, *chili);
    // A name differing only in letter case is the same product.
    EXPECT_TRUE(products.findByDescription(QStringLiteral("HAM"))->has_value());
}

TEST_F(RoundTripTest, BatchesAreFoundByNumberOrByTheUsersId) {
    auto db = create(DatabaseKind::Thermo);
    BatchsStore batchs(*db);
    BatchsRow batch;
    batch.BatchNo = 41;
    batch.BatchID = QStringLiteral("A-17");
    batch.Date = QDate(2024, 6, 1);
    ASSERT_TRUE(batchs.insert(batch).ok());

    const auto byNo = batchs.findByBatchNo(41);
    ASSERT_TRUE(byNo.ok() && byNo->has_value());
    BatchsRow row = **byNo;
    row.EndTime = QStringLiteral("1:15 am");
    row.FinishTemp = 0;
    ASSERT_TRUE(batchs.update(row).ok());
    EXPECT_EQ((*batchs.findByBatchId(QStringLiteral("a-17")))->EndTime, QStringLiteral("1:15 am"));
    EXPECT_FALSE(batchs.findByBatchId(QStringLiteral("A-18"))->has_value());

    ASSERT_TRUE(batchs.removeUpTo(QDate(2024, 6, 1)).ok());
    EXPECT_FALSE(batchs.findByBatchNo(41)->has_value());
}
