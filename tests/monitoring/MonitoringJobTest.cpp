// The monitoring job on a scripted port: the pass's guards and failure path, the panel lamps, the temporary
// disable, and what zones keep when a window changed the zone table. (An adapter unplugged and plugged back
// in is HeadlessMonitoringTest's, on the real program and a real terminal.)
#include "monitoring/MonitoringJob.h"

#include "monitoring/MonitoringCycle.h"
#include "monitoring/PanelLamps.h"
#include "monitoring/TemporaryDisable.h"
#include "monitoring/ZoneListModel.h"
#include "monitoring/ZonePassObserver.h"
#include "store/MonitorSetsStore.h"
#include "support/QtPrinters.h"
#include "support/RecordingReporter.h"
#include "support/ScriptedLink.h"
#include "support/SiteBench.h"

#include <gtest/gtest.h>

using namespace kelvara;
using monitoring::MonitoringCycle;
using monitoring::ZoneListModel;

namespace {

struct Seen final : monitoring::ZonePassObserver {
    void allZonesNoReading() override { ++noReadings; }
    int noReadings = 0;
};

const QByteArray kLamp1 = "610000000000C105";
const QByteArray kLamp2 = "620000000000D205";
const QByteArray kLamp3 = "630000000000E305";

// A zone site; the job is made after it, as the window makes it.
class JobTest : public ::testing::Test, protected test::SiteContext {
protected:
    JobTest() : job(ctx, clock, dialogs, errors, seen, port.handle(), port.pauseHandle()) {
        ctx.settings.ColdReadMins = 1;
        job.cycle().loadIntervals();
        test::openScriptedLink(job.link(), port);
        QObject::connect(
            &cycle(), &MonitoringCycle::statusChanged,
            [this](const QString& text, bool visible) { statuses << (visible ? text : "(hidden)"); });
        QObject::connect(&cycle(), &MonitoringCycle::readingChanged, [this](bool reading) {
            readingEvents << reading;
            timerDuringPass = timerDuringPass || (reading && cycle().timerEnabled());
        });
    }
    MonitoringCycle& cycle() { return job.cycle(); }
    void switchList(const QByteArray& lit) { port.on("aC,FF\r", lit + "\r", 10); }
    store::MonitorSetsStore zones() { return store::MonitorSetsStore(*ctx.databases.kvr); }
    void addZone(int room, const QString& sensor, const QByteArray& lamp) {
        store::MonitorSetsRow zone;
        zone.Room = room;
        zone.Name = QStringLiteral("Cooler %1").arg(room);
        zone.SerialNo = sensor;
        zone.ALarmSerialNo = lamp;
        zone.HighAlarm = 8;
        ASSERT_TRUE(zones().insert(zone).ok());
    }

    test::FakeClock clock;
    test::ScriptedPort port{clock};
    test::RecordedDialogs dialogs;
    test::RecordingReporter errors;
    Seen seen;
    monitoring::MonitoringJob job;
    QStringList statuses;
    QList<bool> readingEvents;
    bool timerDuringPass = false;
};

} // namespace

TEST_F(JobTest, AReadFindingNoAdapterRaisesTheSensorReadAlarmAndShowsNrEverywhere) {
    addZone(1, "750000000000A128", kLamp1);
    job.loadZones();
    port.on("aS\r", "\r", 10); // nobody on the bus
    switchList("");
    cycle().readNow(); // the timer is off (suspended, or in a pass): the toolbar's Read does nothing
    EXPECT_TRUE(readingEvents.isEmpty());
    cycle().start();
    cycle().readNow();

    EXPECT_EQ(statuses, QStringList({MonitoringCycle::kReadingText,
                                     "The was an error while reading Sensors.\nPlease check connections."}));
    const auto& s = cycle().alarmState();
    EXPECT_EQ(s.AlarmRooms, "SensorRead");
    EXPECT_TRUE(s.AlarmCondition);
    EXPECT_TRUE(s.AlarmRaised);
    EXPECT_TRUE(s.ZoneAlarmRaised[0]);
    EXPECT_EQ(s.AlarmTexts[0], "Kelvara Error Reading Sensors");
    EXPECT_EQ(seen.noReadings, 1);
    EXPECT_EQ(job.zones().reading(0), "NR");
    EXPECT_EQ(readingEvents, QList<bool>({true, false}));
    EXPECT_FALSE(timerDuringPass);
    EXPECT_TRUE(cycle().timerEnabled()); // always enabled again
}

