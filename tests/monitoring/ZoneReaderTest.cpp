// A zone reading pass over a scripted adapter: values, no-data zones, the Monitor row, Alarms rows, the log.
#include "monitoring/ZoneReader.h"

#include "app/AppContext.h"
#include "base/ErrorReporter.h"
#include "monitoring/ReadLog.h"
#include "monitoring/ZonePassObserver.h"
#include "sensornet/AdapterLink.h"
#include "sensornet/SensorBus.h"
#include "sensornet/TemperatureDecoder.h"
#include "store/AlarmsStore.h"
#include "store/Database.h"
#include "store/MonitorSetsStore.h"
#include "store/MonitorStore.h"
#include "store/SystemStore.h"
#include "support/FakeClock.h"
#include "support/Ha5Commands.h"
#include "support/RecordedDialogs.h"
#include "support/RecordingReporter.h"
#include "support/ScriptedPort.h"
#include "support/TempSite.h"

#include <gtest/gtest.h>

using namespace kelvara;

namespace {

QByteArray scratchpad(const char* lowHigh) {
    const QByteArray bytes = QByteArray::fromHex(QByteArray(lowHigh) + "4B467FFF0C10");
    return (bytes + char(sensornet::decoding::dallasCrc8(bytes))).toHex().toUpper();
}

struct Seen final : monitoring::ZonePassObserver {
    void zoneShown(int index, const store::MonitorSetsRow&, const QString& text) override {
        shown << QString::number(index) + "=" + text;
    }
    void logLine(const QString& line) override { lines << line; }
    QStringList shown;
    QStringList lines;
};

class ZoneReaderTest : public ::testing::Test {
protected:
    ZoneReaderTest()
        : port(clock), link(port, clock, port, dialogs, sensornet::ExchangeRules::monitoring()),
          bus(link, test::ha5Commands()), reader(ctx, bus, clock, log, errors, seen) {
        EXPECT_TRUE(store::createDatabase(site.file("KVR.db"), store::DatabaseKind::Kvr).ok());
        ctx.databases.kvr = std::make_unique<store::Database>(store::DatabaseKind::Kvr);
        EXPECT_TRUE(ctx.databases.kvr->open(site.file("KVR.db")).ok());
        ctx.DatabaseMode = "KVR";
        ctx.settings.TempType = "C";
        ctx.settings.ColdRecMins = 15;
        ctx.LastTime = QTime(0, 0);
        clock.set(QDateTime(QDate(2026, 3, 2), QTime(10, 0, 40)));
        EXPECT_TRUE(log.open(site.file("Kelvara.log")));
        port.on("aR\r", "P\r", 5);
        EXPECT_TRUE(link.resetAdapter("aR\r").has_value());
    }

    void addZone(int room, const QByteArray& rom, bool record, double high = 30) {
        store::MonitorSetsRow z;
        z.Room = room;
        z.Name = QStringLiteral("Zone %1").arg(room);
        z.SerialNo = QString::fromLatin1(rom);
        z.Record = record;
        z.Alarm = true;
        z.HighAlarm = high;
        z.LowAlarm = 0;
        z.CurrentTemp = "7";
        EXPECT_TRUE(store::MonitorSetsStore(*ctx.databases.kvr).insert(z).ok());
    }
    void answers(const QByteArray& rom, const char* lowHigh) {
        port.on("aA" + rom + "\r", rom + "\r", 10);
        port.on("aW0144\r", "44\r", 10);
        port.on("M", rom + "\r", 10);
        port.on("aW0ABEFFFFFFFFFFFFFFFFFF\r", "BE" + scratchpad(lowHigh) + "\r", 20);
    }
    std::vector<store::MonitorRow> monitorRows() {
        return store::MonitorStore(*ctx.databases.kvr).loadAll().value();
    }
    std::vector<store::AlarmsRow> alarmRows() {
        return store::AlarmsStore(*ctx.databases.kvr).loadAll().value();
    }
    std::vector<store::MonitorSetsRow> zones() {
        return store::MonitorSetsStore(*ctx.databases.kvr).loadAll().value();
    }

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
    monitoring::ZoneAlarmState state;
};

const QByteArray kRom1 = "750000000000A128";
const QByteArray kRom2 = "760000000000B228";
const QByteArray kRom3 = "770000000000C328";

} // namespace

