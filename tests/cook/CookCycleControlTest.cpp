// Starting, changing and stopping cook cycles: the refusals, the batch numbers, the rows written. (Cycles
// coming back after a restart, in sensor order and still done, are CookWalk's and HeadlessCookTest's.)
#include "cook/CookCycleControl.h"

#include "cook/CookCycleList.h"
#include "store/BatchsStore.h"
#include "store/ProductsStore.h"
#include "store/SqlTable.h"
#include "store/SystemStore.h"
#include "store/ThermoSensorsStore.h"
#include "support/FakeClock.h"
#include "support/RecordedDialogs.h"
#include "support/SiteBench.h"

#include <gtest/gtest.h>

using namespace kelvara;

namespace {

class CookCycleControlTest : public ::testing::Test, protected test::SiteContext {
protected:
    CookCycleControlTest() : SiteContext(QStringLiteral("KVRThermo")) {
        ctx.settings.TempType = "F";
        clock.set(QDateTime(QDate(2026, 3, 2), QTime(23, 45, 20)));
        for (int n : {1, 2, 10}) {
            const QString two = QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
            EXPECT_TRUE(sensors()
                            .insert({.SensorNo = n,
                                     .Name = QStringLiteral("Oven %1").arg(n),
                                     .SerialNo = "E" + two + "000000000D130",
                                     .LightSerialNo = "61" + two + "000000000C105",
                                     .SensorType = "K",
                                     .Alarm = true})
                            .ok());
        }
        EXPECT_TRUE(
            store::ProductsStore(*ctx.databases.thermo)
                .insert(
                    {.Description = "Chicken O'Brien", .CookHours = 1, .CookMins = 30, .DesiredTemp = 165})
                .ok());
    }

    [[nodiscard]] store::ThermoSensorsStore sensors() const {
        return store::ThermoSensorsStore(*ctx.databases.thermo);
    }
    [[nodiscard]] store::BatchsStore batchs() const { return store::BatchsStore(*ctx.databases.thermo); }
    // A complete entry for a free sensor and the catalogue's product.
    static cook::CycleEntry entry(const QString& sensor = "1 - Oven 1", const QString& batchId = "A-17") {
        return {sensor, "Chicken O'Brien", "1", "30", "165", batchId};
    }

    test::FakeClock clock;
    test::RecordedDialogs dialogs;
    cook::CookCycleList cycles;
    cook::CookCycleControl control{ctx, clock, dialogs, cycles};
};

} // namespace

TEST_F(CookCycleControlTest, StartWritesTheSensorAndItsBatchAndRunsTheCycle) {
    ASSERT_TRUE(control.Start(entry()));
    EXPECT_EQ(dialogs.texts, QStringList{"Ready to start the cook cycle in 1 - Oven 1 for Batch #:1?"});

    const auto sensor = *sensors().findBySensorNo(1).value();
    EXPECT_TRUE(sensor.Started && sensor.Selected);
    EXPECT_EQ(
        QStringList({QString::number(sensor.BatchNo), sensor.BatchID, sensor.Description, sensor.StartTime,
                     sensor.EndTime, QString::number(sensor.Target)}),
        QStringList({"1", "A-17", "Chicken O'Brien", "11:45 pm", "1:15 am", "165"})); // ends past midnight
    const auto batch = *batchs().findByBatchNo(1).value();
    EXPECT_EQ(
        QStringList({QString::number(batch.SensorNo), batch.Date.toString(Qt::ISODate), batch.TempType}),
        QStringList({"1", "2026-03-02", "F"}));
    EXPECT_EQ(store::SystemStore(*ctx.databases.kvr).load()->BatchNo, 1);

    ASSERT_EQ(cycles.size(), 1);
    EXPECT_EQ(cycles.current(), 0);
    EXPECT_EQ(cycles.row(0).CurrentTemp, "NR"); // no reading yet, not 0
    EXPECT_FALSE(cycles.row(0).CookDone);
}

