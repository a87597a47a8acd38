// A zone reading pass over a scripted adapter: values, no-data zones, the Monitor row, Alarms rows, the log.
#include "monitoring/ZoneReader.h"

#include "monitoring/ReadLog.h"
#include "monitoring/ZonePassObserver.h"
#include "sensornet/SensorBus.h"
#include "sensornet/TemperatureDecoder.h"
#include "store/AlarmsStore.h"
#include "store/MonitorSetsStore.h"
#include "store/MonitorStore.h"
#include "store/SystemStore.h"
#include "support/QtPrinters.h"
#include "support/RecordingReporter.h"
#include "support/ScriptedLink.h"
#include "support/SiteBench.h"

#include <gtest/gtest.h>

using namespace kelvara;

namespace {

// A DS18B20 scratchpad with this temperature (low byte first) and its CRC, as hex.
QByteArray scratchpad(const char* lowHigh) {
    const QByteArray bytes = QByteArray::fromHex(QByteArray(lowHigh) + "4B467FFF0C10");
    return (bytes + char(sensornet::decoding::dallasCrc8(bytes))).toHex().toUpper();
}

struct Seen final : monitoring::ZonePassObserver {
    void zoneStarted(int index) override {
        if (onZoneStarted)
            onZoneStarted(index);
    }
    void zoneShown(int index, const store::MonitorSetsRow&, const QString& text) override {
        shown << QString::number(index) + "=" + text;
    }
    void logLine(const QString& line) override { lines << line; }
    QStringList shown;
    QStringList lines;
    std::function<void(int)> onZoneStarted;
};

const QByteArray kRom1 = "750000000000A128";
const QByteArray kRom2 = "760000000000B228";
const QByteArray kRom3 = "770000000000C328";

class ZoneReaderTest : public ::testing::Test, protected test::SiteContext, protected test::ScriptedAdapter {
protected:
    ZoneReaderTest() : ScriptedAdapter(sensornet::ExchangeRules::monitoring()) {
        ctx.settings.TempType = "C";
        ctx.settings.ColdRecMins = 15;
        ctx.LastTime = QTime(0, 0);
        clock.set(QDateTime(QDate(2026, 3, 2), QTime(10, 0, 40)));
        EXPECT_TRUE(log.open(site.file("Kelvara.log")));
        test::openScriptedLink(link, port);
    }

    // A zone whose alarm is raised above 30 at once; its last reading was 7.
    void addZone(int room, const QByteArray& rom, bool record) {
        store::MonitorSetsRow z;
        z.Room = room;
        z.Name = QStringLiteral("Zone %1").arg(room);
        z.SerialNo = QString::fromLatin1(rom);
        z.Record = record;
        z.Alarm = true;
        z.HighAlarm = 30;
        z.LowAlarm = 0;
        z.CurrentTemp = "7";
        EXPECT_TRUE(zoneStore().insert(z).ok());
    }
    // The sensor answers every step of a reading, with this temperature.
    void answers(const QByteArray& rom, const char* lowHigh) {
        port.on("aA" + rom + "\r", rom + "\r", 10);
        port.on("aW0144\r", "44\r", 10);
        port.on("M", rom + "\r", 10);
        port.on("aW0ABEFFFFFFFFFFFFFFFFFF\r", "BE" + scratchpad(lowHigh) + "\r", 20);
    }
    [[nodiscard]] store::MonitorSetsStore zoneStore() const {
        return store::MonitorSetsStore(*ctx.databases.kvr);
    }
    [[nodiscard]] std::vector<store::MonitorRow> monitorRows() const {
        return store::MonitorStore(*ctx.databases.kvr).loadAll().value();
    }
    [[nodiscard]] std::vector<store::AlarmsRow> alarmRows() const {
        return store::AlarmsStore(*ctx.databases.kvr).loadAll().value();
    }

    monitoring::ReadLog log;
    test::RecordingReporter errors;
    Seen seen;
    sensornet::SensorBus bus{link, test::ha5Commands()};
    monitoring::ZoneReader reader{ctx, bus, clock, log, errors, seen};
    monitoring::ZoneAlarmState state;
};

} // namespace

