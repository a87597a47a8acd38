// The serial link and every bus operation through a real pseudo-terminal, against the bus simulator.
#include "app/ComPortSettings.h"
#include "app/SystemClock.h"
#include "app/UserSettings.h"
#include "sensornet/EventLoopPause.h"
#include "sensornet/SensorBus.h"
#include "sensornet/SystemSerialPort.h"
#include "support/Ha5Commands.h"
#include "support/QtPrinters.h"
#include "support/RecordedDialogs.h"
#include "support/RecordingReporter.h"
#include "support/SimProcess.h"
#include "support/TempSite.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <memory>

using namespace kelvara;
using sensornet::ReadState;

namespace {

const QString kZone = QStringLiteral("750000000000A128");    // sixteenth-degree sensor at 25.0625 °C
const QString kOldZone = QStringLiteral("790000000000B710"); // half-degree sensor at -10.5 °C
const QString kLamp = QStringLiteral("610000000000C105");    // alarm lamp, off at start
const QString kLitLamp = QStringLiteral("380000000000C205"); // alarm lamp, on at start
const QString kThermo = QStringLiteral("E70000000000D130");  // type K, 100 °C, cold junction 25 °C

const QByteArray kScenario = R"({"devices": [
    {"rom": "750000000000A128", "temperature": 25.0625},
    {"rom": "790000000000B710", "temperature": -10.5},
    {"rom": "610000000000C105", "on": false},
    {"rom": "380000000000C205", "on": true},
    {"rom": "E70000000000D130", "type": "K", "temperature": 100, "coldJunction": 25},
    {"rom": "B80000000000B828", "temperature": 20, "fault": "absent"}
]})";

class SimulatorTest : public ::testing::Test {
protected:
    // Starts the simulator and opens the link on its terminal the way the program does: port settings from
    // the settings store, then an adapter reset. With checksums, the simulator signs its answers and the
    // settings say so.
    void connect(bool checksums = false, const QByteArray& scenario = kScenario) {
        sim = std::make_unique<test::SimProcess>(
            scenario, checksums ? QStringList{QStringLiteral("--checksum")} : QStringList{});
        ASSERT_TRUE(sim->started()) << test::SimProcess::binary().toStdString() << ": "
                                    << sim->errorOutput().toStdString();
        settings.save("Properties", "Settings", "115200,n,8,1");
        settings.save("Properties", "PortName", sim->ptyPath());
        if (checksums)
            settings.save("Properties", "Checksum", "1");
        ASSERT_EQ(link.configurePort(app::readLineSettings(settings)),
                  sensornet::ConfigureOutcome::Configured);
        const auto reset = link.resetAdapter(bus.commands().ResetCmd);
        ASSERT_TRUE(reset.has_value()) << dialogs.texts.join(" | ").toStdString();
        EXPECT_EQ(*reset, "P\r");
        EXPECT_TRUE(dialogs.texts.isEmpty());
    }

    static QStringList sorted(QStringList roms) {
        roms.sort();
        return roms;
    }
    static QStringList romsOf(const std::vector<sensornet::FoundDevice>& found) {
        QStringList roms;
        for (const auto& d : found)
            roms << d.romId;
        return sorted(roms);
    }

    std::unique_ptr<test::SimProcess> sim;
    test::TempSite site;
    app::UserSettings settings{site.file("user.ini")};
    app::SystemClock clock;
    sensornet::EventLoopPause pause;
    std::unique_ptr<sensornet::SerialPort> port = sensornet::makeSystemSerialPort();
    test::RecordedDialogs dialogs;
    test::RecordingReporter reporter;
    sensornet::AdapterLink link{*port,    clock, pause, dialogs, sensornet::ExchangeRules::monitoring(),
                                &reporter};
    sensornet::SensorBus bus{link, test::ha5Commands()};
};

class SimulatorWalk : public SimulatorTest, public ::testing::WithParamInterface<bool> {};