TEST_F(JobTest, WithoutTheAdaptersCommandsEveryPassSaysWhatIsMissingAndLeavesTheBusAlone) {
    addZone(1, "750000000000A128", kLamp1);
    job.loadZones();
    ctx.commandsProblem =
        "SensorReader.ini has no section for the adapter XY. The bus adapter has no commands.";
    cycle().start();
    cycle().readNow();
    cycle().readNow();
    const QString said = "The was an error while reading Sensors.\n" + ctx.commandsProblem;
    EXPECT_EQ(statuses,
              QStringList({MonitoringCycle::kReadingText, said, MonitoringCycle::kReadingText, said}));
    EXPECT_TRUE(port.written.isEmpty()) << port.written.join(" ").toStdString();
    EXPECT_EQ(cycle().alarmState().AlarmRooms, "SensorRead");
    EXPECT_EQ(job.zones().reading(0), "NR");
}

TEST_F(JobTest, ACookOnlySiteWithoutRunningCyclesSearchesNothingButStillSetsTheLamps) {
    ctx.DatabaseMode = "Thermo";
    switchList("");
    bool alarmsRead = false;
    cycle().setHooks({[] { return 0; }, {}, [&] { alarmsRead = true; }});
    cycle().ReadSensors(true, true);
    EXPECT_FALSE(port.written.contains("aS\r"));
    EXPECT_TRUE(port.written.contains("aC,FF\r"));
    EXPECT_TRUE(alarmsRead);
}

TEST_F(JobTest, LampsAreSwitchedOnlyWhereTheyDifferFromTheZoneState) {
    std::vector<store::MonitorSetsRow> zones(3);
    zones[0].ALarmSerialNo = kLamp1; // raised, dark now: lit after a bus reset
    zones[1].ALarmSerialNo = kLamp2; // not raised, lit now: put out
    zones[2].ALarmSerialNo = kLamp3; // raised but disabled, dark: left dark
    zones[2].DisableAlarm = true;
    cycle().loadZones(zones);
    auto& s = cycle().alarmState();
    s.ZoneAlarmRaised[0] = true;
    s.ZoneAlarmRaised[2] = true;
    switchList(kLamp2 + "\r");
    port.written.clear();
    port.pauses.clear();
    job.lamps().Light_Panel(s);
    EXPECT_EQ(port.written,
              QList<QByteArray>({"aC,FF\r", "aR\r", "aA" + kLamp1 + "\r", "aA" + kLamp2 + "\r"}));
    EXPECT_EQ(port.pauses.count(1000), 1); // the switch list is read a second after it is asked for

    switchList(kLamp1 + "\r" + "E70000000000D130\r" + kLamp3 + "\r");
    port.written.clear();
    job.lamps().AlarmPanelOff(); // every lit switch of the alarm family, no other family
    EXPECT_EQ(port.written, QList<QByteArray>({"aC,FF\r", "aA" + kLamp1 + "\r", "aA" + kLamp3 + "\r"}));
}

TEST_F(JobTest, SuspendingWarnsStopsTheTimerAndMayCloseThePort) {
    cycle().start();
    cycle().SuspendMonitoring(true);
    EXPECT_FALSE(cycle().timerEnabled());
    EXPECT_FALSE(job.link().isOpen());
    ASSERT_EQ(dialogs.texts.size(), 1);
    EXPECT_EQ(dialogs.kinds[0], int(base::UserDialogs::Kind::Warning));
    EXPECT_EQ(dialogs.texts[0], "Alert!  While in this module the Temperature Monitoring will be disabled.");
}

