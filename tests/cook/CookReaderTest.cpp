// The cook reading pass over a scripted adapter: readings, done rules, records, HotViewer.log, HOT lines,
// lamps.
#include "cook/CookReader.h"

#include "cook/CookCycleList.h"
#include "cook/CookLamps.h"
#include "monitoring/ReadLog.h"
#include "monitoring/ZonePassObserver.h"
#include "sensornet/SensorBus.h"
#include "sensornet/SwitchList.h"
#include "store/CookCyclesStore.h"
#include "store/SystemStore.h"
#include "store/ThermoSensorsStore.h"
#include "support/RecordingReporter.h"
#include "support/ScriptedLink.h"
#include "support/SiteBench.h"
#include "thermocouple/ThermocoupleReference.h"

#include <cmath>
#include <gtest/gtest.h>

using namespace kelvara;

namespace {

const QByteArray kRom1 = "E70000000000D130";
const QByteArray kRom3 = "E80000000000D230";
const QByteArray kLamp1 = "610000000000C105";
const QByteArray kThermoCmd = "aW0E690EFFFFFFFFFFFFFFFFFFFFFFFF\r";

// A type K interface whose hot junction is at `hot` and cold junction at 25 °C.
QByteArray kAnswer(double hot) {
    const double emf =
        *thermocouple::referenceEmfMicrovolts('K', hot) - *thermocouple::referenceEmfMicrovolts('K', 25);
    const auto current = static_cast<quint16>(static_cast<int>(std::ceil(emf / 15.625)) * 8);
    return "690E" + QString::number(current, 16).rightJustified(4, QLatin1Char('0')).toUpper().toLatin1() +
           "0000FFFFFFFFFFFF1900\r";
}

// A small K table around the temperatures these tests read, from the reference function.
cook::ThermoTable kTable() {
    cook::ThermoTable table;
    for (int c = 0; c <= 400; ++c)
        table.add('K', c, *thermocouple::referenceEmfMicrovolts('K', c));
    return table;
}

struct Lines final : monitoring::ZonePassObserver {
    void logLine(const QString& line) override { lines << line; }
    void processEvents() override {
        if (duringPass)
            duringPass();
    }
    QStringList lines;
    std::function<void()> duringPass;
};

class CookReaderTest : public ::testing::Test, protected test::SiteContext, protected test::ScriptedAdapter {
protected:
    CookReaderTest()
        : SiteContext(QStringLiteral("KVRThermo")), ScriptedAdapter(sensornet::ExchangeRules::monitoring()) {
        ctx.settings.TempType = "C";
        ctx.settings.HotRecHours = 0;
        ctx.settings.HotRecMins = 5;
        ctx.HotLastTime = QTime(10, 0);
        clock.set(QDateTime(QDate(2026, 3, 2), QTime(10, 5, 10)));
        EXPECT_TRUE(log.open(site.file("Kelvara.log")));
        test::openScriptedLink(link, port);
        reader.setTable(kTable());
        port.on("aR\r", "P\r", 5);
    }

    // A started sensor, stored and running.
    void run(int sensorNo, const QByteArray& rom, const QString& name, int target, bool alarm = true) {
        const store::ThermoSensorsRow s{.SensorNo = sensorNo,
                                        .Name = name,
                                        .SerialNo = QString::fromLatin1(rom),
                                        .LightSerialNo =
                                            sensorNo == 1 ? QString::fromLatin1(kLamp1) : QString(),
                                        .SensorType = "K",
                                        .Alarm = alarm,
                                        .Selected = true,
                                        .Started = true,
                                        .Target = target,
                                        .BatchNo = 40 + sensorNo};
        EXPECT_TRUE(sensors().insert(s).ok());
        cycles.append(cook::CookCycleList::fromSensor(s));
    }
    void answers(const QByteArray& rom, const QByteArray& thermo) {
        port.on("aA" + rom + "\r", rom + "\r", 10);
        port.on(kThermoCmd, thermo, 20);
    }
    [[nodiscard]] store::ThermoSensorsStore sensors() const {
        return store::ThermoSensorsStore(*ctx.databases.thermo);
    }
    [[nodiscard]] std::vector<store::CookCyclesRow> records() const {
        return store::CookCyclesStore(*ctx.databases.thermo).loadAll().value();
    }

    monitoring::ReadLog log;
    test::RecordingReporter errors;
    Lines seen;
    sensornet::SensorBus bus{link, test::ha5Commands()};
    cook::CookCycleList cycles;
    cook::CookReader reader{ctx, bus, clock, log, errors, seen, cycles};
};

} // namespace

TEST_F(CookReaderTest, APassReadsRecordsAndLogsEveryRunningCycle) {
    run(1, kRom1, "Kettle", 180);
    run(3, kRom3, "Oven 1", 160); // its interface never echoes its address
    answers(kRom1, kAnswer(100));
    reader.Read_C3Hot();

    EXPECT_TRUE(errors.lines.isEmpty()) << errors.lines.join('\n').toStdString();
    EXPECT_EQ(cycles.row(0).CurrentTemp, "100");
    EXPECT_EQ(cycles.row(1).CurrentTemp, "NR");
    // HotViewer.log and a read sensor's HOT line are HeadlessCookTest's, from the real program; here the line
    // of an interface that never echoed.
    ASSERT_EQ(seen.lines.size(), 2);
    EXPECT_TRUE(seen.lines[1].startsWith("HOT    Error   Null   ")) << seen.lines[1].toStdString();
    EXPECT_TRUE(seen.lines[1].endsWith("   3   Oven 1  NR"));

    auto rows = records();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].BatchNo, 41);
    EXPECT_EQ(rows[0].Temperature, "100");
    EXPECT_EQ(rows[0].Time, "10:05 am");
    EXPECT_EQ(rows[0].DayTime, "2 - 10:05");
    EXPECT_EQ(rows[1].Temperature, "NR");
    EXPECT_EQ(store::SystemStore(*ctx.databases.kvr).load()->HotLastTime, QTime(10, 5));
}