// The Monitor row's alarm flag is the pass's state when each recording zone is stored: false while only
// zones before the raised one record, true once one after it does.
TEST_F(ZoneReaderTest, ARecordingPassAddsOneSharedRowWithTheAlarmFlagAsItStoodPerZone) {
    addZone(1, kRom1, true);
    addZone(2, kRom2, false); // raises its alarm but does not record
    answers(kRom1, "9101");   // 25
    answers(kRom2, "D002");   // 45: above 30, delay 0
    reader.Read_C3Cold(state);
    ASSERT_EQ(monitorRows().size(), 1u);
    EXPECT_FALSE(monitorRows()[0].Alarm);

    addZone(3, kRom3, true);
    answers(kRom1, "9101");
    answers(kRom2, "D002");
    answers(kRom3, "4001"); // 20
    clock.set(QDateTime(QDate(2026, 3, 2), QTime(10, 15, 5)));
    seen.shown.clear();
    reader.Read_C3Cold(state);

    EXPECT_TRUE(errors.lines.isEmpty()) << errors.lines.join('\n').toStdString();
    const auto rows = monitorRows();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[1].RecDate, QDate(2026, 3, 2));
    EXPECT_EQ(rows[1].RecTime, QTime(10, 15)); // whole minutes
    EXPECT_EQ(rows[1].temp(1), "25");
    EXPECT_FALSE(rows[1].temp(2).has_value());
    EXPECT_EQ(rows[1].temp(3), "20");
    EXPECT_TRUE(rows[1].Alarm);
    EXPECT_EQ(rows[1].TempType, "C");
    EXPECT_TRUE(alarmRows().empty()); // the raised zone does not record
    EXPECT_EQ(state.AlarmRooms, "2,");
    EXPECT_EQ(ctx.LastTime, QTime(10, 15));
    EXPECT_EQ(store::SystemStore(*ctx.databases.kvr).load()->LastTime, QTime(10, 15));
    EXPECT_EQ(seen.shown, QStringList({"0=25", "1=45", "2=20"}));
    EXPECT_EQ(zoneStore().findByRoom(2).value()->CurrentTemp, "45");
    EXPECT_FALSE(port.spinDetected);
}

TEST_F(ZoneReaderTest, ARaisedZoneGetsItsAlarmsRowOnlyOnRecordingPassesAndPlainPassesStoreOnlyTheZones) {
    addZone(4, kRom1, true);
    answers(kRom1, "D002"); // 45
    reader.Read_C3Cold(state);
    const auto alarms = alarmRows();
    ASSERT_EQ(alarms.size(), 1u);
    EXPECT_EQ(alarms[0].Room, 4);
    EXPECT_EQ(alarms[0].Temp, "45");
    EXPECT_EQ(alarms[0].AlarmTemp, 30);
    EXPECT_EQ(alarms[0].AlarmType, "High");
    EXPECT_EQ(alarms[0].Time, QTime(10, 0));

    // A minute on, within the record interval: the zone is raised again but only its reading is stored.
    answers(kRom1, "E002"); // 46
    clock.advanceSeconds(60);
    reader.Read_C3Cold(state);
    EXPECT_EQ(state.AlarmRooms, "4,");
    EXPECT_EQ(alarmRows().size(), 1u);
    EXPECT_EQ(monitorRows().size(), 1u);
    EXPECT_EQ(ctx.LastTime, QTime(10, 0));
    EXPECT_EQ(zoneStore().findByRoom(4).value()->CurrentTemp, "46");
    ASSERT_EQ(seen.lines.size(), 2);
    EXPECT_TRUE(
        seen.lines[1].startsWith("COLD   750000000000A128   " + scratchpad("E002") + "             "));
    EXPECT_TRUE(seen.lines[1].endsWith("    4   Zone 4   46"));
    // The log file holds the same lines after its heading.
    EXPECT_TRUE(site.read("Kelvara.log").endsWith((seen.lines.join("\r\n") + "\r\n").toLocal8Bit()));
}

