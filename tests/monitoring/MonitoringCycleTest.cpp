// The reading pass around the zone reading: guards, the failed device search, and the panel lamps.
#include "monitoring/MonitoringCycle.h"

#include "app/AppContext.h"
#include "base/ErrorReporter.h"
#include "monitoring/PanelLamps.h"
#include "monitoring/ReadLog.h"
#include "monitoring/ZonePassObserver.h"
#include "monitoring/ZoneReader.h"
#include "sensornet/AdapterLink.h"
#include "sensornet/SensorBus.h"
#include "store/Database.h"
#include "store/MonitorSetsStore.h"
#include "support/FakeClock.h"
#include "support/Ha5Commands.h"
#include "support/RecordedDialogs.h"
#include "support/RecordingReporter.h"
#include "support/ScriptedPort.h"
#include "support/TempSite.h"

#include <gtest/gtest.h>

using namespace kelvara;
using monitoring::MonitoringCycle;

namespace {

struct Seen final : monitoring::ZonePassObserver {
    void allZonesNoReading() override { ++noReadings; }
    int noReadings = 0;
};

const QByteArray kLamp1 = "610000000000C105";
const QByteArray kLamp2 = "620000000000D205";
const QByteArray kLamp3 = "630000000000E305";

class CycleTest : public ::testing::Test {
protected:
    CycleTest()
        : port(clock), link(port, clock, port, dialogs, sensornet::ExchangeRules::monitoring()),
          bus(link, test::ha5Commands()), reader(ctx, bus, clock, log, errors, seen), lamps(ctx, link, bus),
          cycle(ctx, link, bus, clock, reader, lamps, dialogs, seen) {
        EXPECT_TRUE(store::createDatabase(site.file("KVR.db"), store::DatabaseKind::Kvr).ok());
        ctx.databases.kvr = std::make_unique<store::Database>(store::DatabaseKind::Kvr);
        EXPECT_TRUE(ctx.databases.kvr->open(site.file("KVR.db")).ok());
        ctx.DatabaseMode = "KVR";
        ctx.commands = test::ha5Commands();
        ctx.settings.ColdReadMins = 1;
        cycle.loadIntervals();
        port.on("aR\r", "P\r", 5);
        EXPECT_TRUE(link.resetAdapter("aR\r").has_value());
        QObject::connect(&cycle, &MonitoringCycle::statusChanged, [this](const QString& text, bool visible) {
            statuses << (visible ? text : "(hidden)");
        });
        QObject::connect(&cycle, &MonitoringCycle::readingChanged, [this](bool reading) {
            readingEvents << reading;
            timerDuringPass = timerDuringPass || (reading && cycle.timerEnabled());
        });
    }
    void switchList(const QByteArray& lit) { port.on("aC,FF\r", lit + "\r", 10); }

    test::TempSite site;
    app::AppContext ctx;
    test::FakeClock clock;
    test::ScriptedPort port;
    test::RecordedDialogs dialogs;
    sensornet::AdapterLink link;
    sensornet::SensorBus bus;
    monitoring::ReadLog log;
    test::RecordingReporter errors;
    Seen seen;
    monitoring::ZoneReader reader;
    monitoring::PanelLamps lamps;
    MonitoringCycle cycle;
    QStringList statuses;
    QList<bool> readingEvents;
    bool timerDuringPass = false;
};

} // namespace

TEST_F(CycleTest, AFailedDeviceSearchRaisesTheSensorReadAlarmAndShowsNrEverywhere) {
    port.on("aS\r", "\r", 10); // nobody on the bus
    switchList("");
    cycle.start();
    cycle.ReadSensors(true, false);

    EXPECT_EQ(statuses, QStringList({MonitoringCycle::kReadingText, MonitoringCycle::kFailureText}));
    EXPECT_EQ(MonitoringCycle::kFailureText,
              "The was an error while reading Sensors.\nPlease check connections.");
    const auto& s = cycle.alarmState();
    EXPECT_EQ(s.AlarmRooms, "SensorRead");
    EXPECT_TRUE(s.AlarmCondition);
    EXPECT_TRUE(s.AlarmRaised);
    EXPECT_TRUE(s.ZoneAlarmRaised[0]);
    EXPECT_EQ(s.AlarmTexts[0], "Kelvara Error Reading Sensors");
    EXPECT_EQ(seen.noReadings, 1);
    EXPECT_EQ(readingEvents, QList<bool>({true, false}));
    EXPECT_FALSE(timerDuringPass);
    EXPECT_TRUE(cycle.timerEnabled()); // always enabled again
}

TEST_F(CycleTest, TheReadCommandWorksOnlyWhileTheTimerRuns) {
    port.on("aS\r", "\r", 10);
    switchList("");
    cycle.readNow(); // timer off: suspended or in a pass
    EXPECT_TRUE(readingEvents.isEmpty());
    cycle.start();
    cycle.readNow();
    EXPECT_EQ(readingEvents, QList<bool>({true, false}));
}

