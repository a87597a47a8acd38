// Zone monitoring end to end on the bus simulator over a real pseudo-terminal: a zone drifts out of its
// limits, is raised after its delay, stored, and lights its lamp; back inside, the lamp goes out.
#include "app/AppContext.h"
#include "app/ComPortSettings.h"
#include "app/SystemClock.h"
#include "app/UserSettings.h"
#include "base/ErrorReporter.h"
#include "monitoring/MonitoringCycle.h"
#include "monitoring/PanelLamps.h"
#include "monitoring/ReadLog.h"
#include "monitoring/ZonePassObserver.h"
#include "monitoring/ZoneReader.h"
#include "sensornet/AdapterLink.h"
#include "sensornet/EventLoopPause.h"
#include "sensornet/SensorBus.h"
#include "sensornet/SystemSerialPort.h"
#include "store/AlarmsStore.h"
#include "store/Database.h"
#include "store/MonitorSetsStore.h"
#include "store/MonitorStore.h"
#include "support/FakeClock.h"
#include "support/Ha5Commands.h"
#include "support/RecordedDialogs.h"
#include "support/RecordingReporter.h"
#include "support/SimProcess.h"
#include "support/TempSite.h"

#include <gtest/gtest.h>

using namespace kelvara;

namespace {

const QString kSensors[] = {"750000000000A128", "760000000000B228", "770000000000C328"};
const QString kLamps[] = {"610000000000C105", "620000000000D205", "630000000000E305"};
const double kStart[] = {4, 3.5, 5};

QByteArray scenario() {
    return R"({"devices": [
        {"rom": "750000000000A128", "temperature": 4},
        {"rom": "760000000000B228", "temperature": 3.5},
        {"rom": "770000000000C328", "temperature": 5},
        {"rom": "610000000000C105", "on": false},
        {"rom": "620000000000D205", "on": false},
        {"rom": "630000000000E305", "on": false}]})";
}

} // namespace