TEST_P(SimulatorWalk, FindsReadsAndSwitchesEveryDevice) {
    connect(GetParam());
    EXPECT_TRUE(bus.adapterPresent());
    const auto found = bus.enumerate(sensornet::DeviceSearch::All);
    EXPECT_EQ(romsOf(found), sorted({kZone, kOldZone, kLamp, kLitLamp, kThermo}));
    for (const auto& d : found)
        EXPECT_EQ(d.rawAnswer, d.romId + "\r");
    EXPECT_EQ(romsOf(bus.enumerate(sensornet::DeviceSearch::AlarmSwitches)), sorted({kLamp, kLitLamp}));
    EXPECT_EQ(romsOf(bus.enumerate(sensornet::DeviceSearch::Thermocouples)), QStringList{kThermo});

    // Sensors of both formats; the sixteenth-degree one gives its whole degrees.
    const sensornet::SensorReading zone = bus.readSensor(kZone);
    EXPECT_EQ(zone.state, ReadState::Read);
    EXPECT_DOUBLE_EQ(zone.celsius, 25.0);
    EXPECT_EQ(zone.attempts, 1);
    EXPECT_EQ(zone.addressAnswer, kZone);
    EXPECT_EQ(zone.temperatureAnswer.size(), 19); // nine bytes and the carriage return, no echo
    const sensornet::SensorReading old = bus.readSensor(kOldZone);
    EXPECT_EQ(old.state, ReadState::Read);
    EXPECT_DOUBLE_EQ(old.celsius, -10.5);
    EXPECT_EQ(sim->control("set " + kZone + " temperature -0.5"), "ok");
    EXPECT_DOUBLE_EQ(bus.readSensor(kZone).celsius, -1.0);

    // Type K at 100 °C over 25 °C: the current register holds 199 counts of EMF, the temperature register the
    // cold junction in eighths of a degree; reserved addresses read FFh.
    ASSERT_EQ(bus.select(kThermo), kThermo);
    EXPECT_EQ(bus.readThermocouple(), "690E06380000FFFFFFFFFFFF1900\r");

    sensornet::SwitchList lamps = bus.activeSwitches();
    EXPECT_EQ(lamps.entries().size(), 1u);
    EXPECT_TRUE(lamps.isOn(kLitLamp));
    EXPECT_EQ(bus.toggleSwitch(kLamp), kLamp);
    lamps = bus.activeSwitches();
    EXPECT_TRUE(lamps.isOn(kLamp));
    EXPECT_TRUE(lamps.isOn(kLitLamp));
    EXPECT_EQ(sim->control("get " + kLamp), kLamp + " on");
    // Putting out every lamp of the list by addressing its entry.
    for (const auto& entry : lamps.ofFamily("05"))
        bus.address(entry.text);
    EXPECT_TRUE(bus.activeSwitches().entries().empty());
    EXPECT_TRUE(reporter.lines.isEmpty()) << reporter.lines.join(" | ").toStdString();
}

INSTANTIATE_TEST_SUITE_P(Answers, SimulatorWalk, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& info) {
                             return std::string(info.param ? "WithChecksums" : "Plain");
                         });

// Conversions that take the sensors' own time, with a lit lamp on the bus: each read after the pass-wide
// conversion has the value of that conversion, not the power-on value or the one before.
TEST_F(SimulatorTest, ReadsAfterThePassConversionHaveItsValue) {
    connect(false, QByteArray(kScenario).replace(R"({"devices")", R"({"conversionScale": 1, "devices")"));
    sensornet::AdapterCommands commands = test::ha5Commands();
    commands.ConvertAllCmd = QStringLiteral("aW02CC44\r");
    sensornet::SensorBus passBus(link, commands);
    for (const double celsius : {25.0, 30.0}) {
        EXPECT_EQ(sim->control("set " + kZone + " temperature " + QString::number(celsius)), "ok");
        ASSERT_TRUE(passBus.convertAll());
        const sensornet::SensorReading zone = passBus.readSensor(kZone, true);
        EXPECT_EQ(zone.attempts, 1);
        EXPECT_DOUBLE_EQ(zone.celsius, celsius);
    }
}

TEST_F(SimulatorTest, AdapterTroubleGivesNoReadingAndAtMostOneReport) {
    connect();
    // A second link cannot open the port this one holds.
    const auto secondPort = sensornet::makeSystemSerialPort();
    test::RecordedDialogs secondDialogs;
    sensornet::AdapterLink second(*secondPort, clock, pause, secondDialogs,
                                  sensornet::ExchangeRules::installation());
    ASSERT_EQ(second.configurePort(app::readLineSettings(settings)), sensornet::ConfigureOutcome::Configured);
    EXPECT_FALSE(second.resetAdapter("aR\r").has_value());
    EXPECT_EQ(secondDialogs.texts,
              QStringList{"Please check your COM Port Settings and cable connections.   Error #:8003"});
    EXPECT_TRUE(link.isOpen());

    // A silent adapter or garbled answers are SensorBusTest's; on a real terminal, a silent adapter reports
    // nothing.
    EXPECT_EQ(sim->control("adapter silent"), "ok");
    EXPECT_FALSE(bus.adapterPresent());
    EXPECT_TRUE(reporter.lines.isEmpty());

    // Unplugged: the exchange ends with at most one report of the port's failure.
    EXPECT_EQ(sim->control("adapter closed"), "ok");
    EXPECT_EQ(bus.select(kZone), "Error");
    EXPECT_LE(reporter.lines.size(), 1) << reporter.lines.join(" | ").toStdString();
    for (const QString& line : reporter.lines)
        EXPECT_TRUE(line.endsWith(" in Module:Port_Data"));
}

TEST(RealPort, MissingDeviceIsError8002AndTheLinkStaysClosed) {
    test::TempSite site;
    app::UserSettings settings(site.file("user.ini"));
    settings.save("Properties", "Settings", "115200,n,8,1");
    settings.save("Properties", "PortName", site.file("no-such-tty"));
    app::SystemClock clock;
    sensornet::EventLoopPause pause;
    const auto port = sensornet::makeSystemSerialPort();
    test::RecordedDialogs dialogs;
    sensornet::AdapterLink link(*port, clock, pause, dialogs, sensornet::ExchangeRules::monitoring());
    ASSERT_EQ(link.configurePort(app::readLineSettings(settings)), sensornet::ConfigureOutcome::Configured);
    EXPECT_FALSE(link.resetAdapter("aR\r").has_value());
    EXPECT_FALSE(link.isOpen());
    ASSERT_EQ(dialogs.texts.size(), 1);
    EXPECT_EQ(dialogs.texts[0], "Please check your COM Port Settings and cable connections.   Error #:8002");
}

} // namespace