TEST_F(ZoneReaderTest, ARecordingPassAddsOneSharedRowWithTheAlarmFlagAsItStoodPerZone) {
    addZone(1, kRom1, true);
    addZone(2, kRom2, false); // raises its alarm but does not record
    addZone(3, kRom3, true);
    answers(kRom1, "9101"); // 25
    answers(kRom2, "D002"); // 45: above 30, delay 0
    answers(kRom3, "4001"); // 20
    reader.Read_C3Cold(state);

    EXPECT_TRUE(errors.lines.isEmpty()) << errors.lines.join('\n').toStdString();
    const auto rows = monitorRows();
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].RecDate, QDate(2026, 3, 2));
    EXPECT_EQ(rows[0].RecTime, QTime(10, 0)); // whole minutes
    EXPECT_EQ(rows[0].temp(1), "25");
    EXPECT_FALSE(rows[0].temp(2).has_value());
    EXPECT_EQ(rows[0].temp(3), "20");
    EXPECT_TRUE(rows[0].Alarm); // zone 3 recorded after zone 2 had raised
    EXPECT_EQ(rows[0].TempType, "C");
    EXPECT_TRUE(alarmRows().empty()); // the raised zone does not record
    EXPECT_EQ(state.AlarmRooms, "2,");
    EXPECT_EQ(ctx.LastTime, QTime(10, 0));
    EXPECT_EQ(store::SystemStore(*ctx.databases.kvr).load()->LastTime, QTime(10, 0));
    EXPECT_EQ(seen.shown, QStringList({"0=25", "1=45", "2=20"}));
    EXPECT_EQ(zones()[1].CurrentTemp, "45");
    EXPECT_FALSE(port.spinDetected);
}

TEST_F(ZoneReaderTest, TheFlagIsFalseWhenNoZoneRecordsAfterTheRaise) {
    addZone(1, kRom1, true);
    addZone(2, kRom2, false);
    answers(kRom1, "9101");
    answers(kRom2, "D002");
    reader.Read_C3Cold(state);
    const auto rows = monitorRows();
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_FALSE(rows[0].Alarm);
}

TEST_F(ZoneReaderTest, ARaisedZoneThatRecordsGetsItsAlarmsRowOnlyOnRecordingPasses) {
    addZone(4, kRom1, true);
    answers(kRom1, "D002");
    reader.Read_C3Cold(state);
    auto alarms = alarmRows();
    ASSERT_EQ(alarms.size(), 1u);
    EXPECT_EQ(alarms[0].Room, 4);
    EXPECT_EQ(alarms[0].Temp, "45");
    EXPECT_EQ(alarms[0].AlarmTemp, 30);
    EXPECT_EQ(alarms[0].AlarmType, "High");
    EXPECT_EQ(alarms[0].Time, QTime(10, 0));

    clock.advanceSeconds(60); // the next pass does not record: no row, though the zone is raised again
    reader.Read_C3Cold(state);
    EXPECT_EQ(state.AlarmRooms, "4,");
    EXPECT_EQ(alarmRows().size(), 1u);
    EXPECT_EQ(monitorRows().size(), 1u);
}

TEST_F(ZoneReaderTest, ASilentSensorShowsNrKeepsItsLastValueAndRecordsIt) {
    addZone(1, kRom1, true);
    store::MonitorSetsRow z = zones()[0];
    z.Alarmstarted = true;
    z.AlarmOn = QTime(9, 0);
    ASSERT_TRUE(store::MonitorSetsStore(*ctx.databases.kvr).update(z).ok());
    // No answer at all: three attempts of reset and address, each waiting out its deadline.
    reader.Read_C3Cold(state);

    EXPECT_EQ(seen.shown, QStringList({"0=NR"}));
    const auto after = zones()[0];
    EXPECT_EQ(after.CurrentTemp, "7");
    EXPECT_TRUE(after.TimeRead.has_value());
    EXPECT_TRUE(after.Alarmstarted); // no data changes no alarm state
    EXPECT_EQ(after.AlarmOn, QTime(9, 0));
    ASSERT_EQ(monitorRows().size(), 1u);
    EXPECT_EQ(monitorRows()[0].temp(1), "7");
    ASSERT_EQ(seen.lines.size(), 1);
    EXPECT_TRUE(seen.lines[0].startsWith("COLD   Error   Error             ")) << seen.lines[0].toStdString();
    EXPECT_TRUE(seen.lines[0].endsWith("    1   Zone 1   NR"));
    EXPECT_EQ(port.written.count("aR\r"), 4); // the reset that opened the port, then three attempts
}

TEST_F(ZoneReaderTest, APassWithinTheRecordIntervalStoresNothingButTheZones) {
    ctx.LastTime = QTime(9, 50);
    addZone(1, kRom1, true);
    answers(kRom1, "9101");
    reader.Read_C3Cold(state);
    EXPECT_TRUE(monitorRows().empty());
    EXPECT_EQ(ctx.LastTime, QTime(9, 50));
    EXPECT_EQ(zones()[0].CurrentTemp, "25");
    ASSERT_EQ(seen.lines.size(), 1);
    EXPECT_TRUE(
        seen.lines[0].startsWith("COLD   750000000000A128   " + scratchpad("9101") + "             "));
}