TEST_F(ZoneReaderTest, ASilentSensorShowsNrKeepsItsLastValueAndRecordsIt) {
    addZone(1, kRom1, true);
    store::MonitorSetsRow z = *zoneStore().findByRoom(1).value();
    z.Alarmstarted = true;
    z.AlarmOn = QTime(9, 0);
    ASSERT_TRUE(zoneStore().update(z).ok());
    // No answer at all: three attempts of reset and address, each waiting out its deadline.
    reader.Read_C3Cold(state);

    EXPECT_EQ(seen.shown, QStringList({"0=NR"}));
    const store::MonitorSetsRow after = *zoneStore().findByRoom(1).value();
    EXPECT_EQ(after.CurrentTemp, "7");
    EXPECT_TRUE(after.TimeRead.has_value());
    EXPECT_TRUE(after.Alarmstarted); // no data changes no alarm state
    EXPECT_EQ(after.AlarmOn, QTime(9, 0));
    ASSERT_EQ(monitorRows().size(), 1u);
    EXPECT_EQ(monitorRows()[0].temp(1), "7");
    ASSERT_EQ(seen.lines.size(), 1);
    EXPECT_TRUE(seen.lines[0].startsWith("COLD   Error   Error             ")) << seen.lines[0].toStdString();
    EXPECT_TRUE(seen.lines[0].endsWith("    1   Zone 1   NR"));
    EXPECT_EQ(port.written.count("aR\r"), 3);
}

// A cut of the program before the first zone's values are committed must not count the minute as recorded.
TEST_F(ZoneReaderTest, TheRecordTimeIsStoredWithTheFirstZonesValuesNotBefore) {
    addZone(1, kRom1, true);
    answers(kRom1, "9101");
    std::optional<QTime> storedAtFirstZone;
    seen.onZoneStarted = [&](int index) {
        if (index == 0)
            storedAtFirstZone = store::SystemStore(*ctx.databases.kvr).load()->LastTime;
    };
    reader.Read_C3Cold(state);
    EXPECT_NE(storedAtFirstZone, QTime(10, 0)) << "the minute was stored before any value of it";
    EXPECT_EQ(store::SystemStore(*ctx.databases.kvr).load()->LastTime, QTime(10, 0));
    EXPECT_EQ(monitorRows().size(), 1u);
}

// With the pass-wide conversion the sensor keeps its previous scratchpad until the read slots read 1; a
// pass that read before then would record the first pass's value again.
TEST_F(ZoneReaderTest, APassConvertsEverySensorOnceWaitsForItAndReadsTheNewValue) {
    sensornet::AdapterCommands commands = test::ha5Commands();
    commands.ConvertAllCmd = "aW02CC44\r";
    sensornet::SensorBus passBus(link, commands);
    monitoring::ZoneReader passReader(ctx, passBus, clock, log, errors, seen);
    const QByteArray read = "aW0ABEFFFFFFFFFFFFFFFFFF\r";
    addZone(1, kRom1, true);
    answers(kRom1, "9101"); // 25
    port.on("aW02CC44\r", "CC44\r", 10);
    port.on("aB1\r", "1\r", 5);
    passReader.Read_C3Cold(state);

    // The second conversion takes two waits; until then the scratchpad still says 25.
    port.on("aB1\r", "0\r", 5);
    int waited = 0;
    port.duringPause = [&] {
        if (++waited == 2) {
            port.on(read, "BE" + scratchpad("E001") + "\r", 20); // 30
            port.on("aB1\r", "1\r", 5);
        }
    };
    clock.set(QDateTime(QDate(2026, 3, 2), QTime(10, 15, 5)));
    passReader.Read_C3Cold(state);

    EXPECT_TRUE(errors.lines.isEmpty()) << errors.lines.join('\n').toStdString();
    EXPECT_EQ(seen.shown, QStringList({"0=25", "0=30"}));
    ASSERT_EQ(monitorRows().size(), 2u);
    EXPECT_EQ(monitorRows()[1].temp(1), "30");
    EXPECT_EQ(port.written.count("aW02CC44\r"), 2);
    EXPECT_EQ(port.written.count("aW0144\r"), 0);
    EXPECT_FALSE(port.spinDetected);
}
