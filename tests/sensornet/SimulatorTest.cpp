// The serial link and every bus operation through a real pseudo-terminal, against the bus simulator.
#include "QtPrinters.h"
#include "app/ComPortSettings.h"
#include "app/SystemClock.h"
#include "app/UserSettings.h"
#include "sensornet/EventLoopPause.h"
#include "sensornet/SensorBus.h"
#include "sensornet/SystemSerialPort.h"
#include "support/Ha5Commands.h"
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
const QString kGone = QStringLiteral("B80000000000B828");    // a sensor that has left the bus

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
    // the settings store, then an adapter reset.
    void connect(const QStringList& options = {}, bool checksumSetting = false) {
        sim = std::make_unique<test::SimProcess>(kScenario, options);
        ASSERT_TRUE(sim->started()) << test::SimProcess::binary().toStdString() << ": "
                                    << sim->errorOutput().toStdString();
        settings.save("Properties", "Settings", "115200,n,8,1");
        settings.save("Properties", "PortName", sim->ptyPath());
        if (checksumSetting)
            settings.save("Properties", "Checksum", "1");
        ASSERT_EQ(link.configurePort(app::readLineSettings(settings)),
                  sensornet::ConfigureOutcome::Configured);
        const auto reset = link.resetAdapter(bus.commands().ResetCmd);
        ASSERT_TRUE(reset.has_value()) << dialogs.texts.join(" | ").toStdString();
        EXPECT_EQ(*reset, "P\r");
        EXPECT_TRUE(dialogs.texts.isEmpty());
    }

    static QStringList romsOf(const std::vector<sensornet::FoundDevice>& found) {
        QStringList roms;
        for (const auto& d : found)
            roms << d.romId;
        roms.sort();
        return roms;
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

TEST_F(SimulatorTest, SearchFindsEveryDeviceOnTheBus) {
    connect();
    EXPECT_TRUE(bus.adapterPresent());
    const auto found = bus.enumerate(sensornet::DeviceSearch::All);
    QStringList expected{kZone, kOldZone, kLamp, kLitLamp, kThermo};
    expected.sort();
    EXPECT_EQ(romsOf(found), expected);
    for (const auto& d : found)
        EXPECT_EQ(d.rawAnswer, d.romId + "\r");
    EXPECT_TRUE(reporter.lines.isEmpty()) << reporter.lines.join(" | ").toStdString();
}

TEST_F(SimulatorTest, FamilySearchesFindOnlyTheirFamily) {
    connect();
    QStringList lamps{kLamp, kLitLamp};
    lamps.sort();
    EXPECT_EQ(romsOf(bus.enumerate(sensornet::DeviceSearch::AlarmSwitches)), lamps);
    EXPECT_EQ(romsOf(bus.enumerate(sensornet::DeviceSearch::Thermocouples)), QStringList{kThermo});
}

TEST_F(SimulatorTest, SensorsOfBothFormatsAreRead) {
    connect();
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
}

TEST_F(SimulatorTest, ThermocoupleAnswerCarriesItsRegisters) {
    connect();
    ASSERT_EQ(bus.select(kThermo), kThermo);
    const QString answer = bus.readThermocouple();
    ASSERT_EQ(answer.size(), 29) << answer.toStdString();
    EXPECT_TRUE(answer.startsWith("690E"));
    EXPECT_TRUE(answer.endsWith("\r"));
    EXPECT_EQ(answer.mid(12, 12), "FFFFFFFFFFFF");
    // The temperature register holds the cold junction in eighths of a degree from its fifth bit up.
    const int coldJunction = answer.mid(24, 4).toInt(nullptr, 16) >> 5;
    EXPECT_EQ(coldJunction * 0.125, 25.0);
    // The current register holds the thermocouple's EMF, positive with the hot end above the cold one.
    EXPECT_LT(answer.mid(4, 1).toInt(nullptr, 16), 8);
    EXPECT_GT(answer.mid(4, 4).toInt(nullptr, 16), 0);
}

TEST_F(SimulatorTest, SensorThatLeftTheBusCostsThreeAttemptsAndGivesNoData) {
    connect();
    const sensornet::SensorReading r = bus.readSensor(kGone);
    EXPECT_EQ(r.state, ReadState::NoData);
    EXPECT_EQ(r.attempts, 3);
    EXPECT_DOUBLE_EQ(r.celsius, 0.0);
    EXPECT_TRUE(r.temperatureAnswer.startsWith("FFFFFFFFFF")) << r.temperatureAnswer.toStdString();
}

TEST_F(SimulatorTest, SensorWhoseAnswersAreGarbledIsNotReadAsATemperature) {
    connect();
    EXPECT_EQ(sim->control("fault " + kZone + " garbled"), "ok");
    const sensornet::SensorReading r = bus.readSensor(kZone);
    EXPECT_NE(r.state, ReadState::Read);
    EXPECT_EQ(r.attempts, 3);
}

TEST_F(SimulatorTest, ToggledLampShowsInTheSwitchList) {
    connect();
    sensornet::SwitchList list = bus.activeSwitches();
    EXPECT_FALSE(list.isOn(kLamp));
    EXPECT_TRUE(list.isOn(kLitLamp));
    ASSERT_EQ(list.entries().size(), 1u);
    EXPECT_EQ(list.entries()[0].family(), "05");

    EXPECT_EQ(bus.toggleSwitch(kLamp), kLamp);
    list = bus.activeSwitches();
    EXPECT_TRUE(list.isOn(kLamp));
    EXPECT_TRUE(list.isOn(kLitLamp));
    EXPECT_EQ(sim->control("get " + kLamp), kLamp + " on");

    // Putting out every lamp of the list by addressing its entry.
    for (const auto& entry : list.ofFamily("05"))
        bus.address(entry.text);
    EXPECT_TRUE(bus.activeSwitches().entries().empty());
}

TEST_F(SimulatorTest, ChecksumModeReadsAsTheNormalMode) {
    connect({QStringLiteral("--checksum")}, true);
    EXPECT_TRUE(bus.adapterPresent());
    QStringList expected{kZone, kOldZone, kLamp, kLitLamp, kThermo};
    expected.sort();
    EXPECT_EQ(romsOf(bus.enumerate(sensornet::DeviceSearch::All)), expected);
    const sensornet::SensorReading r = bus.readSensor(kZone);
    EXPECT_EQ(r.state, ReadState::Read);
    EXPECT_DOUBLE_EQ(r.celsius, 25.0);
    EXPECT_EQ(r.attempts, 1);
    EXPECT_TRUE(bus.activeSwitches().isOn(kLitLamp));
}

TEST_F(SimulatorTest, SilentAdapterFailsThePresenceCheckWithoutAReport) {
    connect();
    EXPECT_EQ(sim->control("adapter silent"), "ok");
    EXPECT_FALSE(bus.adapterPresent());
    EXPECT_TRUE(reporter.lines.isEmpty());
    EXPECT_EQ(sim->control("adapter normal"), "ok");
    EXPECT_TRUE(bus.adapterPresent());
}

TEST_F(SimulatorTest, UnpluggedAdapterEndsTheExchangeWithOneReport) {
    connect();
    EXPECT_EQ(sim->control("adapter closed"), "ok");
    EXPECT_EQ(bus.select(kZone), "Error");
    EXPECT_LE(reporter.lines.size(), 1) << reporter.lines.join(" | ").toStdString();
    for (const QString& line : reporter.lines)
        EXPECT_TRUE(line.endsWith(" in Module:Port_Data"));
}

TEST_F(SimulatorTest, PortHeldByAnotherLinkCannotBeOpenedTwice) {
    connect();
    const auto secondPort = sensornet::makeSystemSerialPort();
    sensornet::EventLoopPause secondPause;
    test::RecordedDialogs secondDialogs;
    sensornet::AdapterLink second(*secondPort, clock, secondPause, secondDialogs,
                                  sensornet::ExchangeRules::installation());
    ASSERT_EQ(second.configurePort(app::readLineSettings(settings)), sensornet::ConfigureOutcome::Configured);
    EXPECT_FALSE(second.resetAdapter("aR\r").has_value());
    ASSERT_EQ(secondDialogs.texts.size(), 1);
    EXPECT_EQ(secondDialogs.texts[0],
              "Please check your COM Port Settings and cable connections.   Error #:8003");
    EXPECT_TRUE(link.isOpen());
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
