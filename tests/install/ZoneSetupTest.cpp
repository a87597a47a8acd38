// The zone configuration's rules on a real zone database: lamp serials in lamp order, Save handing them to
// the zones, the delay rule of a grid edit, and edits of the wrong kind refused before they are stored.
#include "install/ZoneConfiguration.h"
#include "install/ZoneGridModel.h"
#include "store/AlarmPanelStore.h"
#include "store/Database.h"
#include "store/MonitorSetsStore.h"
#include "support/FakeClock.h"
#include "support/RecordedDialogs.h"
#include "support/TempSite.h"

#include <gtest/gtest.h>
#include <memory>

using namespace kelvara;
using install::ZoneGridColumn;

namespace {

const QString kLamp1 = QStringLiteral("1100000000000105");
const QString kLamp2 = QStringLiteral("2200000000000205");
const QString kUnused = QStringLiteral("9900000000000905");
const QString kOldSerial = QStringLiteral("OLD0000000000005");

class ZoneSetupTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(store::createDatabase(site.file("KVR.db"), store::DatabaseKind::Kvr).ok());
        db = std::make_unique<store::Database>(store::DatabaseKind::Kvr);
        ASSERT_TRUE(db->open(site.file("KVR.db")).ok());
        zones = std::make_unique<store::MonitorSetsStore>(*db);
        panel = std::make_unique<store::AlarmPanelStore>(*db);
    }

    void addLamp(int ledNo, const QString& serial) const {
        store::AlarmPanelRow lamp;
        lamp.AlarmLedNo = ledNo;
        lamp.ALarmSerialNo = serial;
        ASSERT_TRUE(panel->insert(lamp).ok());
    }

    qint64 addZone(int room, int ledNo, const QString& lampSerial = kOldSerial) const {
        store::MonitorSetsRow zone;
        zone.Room = room;
        zone.Name = QStringLiteral("Cooler %1").arg(room);
        zone.AlarmLedNo = ledNo;
        zone.ALarmSerialNo = lampSerial;
        zone.AlarmDelay = 15;
        zone.HighAlarm = 40;
        zone.LowAlarm = 32;
        zone.AlarmOn = QTime(9, 30, 0);
        return zones->insert(zone).value();
    }

    [[nodiscard]] store::MonitorSetsRow stored(int room) const { return *zones->findByRoom(room).value(); }

    test::TempSite site;
    std::unique_ptr<store::Database> db;
    std::unique_ptr<store::MonitorSetsStore> zones;
    std::unique_ptr<store::AlarmPanelStore> panel;
    test::FakeClock clock{QDateTime(QDate(2026, 3, 2), QTime(14, 25, 7))};
    test::RecordedDialogs dialogs;
};

TEST_F(ZoneSetupTest, LampsAreNumberedByPositionAmongTheRowsWithALampNumber) {
    // Added out of order: the panel is read in AlarmLedNo order.
    addLamp(2, kLamp2);
    addLamp(0, kUnused);
    addLamp(1, kLamp1);
    install::ZoneConfiguration config(*db);
    ASSERT_TRUE(config.loadLampSerials().ok());
    EXPECT_EQ(config.LedCount(), 2);
    EXPECT_EQ(config.LedSerial(1), kLamp1);
    EXPECT_EQ(config.LedSerial(2), kLamp2);
    EXPECT_EQ(config.LedSerial(3), QString());
}

struct SaveCase {
    int alarmLedNo;
    QString expected;
};

class LampSerialSave : public ZoneSetupTest, public ::testing::WithParamInterface<SaveCase> {};

TEST_P(LampSerialSave, GivesTheZoneTheSerialOfItsLampOrLeavesItAlone) {
    addLamp(0, kUnused);
    addLamp(1, kLamp1);
    addLamp(2, kLamp2);
    addZone(1, GetParam().alarmLedNo);
    addZone(2, 2); // a neighbour that always gets its lamp, so a skipped row does not stop the pass
    install::ZoneConfiguration config(*db);
    ASSERT_TRUE(config.loadLampSerials().ok());
    ASSERT_TRUE(config.saveLampSerials().ok());
    EXPECT_EQ(stored(1).ALarmSerialNo, GetParam().expected);
    EXPECT_EQ(stored(2).ALarmSerialNo, kLamp2);
}

INSTANTIATE_TEST_SUITE_P(ByLampNumber, LampSerialSave,
                         ::testing::Values(SaveCase{2, kLamp2}, SaveCase{1, kLamp1},
                                           SaveCase{0, QString()},   // no lamp: empty serial
                                           SaveCase{3, kOldSerial},  // above LedCount
                                           SaveCase{21, kOldSerial}, // above the panel's size
                                           SaveCase{-1, kOldSerial}));