// After a window that takes the adapter the zones are read again: a zone still in alarm must keep its lamp
// lit and its row red, and every zone its latest reading.
TEST_F(JobTest, ZonesAWindowKeptKeepTheirAlarmAndReadingAndOnlyChangedOnesStartClear) {
    addZone(2, "750000000000A128", kLamp1);
    addZone(4, "760000000000B228", kLamp2);
    addZone(6, "770000000000C328", kLamp3);
    job.loadZones();
    EXPECT_EQ(job.zones().reading(0), ZoneListModel::kNotReadYet);
    auto& s = cycle().alarmState();
    s.AlarmCondition = true;
    for (int i = 0; i < 3; ++i) {
        s.ZoneAlarmRaised[static_cast<std::size_t>(i)] = true;
        s.AlarmTexts[static_cast<std::size_t>(i)] = QStringLiteral("alarm %1").arg(i);
        job.zones().setReading(i, *job.zones().zone(i), QString::number(40 + i));
    }

    // The window deletes room 2 and re-numbers room 6 to 8; room 4 stays as it was.
    const auto stored = zones().loadAll().value();
    ASSERT_TRUE(zones().remove(stored[0].id).ok());
    store::MonitorSetsRow renumbered = stored[2];
    renumbered.Room = 8;
    ASSERT_TRUE(zones().update(renumbered).ok());
    job.reloadZones();

    ASSERT_EQ(job.zones().rowCount(), 2);
    EXPECT_TRUE(s.ZoneAlarmRaised[0]); // room 4, now the first zone
    EXPECT_EQ(s.AlarmTexts[0], "alarm 1");
    EXPECT_EQ(s.ZoneLampSerial[0], kLamp2);
    EXPECT_EQ(job.zones().reading(0), "41");
    EXPECT_EQ(job.zones().rowState(0), ZoneListModel::RowState::Raised);
    EXPECT_FALSE(s.ZoneAlarmRaised[1]); // room 8 is a zone of its own now
    EXPECT_TRUE(s.AlarmTexts[1].isEmpty());
    EXPECT_EQ(job.zones().reading(1), ZoneListModel::kNoReading);

    // The lamp of the zone still in alarm stays lit: nothing is switched.
    switchList(kLamp2 + "\r");
    port.written.clear();
    job.lamps().Light_Panel(s);
    EXPECT_EQ(port.written, QList<QByteArray>({"aC,FF\r"}));
}

TEST_F(JobTest, TheTemporaryDisableSwitchesTheLampAndIsSavedOnlyWhileIdleCountingFromNow) {
    addZone(5, "750000000000A128", kLamp1);
    job.loadZones();
    auto& disable = job.temporaryDisable();

    port.written.clear();
    disable.setDisabled(0, true);
    EXPECT_TRUE(cycle().alarmState().ZoneAlarmDisabled[0]);
    EXPECT_EQ(job.zones().rowState(0), ZoneListModel::RowState::Disabled);
    ASSERT_GE(port.written.size(), 2);
    EXPECT_EQ(port.written.first(), "aR\r");
    EXPECT_EQ(port.written.last(), "aA" + kLamp1 + "\r");

    clock.set(QDateTime(QDate(2026, 3, 2), QTime(23, 0, 0)));
    EXPECT_EQ(disable.saveDuration(5, true, 2), std::nullopt); // the timer is off: a pass may run
    cycle().start();
    EXPECT_EQ(disable.saveDuration(5, true, 2), std::optional<int>(2));
    auto saved = zones().findByRoom(5).value();
    ASSERT_TRUE(saved);
    EXPECT_TRUE(saved->DisableAlarm);
    EXPECT_EQ(saved->Duration, 2);
    EXPECT_EQ(saved->AlarmOn, QTime(23, 0, 0));
    EXPECT_EQ(job.zones().data(job.zones().index(0, ZoneListModel::Duration)), "2");
    EXPECT_EQ(disable.saveDuration(9, true, 2), std::nullopt); // no such zone

    port.written.clear();
    disable.setDisabled(0, false); // clearing asks nothing of the adapter
    EXPECT_TRUE(port.written.isEmpty());
    EXPECT_EQ(disable.saveDuration(5, false, 2), std::optional<int>(0));
    saved = zones().findByRoom(5).value();
    EXPECT_FALSE(saved->DisableAlarm);
    EXPECT_EQ(saved->Duration, 0);
}