TEST(SimulatedSite, ADriftingZoneIsRaisedStoredAndLitThenPutOutWhenBackInside) {
    test::SimProcess sim(scenario());
    ASSERT_TRUE(sim.started()) << sim.errorOutput().toStdString();
    // Each CRC as the simulator computes it, so the ids are the ones a real bus would carry.
    QStringList sensors, lamps;
    for (const QString& rom : kSensors)
        sensors << sim.control("crc " + rom).section(' ', -1);
    for (const QString& rom : kLamps)
        lamps << sim.control("crc " + rom).section(' ', -1);

    test::TempSite site;
    app::AppContext ctx;
    ctx.siteDir = site.path();
    ctx.DatabaseMode = "KVR";
    ctx.commands = test::ha5Commands();
    ctx.settings.TempType = "C";
    ctx.settings.ColdReadMins = 1;
    ctx.settings.ColdRecMins = 15;
    ASSERT_TRUE(store::createDatabase(site.file("KVR.db"), store::DatabaseKind::Kvr).ok());
    ctx.databases.kvr = std::make_unique<store::Database>(store::DatabaseKind::Kvr);
    ASSERT_TRUE(ctx.databases.kvr->open(site.file("KVR.db")).ok());
    store::MonitorSetsStore zoneStore(*ctx.databases.kvr);
    for (int i = 0; i < 3; ++i) {
        store::MonitorSetsRow z;
        z.Room = i + 1;
        z.Name = QStringLiteral("Cooler %1").arg(i + 1);
        z.SerialNo = sensors[i];
        z.Record = true;
        z.Alarm = true;
        z.HighAlarm = 8;
        z.LowAlarm = 0;
        z.AlarmDelay = 15;
        z.ALarmSerialNo = lamps[i];
        ASSERT_TRUE(zoneStore.insert(z).ok());
    }
    // Re-add the devices under their checked ids.
    for (int i = 0; i < 3; ++i) {
        sim.control("remove " + kSensors[i]);
        sim.control("remove " + kLamps[i]);
        sim.control(QStringLiteral(R"(add {"rom": "%1", "temperature": %2})").arg(sensors[i]).arg(kStart[i]));
        sim.control(QStringLiteral(R"(add {"rom": "%1", "on": false})").arg(lamps[i]));
    }

    app::UserSettings settings(site.file("user.ini"));
    settings.save("Properties", "Settings", "115200,n,8,1");
    settings.save("Properties", "PortName", sim.ptyPath());

    app::SystemClock realClock; // the exchanges' deadlines run on real time
    test::FakeClock clock(QDateTime(QDate(2026, 7, 1), QTime(10, 0, 0)));
    test::RecordedDialogs dialogs;
    test::RecordingReporter errors;
    monitoring::ZonePassObserver observer;
    const auto port = sensornet::makeSystemSerialPort();
    sensornet::EventLoopPause pause;
    sensornet::AdapterLink link(*port, realClock, pause, dialogs, sensornet::ExchangeRules::monitoring(),
                                &errors);
    sensornet::SensorBus bus(link, ctx.commands);
    monitoring::ReadLog log;
    ASSERT_TRUE(log.open(site.file("Kelvara.log")));
    monitoring::ZoneReader reader(ctx, bus, clock, log, errors, observer);
    monitoring::PanelLamps panel(ctx, link, bus);
    monitoring::ZoneAlarmState state;
    monitoring::MonitoringCycle cycle(ctx, link, bus, clock, reader, panel, dialogs, observer, state);
    ASSERT_EQ(link.configurePort(app::readLineSettings(settings)), sensornet::ConfigureOutcome::Configured);
    cycle.loadZones(zoneStore.loadAll().value());

    cycle.ReadSensors(true, false); // 10:00, all inside; records
    ASSERT_TRUE(errors.lines.isEmpty()) << errors.lines.join('\n').toStdString();
    EXPECT_TRUE(dialogs.texts.isEmpty()) << dialogs.texts.join('\n').toStdString();
    EXPECT_EQ(zoneStore.loadAll().value()[1].CurrentTemp, "3");

    sim.control("set " + sensors[2] + " temperature 11");
    clock.set(QDateTime(QDate(2026, 7, 1), QTime(10, 5, 0)));
    cycle.ReadSensors(true, false); // outside: the delay starts
    EXPECT_TRUE(cycle.alarmState().AlarmCondition);
    EXPECT_FALSE(cycle.alarmState().AlarmRaised);
    EXPECT_EQ(sim.control("get " + lamps[2]), lamps[2] + " off");

    clock.set(QDateTime(QDate(2026, 7, 1), QTime(10, 20, 0)));
    cycle.ReadSensors(true, false); // 15 minutes on: raised, and a recording pass
    EXPECT_EQ(cycle.alarmState().AlarmRooms, "3,");
    EXPECT_EQ(sim.control("get " + lamps[2]), lamps[2] + " on");
    EXPECT_EQ(sim.control("get " + lamps[0]), lamps[0] + " off");
    const auto alarms = store::AlarmsStore(*ctx.databases.kvr).loadAll().value();
    ASSERT_EQ(alarms.size(), 1u) << errors.lines.join('\n').toStdString();
    EXPECT_EQ(alarms[0].Room, 3);
    EXPECT_EQ(alarms[0].Temp, "11");
    EXPECT_EQ(alarms[0].AlarmType, "High");
    EXPECT_EQ(alarms[0].AlarmTemp, 8);

    sim.control("set " + sensors[2] + " temperature 6");
    clock.set(QDateTime(QDate(2026, 7, 1), QTime(10, 21, 0)));
    cycle.ReadSensors(true, false); // back inside: the lamp goes out
    EXPECT_FALSE(cycle.alarmState().ZoneAlarmRaised[2]);
    EXPECT_EQ(sim.control("get " + lamps[2]), lamps[2] + " off");

    const auto monitor = store::MonitorStore(*ctx.databases.kvr).loadAll().value();
    ASSERT_EQ(monitor.size(), 2u); // 10:00 and 10:20
    EXPECT_EQ(monitor[0].RecTime, QTime(10, 0));
    EXPECT_EQ(monitor[1].RecTime, QTime(10, 20));
    EXPECT_EQ(monitor[1].temp(1), "4");
    EXPECT_EQ(monitor[1].temp(2), "3");
    EXPECT_EQ(monitor[1].temp(3), "11");
    EXPECT_TRUE(monitor[1].Alarm);
    EXPECT_FALSE(monitor[0].Alarm);
    EXPECT_TRUE(errors.lines.isEmpty()) << errors.lines.join('\n').toStdString();
}