TEST_F(ZoneSetupTest, APanelOfMoreThanTwentyLampsKeepsTwentyAndLeavesHigherNumbersAlone) {
    for (int n = 1; n <= 22; ++n)
        addLamp(n, QStringLiteral("%1000000000000005").arg(n, 2, 10, QLatin1Char('0')));
    addZone(1, 20);
    addZone(2, 21);
    install::ZoneConfiguration config(*db);
    ASSERT_TRUE(config.loadLampSerials().ok());
    EXPECT_EQ(config.LedCount(), 20);
    ASSERT_TRUE(config.saveLampSerials().ok());
    EXPECT_EQ(stored(1).ALarmSerialNo, "2000000000000005");
    EXPECT_EQ(stored(2).ALarmSerialNo, kOldSerial);
}

struct DelayCase {
    const char* name;
    ZoneGridColumn column;
    QVariant value;
    std::optional<QTime> alarmOn;
    bool started;
};

class DelayRule : public ZoneSetupTest, public ::testing::WithParamInterface<DelayCase> {};

TEST_P(DelayRule, AnAcceptedEditIsStoredWithTheDelayRuleApplied) {
    addZone(1, 0);
    install::ZoneGridModel model(*db, clock, dialogs);
    const DelayCase& c = GetParam();
    ASSERT_TRUE(model.setData(model.index(0, static_cast<int>(c.column)), c.value));
    const store::MonitorSetsRow zone = stored(1);
    EXPECT_EQ(zone.AlarmOn, c.alarmOn);
    EXPECT_EQ(zone.Alarmstarted, c.started);
    EXPECT_EQ(model.zone(0)->AlarmOn, c.alarmOn); // the grid shows what was stored
    EXPECT_TRUE(dialogs.texts.isEmpty()) << dialogs.texts.join('\n').toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    ByColumnAndValue, DelayRule,
    ::testing::Values(DelayCase{"DelayFiveStartsNow", ZoneGridColumn::Delay, 5, QTime(14, 25, 7), true},
                      DelayCase{"DelayZeroIsMidnight", ZoneGridColumn::Delay, 0, QTime(0, 0), false},
                      DelayCase{"HighZeroIsMidnight", ZoneGridColumn::High, 0.0, QTime(0, 0), false},
                      DelayCase{"AlarmOffIsMidnight", ZoneGridColumn::Alarm, false, QTime(0, 0), false},
                      DelayCase{"OtherValueKeepsAlarmOn", ZoneGridColumn::AlarmLed, 3, QTime(9, 30), false},
                      DelayCase{"NameKeepsAlarmOn", ZoneGridColumn::Name, QStringLiteral("Freezer"),
                                QTime(9, 30), false}),
    [](const auto& info) { return std::string(info.param.name); });

struct RefusedCase {
    const char* name;
    ZoneGridColumn column;
    QVariant value;
};

class WrongKind : public ZoneSetupTest, public ::testing::WithParamInterface<RefusedCase> {};

TEST_P(WrongKind, IsRefusedAndNothingIsStored) {
    addZone(1, 2);
    install::ZoneGridModel model(*db, clock, dialogs);
    const store::MonitorSetsRow before = stored(1);
    EXPECT_FALSE(model.setData(model.index(0, static_cast<int>(GetParam().column)), GetParam().value));
    const store::MonitorSetsRow after = stored(1);
    EXPECT_EQ(after.Room, before.Room);
    EXPECT_EQ(after.Name, before.Name);
    EXPECT_EQ(after.HighAlarm, before.HighAlarm);
    EXPECT_EQ(after.AlarmDelay, before.AlarmDelay);
    EXPECT_EQ(after.AlarmLedNo, before.AlarmLedNo);
    EXPECT_EQ(after.Calibration, before.Calibration);
    EXPECT_EQ(after.Alarm, before.Alarm);
    EXPECT_EQ(after.AlarmOn, before.AlarmOn);
}

INSTANTIATE_TEST_SUITE_P(
    ByColumn, WrongKind,
    ::testing::Values(RefusedCase{"TextAsDelay", ZoneGridColumn::Delay, QStringLiteral("five")},
                      RefusedCase{"FractionAsDelay", ZoneGridColumn::Delay, 2.5},
                      RefusedCase{"TextAsHighLimit", ZoneGridColumn::High, QStringLiteral("warm")},
                      RefusedCase{"TextAsRoom", ZoneGridColumn::Zone, QStringLiteral("A")},
                      RefusedCase{"TextAsCalibration", ZoneGridColumn::Calibrate, QStringLiteral("x1")},
                      RefusedCase{"WordAsFlag", ZoneGridColumn::Alarm, QStringLiteral("maybe")},
                      RefusedCase{"OverlongName", ZoneGridColumn::Name, QString(51, QLatin1Char('n'))}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ZoneSetupTest, RemovingAZoneDeletesItFromTheTableAndTheGrid) {
    addZone(1, 1);
    addZone(2, 2);
    install::ZoneGridModel model(*db, clock, dialogs);
    ASSERT_TRUE(model.removeZone(0));
    EXPECT_EQ(model.rowCount(), 1);
    EXPECT_EQ(model.zone(0)->Room, 2);
    EXPECT_EQ(zones->count(), 1);
    EXPECT_FALSE(model.removeZone(5));
}

} // namespace