TEST_F(CookReaderTest, TheRecordDecisionFollowsTheIntervalAndMidnight) {
    struct Case {
        int hours;
        double minutes;
        QTime last;
        QDateTime now;
        bool records;
    };
    const Case cases[] = {
        {0, 0, QTime(10, 0), QDateTime(QDate(2026, 3, 2), QTime(15, 0)), false}, // no interval, no rows ever
        {0, 10, QTime(23, 58), QDateTime(QDate(2026, 3, 3), QTime(0, 3)), true}, // past midnight
        {0, 10, QTime(10, 0), QDateTime(QDate(2026, 3, 2), QTime(10, 9, 59)), false},
        {0, 10, QTime(10, 0), QDateTime(QDate(2026, 3, 2), QTime(10, 10)), true},
        {24, 0, QTime(0, 0), QDateTime(QDate(2026, 3, 2), QTime(23, 59)), false}, // hours do not overflow
    };
    run(1, kRom1, "Kettle", 180);
    answers(kRom1, kAnswer(100));
    std::size_t before = 0;
    for (const Case& c : cases) {
        ctx.settings.HotRecHours = c.hours;
        ctx.settings.HotRecMins = c.minutes;
        ctx.HotLastTime = c.last;
        clock.set(c.now);
        reader.Read_C3Hot();
        EXPECT_EQ(records().size(), before + (c.records ? 1 : 0)) << c.now.toString().toStdString();
        before = records().size();
    }
}

TEST_F(CookReaderTest, ACycleIsDoneAtItsTargetAndStaysDoneThroughANoReading) {
    run(1, kRom1, "Kettle", 100);
    answers(kRom1, kAnswer(100));
    reader.Read_C3Hot(); // done, its lamp lit and its sound played: CookWalk's, on the simulated bus
    ASSERT_TRUE(cycles.ThermoDone[1]);
    EXPECT_EQ(cycles.LightSerial[1], QString::fromLatin1(kLamp1));

    port.on(kThermoCmd, "FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF\r", 20); // all F: the device drives no data
    clock.advanceSeconds(60);
    reader.Read_C3Hot();
    EXPECT_EQ(cycles.row(0).CurrentTemp, "NR");
    EXPECT_TRUE(cycles.ThermoDone[1]);
    EXPECT_TRUE(cycles.row(0).CookDone);

    answers(kRom1, kAnswer(90)); // cooled below the target: no longer done, though it was once
    reader.Read_C3Hot();
    EXPECT_FALSE(cycles.ThermoDone[1]);
    EXPECT_TRUE(cycles.LightSerial[1].isEmpty());
    EXPECT_TRUE(cycles.row(0).CookDone);
}

TEST_F(CookReaderTest, OneCorruptedAnswerAboveTheTargetDoesNotMakeACycleDone) {
    run(1, kRom1, "Kettle", 150);
    port.on("aA" + kRom1 + "\r", kRom1 + "\r", 10);
    port.on(kThermoCmd, kAnswer(300), 20); // a damaged digit reads hot
    port.on(kThermoCmd, kAnswer(100), 20); // the confirming read is the true one
    reader.Read_C3Hot();
    EXPECT_EQ(cycles.row(0).CurrentTemp, "100");
    EXPECT_FALSE(cycles.ThermoDone[1]);
    EXPECT_FALSE(cycles.row(0).CookDone);
    EXPECT_FALSE(sensors().findBySensorNo(1).value()->Cookdone);
}

TEST_F(CookReaderTest, TheCookDoneSoundFollowsTheSensorsAlarmFlag) {
    run(1, kRom1, "Kettle", 80, false);
    answers(kRom1, kAnswer(100));
    reader.Read_C3Hot();
    EXPECT_TRUE(cycles.ThermoDone[1]);
    EXPECT_FALSE(cycles.ThermoSound[1]);
    EXPECT_FALSE(cycles.CookDone);
}

TEST_F(CookReaderTest, ACycleStoppedWhileTheAdapterAnswersDropsOutOfThePass) {
    run(1, kRom1, "Kettle", 180);
    run(3, kRom3, "Oven 1", 160);
    answers(kRom1, kAnswer(100));
    seen.duringPass = [this] {
        if (cycles.indexOfSensor(3) >= 0)
            cycles.removeAt(cycles.indexOfSensor(3));
    };
    reader.Read_C3Hot();
    ASSERT_EQ(cycles.size(), 1);
    EXPECT_EQ(test::TempSite::readFile(site.file("HotViewer.log")), "1,Kettle,100,180\r\n");
}

TEST_F(CookReaderTest, DoneLampsAreLitUpToSensorTenAndAStoppedCyclesLampGoesOut) {
    cook::CookLamps lamps(bus, cycles);
    cycles.ThermoDone[10] = true;
    cycles.LightSerial[10] = QString::fromLatin1(kLamp1);
    cycles.LampsToPutOut << "620000000000C205"
                         << "630000000000C305";
    lamps.Light_Panel(sensornet::SwitchList(QStringLiteral("620000000000C205 \r")));
    const QList<QByteArray> expected{"aA620000000000C205\r", "aR\r", "aA" + kLamp1 + "\r"};
    EXPECT_EQ(port.written, expected);
    EXPECT_TRUE(cycles.LampsToPutOut.isEmpty());

    port.written = {};
    lamps.Light_Panel(sensornet::SwitchList(QString::fromLatin1(kLamp1) + " \r")); // already lit: left alone
    EXPECT_TRUE(port.written.isEmpty());
}