TEST_F(CookCycleControlTest, EveryIncompleteOrWrongEntryIsRefusedWithoutWriting) {
    ASSERT_TRUE(control.Start(entry("2 - Oven 2", "B-1"))); // sensor 2 now runs
    dialogs.texts.clear();
    struct Case {
        cook::CycleEntry entry;
        QString message;
    };
    const auto with = [](auto change) {
        cook::CycleEntry e = entry();
        change(e);
        return e;
    };
    const Case cases[] = {
        {with([](auto& e) { e.sensor = ""; }), cook::CookCycleControl::kNoSensor},
        {with([](auto& e) { e.sensor = "Oven 1"; }), cook::CookCycleControl::kNoSensor},     // no "-"
        {with([](auto& e) { e.sensor = "2 - Oven 2"; }), cook::CookCycleControl::kNoSensor}, // running
        {with([](auto& e) { e.sensor = "7 - Oven 7"; }), cook::CookCycleControl::kNoSensor}, // typed
        {with([](auto& e) { e.product = ""; }), cook::CookCycleControl::kNoProduct},
        {with([](auto& e) { e.product = "Chicken"; }), cook::CookCycleControl::kNoProduct},
        {with([](auto& e) { e.target = ""; }), cook::CookCycleControl::kNoTarget},
        {with([](auto& e) { e.target = "0"; }), cook::CookCycleControl::kNoTarget},
        {with([](auto& e) { e.batchId = "b-1"; }), cook::CookCycleControl::kDuplicateBatchId},
    };
    for (const Case& c : cases) {
        dialogs.texts.clear();
        EXPECT_FALSE(control.Start(c.entry));
        EXPECT_EQ(dialogs.texts.last(), c.message);
    }
    dialogs.answers = {false};
    EXPECT_FALSE(control.Start(entry())); // declined
    EXPECT_EQ(batchs().loadAll()->size(), 1u);
    EXPECT_FALSE(sensors().findBySensorNo(1).value()->Started);
    EXPECT_EQ(cycles.size(), 1);
}

TEST_F(CookCycleControlTest, ABatchNumberIsNeverHandedOutTwice) {
    ASSERT_TRUE(control.Start(entry("1 - Oven 1", "A")));
    ASSERT_TRUE(control.Start(entry("2 - Oven 2", "B")));
    // The settings window set the counter back.
    ASSERT_TRUE(store::SystemStore(*ctx.databases.kvr).saveBatchNo(0).ok());
    EXPECT_EQ(control.nextBatchNo(), 3);
    ASSERT_TRUE(control.Start(entry("10 - Oven 10", "C")));
    EXPECT_EQ(sensors().findBySensorNo(10).value()->BatchNo, 3);
    EXPECT_EQ(batchs().loadAll()->size(), 3u);
}

TEST_F(CookCycleControlTest, StopEndsTheBatchFreesTheSensorAndPutsTheLampOut) {
    ASSERT_TRUE(control.Start(entry("1 - Oven 1", "A")));
    ASSERT_TRUE(control.Start(entry("2 - Oven 2", "B")));
    auto done = cycles.row(0);
    done.CurrentTemp = "170";
    cycles.setRow(0, done);
    cycles.ThermoDone[1] = cycles.ThermoSound[1] = true;
    cycles.LightSerial[1] = done.LightSerialNo;
    cycles.CookDone = true;
    cycles.setCurrent(0);

    clock.set(QDateTime(QDate(2026, 3, 3), QTime(1, 20)));
    EXPECT_FALSE(control.Stop()); // the caution's default answer is No: nothing changes
    EXPECT_EQ(cycles.size(), 2);
    dialogs.answers = {true, true};
    ASSERT_TRUE(control.Stop());
    EXPECT_EQ(
        dialogs.texts.last(),
        "Caution: Once you stop this cook cycle, the computer will no longer monitor the temperature of 1. "
        "Continue?");
    const auto sensor = *sensors().findBySensorNo(1).value();
    EXPECT_FALSE(sensor.Started || sensor.Selected);
    EXPECT_EQ(sensor.FinishTemp, "170");
    EXPECT_EQ(sensor.EndTime, "1:20 am");
    const auto batch = *batchs().findByBatchNo(1).value();
    EXPECT_EQ(batch.EndTime, "1:20 am");
    EXPECT_EQ(batch.FinishTemp, 170.0);
    EXPECT_FALSE(cycles.ThermoDone[1]);
    EXPECT_FALSE(cycles.CookDone);
    EXPECT_EQ(cycles.LampsToPutOut, QStringList{done.LightSerialNo});
    ASSERT_EQ(cycles.size(), 1);
    EXPECT_EQ(cycles.current(), 0);

    // Stopped before its first reading: the batch has no finish temperature rather than 0.
    ASSERT_TRUE(control.Stop());
    EXPECT_EQ(sensors().findBySensorNo(2).value()->FinishTemp, "NR");
    const auto records =
        store::SqlTable(*ctx.databases.thermo, "Batchs").select("WHERE \"BatchNo\" = ?", {2}).value();
    EXPECT_TRUE(records.front().value("FinishTemp").isNull());
    EXPECT_EQ(cycles.current(), -1);
}

TEST_F(CookCycleControlTest, ATargetChangeIsStoredAndAZeroTargetRefused) {
    ASSERT_TRUE(control.Start(entry()));
    EXPECT_TRUE(control.changeTarget("180"));
    EXPECT_EQ(cycles.row(0).Target, 180);
    EXPECT_EQ(sensors().findBySensorNo(1).value()->Target, 180);
    for (const char* refused : {"", "0", "hot"}) {
        EXPECT_FALSE(control.changeTarget(refused));
        EXPECT_EQ(dialogs.texts.last(), cook::CookCycleControl::kNoTarget);
    }
    EXPECT_EQ(sensors().findBySensorNo(1).value()->Target, 180);
}