TEST_F(CycleTest, ACookOnlySiteWithoutRunningCyclesSearchesNothingButStillSetsTheLamps) {
    ctx.DatabaseMode = "Thermo";
    switchList("");
    bool alarmsRead = false;
    cycle.setHooks({[] { return 0; }, {}, [&] { alarmsRead = true; }});
    cycle.ReadSensors(true, true);
    EXPECT_FALSE(port.written.contains("aS\r"));
    EXPECT_TRUE(port.written.contains("aC,FF\r"));
    EXPECT_TRUE(alarmsRead);
}

TEST_F(CycleTest, LampsAreSwitchedOnlyWhereTheyDifferFromTheZoneState) {
    std::vector<store::MonitorSetsRow> zones(3);
    zones[0].ALarmSerialNo = kLamp1; // raised, dark now: lit after a bus reset
    zones[1].ALarmSerialNo = kLamp2; // not raised, lit now: put out
    zones[2].ALarmSerialNo = kLamp3; // raised but disabled, dark: left dark
    zones[2].DisableAlarm = true;
    cycle.loadZones(zones);
    auto& s = cycle.alarmState();
    s.ZoneAlarmRaised[0] = true;
    s.ZoneAlarmRaised[2] = true;
    switchList(kLamp2 + "\r");
    port.written.clear();
    port.pauses.clear();
    lamps.Light_Panel(s);
    EXPECT_EQ(port.written,
              QList<QByteArray>({"aC,FF\r", "aR\r", "aA" + kLamp1 + "\r", "aA" + kLamp2 + "\r"}));
    EXPECT_EQ(port.pauses.count(1000), 1); // the switch list is read a second after it is asked for
}

TEST_F(CycleTest, PanelOffPutsOutEveryLitAlarmSwitchButNoOtherFamily) {
    switchList(kLamp1 + "\r" + "E70000000000D130\r" + kLamp3 + "\r");
    port.written.clear();
    lamps.AlarmPanelOff();
    EXPECT_EQ(port.written, QList<QByteArray>({"aC,FF\r", "aA" + kLamp1 + "\r", "aA" + kLamp3 + "\r"}));
}

TEST_F(CycleTest, SuspendingWarnsStopsTheTimerAndMayCloseThePort) {
    cycle.start();
    cycle.SuspendMonitoring(true);
    EXPECT_FALSE(cycle.timerEnabled());
    EXPECT_FALSE(link.isOpen());
    ASSERT_EQ(dialogs.texts.size(), 1);
    EXPECT_EQ(dialogs.kinds[0], int(base::UserDialogs::Kind::Warning));
    EXPECT_EQ(dialogs.texts[0], "Alert!  While in this module the Temperature Monitoring will be disabled.");
}

TEST_F(CycleTest, TheTemporaryDisableIsSavedOnlyWhileIdleAndCountsFromNow) {
    store::MonitorSetsRow zone;
    zone.Room = 5;
    zone.ALarmSerialNo = kLamp1;
    ASSERT_TRUE(store::MonitorSetsStore(*ctx.databases.kvr).insert(zone).ok());
    clock.set(QDateTime(QDate(2026, 3, 2), QTime(23, 0, 0)));
    int hours = 2;
    EXPECT_EQ(cycle.saveDuration(5, true, hours), MonitoringCycle::DurationSave::NotIdle); // a pass may run

    cycle.start();
    EXPECT_EQ(cycle.saveDuration(5, true, hours), MonitoringCycle::DurationSave::Saved);
    auto saved = store::MonitorSetsStore(*ctx.databases.kvr).findByRoom(5).value();
    ASSERT_TRUE(saved);
    EXPECT_TRUE(saved->DisableAlarm);
    EXPECT_EQ(saved->Duration, 2);
    EXPECT_EQ(saved->AlarmOn, QTime(23, 0, 0));
    EXPECT_EQ(cycle.saveDuration(9, true, hours), MonitoringCycle::DurationSave::NoSuchZone);

    EXPECT_EQ(cycle.saveDuration(5, false, hours), MonitoringCycle::DurationSave::Saved);
    EXPECT_EQ(hours, 0);
    saved = store::MonitorSetsStore(*ctx.databases.kvr).findByRoom(5).value();
    EXPECT_FALSE(saved->DisableAlarm);
    EXPECT_EQ(saved->Duration, 0);
}

TEST_F(CycleTest, DisablingAZoneSwitchesItsLampAfterAnAdapterReset) {
    port.written.clear();
    cycle.setZoneAlarmDisabled(0, true, kLamp1);
    EXPECT_TRUE(cycle.alarmState().ZoneAlarmDisabled[0]);
    ASSERT_GE(port.written.size(), 2);
    EXPECT_EQ(port.written.first(), "aR\r");
    EXPECT_EQ(port.written.last(), "aA" + kLamp1 + "\r");
    port.written.clear();
    cycle.setZoneAlarmDisabled(0, false, kLamp1); // clearing asks nothing of the adapter
    EXPECT_FALSE(cycle.alarmState().ZoneAlarmDisabled[0]);
    EXPECT_TRUE(port.written.isEmpty());
}
