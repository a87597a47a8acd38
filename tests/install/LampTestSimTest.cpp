// The lamp tests of both panels against the bus simulator over its pseudo-terminal: which commands go out,
// with a one-second pause after each switching, and in which state the lamps end.
#include "app/ComPortSettings.h"
#include "app/SystemClock.h"
#include "app/UserSettings.h"
#include "install/LampTest.h"
#include "sensornet/AdapterLink.h"
#include "sensornet/SystemSerialPort.h"
#include "support/Ha5Commands.h"
#include "support/RecordedDialogs.h"
#include "support/RecordingPause.h"
#include "support/RecordingPort.h"
#include "support/SimProcess.h"
#include "support/TempSite.h"

#include <gtest/gtest.h>

using namespace kelvara;

namespace {

const QString kLampIds[] = {"610000000000C105", "620000000000D205", "630000000000E305"};

class LampTestSim : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(sim.started()) << sim.errorOutput().toStdString();
        // Each id with the CRC the simulator computes, the first lamp lit, the others dark.
        for (int i = 0; i < 3; ++i) {
            lamps << sim.control("crc " + kLampIds[i]).section(' ', -1);
            sim.control(
                QStringLiteral(R"(add {"rom": "%1", "on": %2})").arg(lamps[i], i == 0 ? "true" : "false"));
        }
        settings.save("Properties", "Settings", "115200,n,8,1");
        settings.save("Properties", "PortName", sim.ptyPath());
    }

    [[nodiscard]] QString state(const QString& lamp) { return sim.control("get " + lamp).section(' ', -1); }

    // The journal of a test that switches each lamp `times` times after the opening lines.
    static QStringList switchings(const QStringList& serials, int times) {
        QStringList lines;
        for (const QString& serial : serials) {
            for (int i = 0; i < times; ++i)
                lines << "send aA" + serial + "\\r"
                      << "pause 1000";
        }
        return lines;
    }

    // Closing, a second's wait, opening and the adapter reset with its second.
    const QStringList kAdapterReset{"pause 1000", "send aR\\r", "pause 1000"};

    test::SimProcess sim{R"({"devices": []})"};
    QStringList lamps;
    test::TempSite site;
    app::UserSettings settings{site.file("user.ini")};
    app::SystemClock clock; // the exchanges' deadlines run on real time
    test::RecordedDialogs dialogs;
    QStringList journal;
    std::unique_ptr<sensornet::SerialPort> realPort = sensornet::makeSystemSerialPort();
    test::RecordingPort port{*realPort, &journal};
    test::RecordingPause pause{&journal};
    sensornet::AdapterLink link{port, clock, pause, dialogs, sensornet::ExchangeRules::panelSetup()};
    install::LampTest lampTest{link, test::ha5Commands()};
};

TEST_F(LampTestSim, TheAlarmPanelTestSwitchesEachLampFourTimesAndLeavesThemAsTheyWere) {
    // The second zone has no lamp switch: it is passed over rather than addressing nobody.
    ASSERT_TRUE(lampTest.alarmPanel(settings, {lamps[0], QString(), lamps[1], lamps[2]}));

    EXPECT_EQ(lampTest.switchings(), 12);
    const QStringList expected = kAdapterReset + QStringList{"send aR\\r"} + switchings(lamps, 4);
    EXPECT_EQ(journal, expected);
    EXPECT_EQ(state(lamps[0]), "on");
    EXPECT_EQ(state(lamps[1]), "off");
    EXPECT_EQ(state(lamps[2]), "off");
    EXPECT_FALSE(port.isOpen());
    EXPECT_TRUE(dialogs.texts.isEmpty()) << dialogs.texts.join('\n').toStdString();
}

TEST_F(LampTestSim, TheSingleAlarmLampTestSwitchesFiveTimesSoTheLampEndsTheOtherWay) {
    ASSERT_TRUE(lampTest.alarmLamp(settings, lamps[1]));

    EXPECT_EQ(journal, kAdapterReset + QStringList{"send aR\\r"} + switchings({lamps[1]}, 5));
    EXPECT_EQ(state(lamps[1]), "on");
    EXPECT_EQ(state(lamps[0]), "on");
    EXPECT_FALSE(port.isOpen());
}

TEST_F(LampTestSim, TheCookPanelTestSendsSixTimesPerLampWithASecondAfterEach) {
    // The cook sensor window takes the port settings when it loads.
    ASSERT_EQ(link.configurePort(app::readLineSettings(settings)), sensornet::ConfigureOutcome::Configured);
    ASSERT_TRUE(lampTest.cookPanel({lamps[0], lamps[2]})) << dialogs.texts.join('\n').toStdString();

    const QStringList expected =
        kAdapterReset + QStringList{"send aR\\r", "pause 1000"} + switchings({lamps[0], lamps[2]}, 6);
    EXPECT_EQ(journal, expected);
    EXPECT_EQ(lampTest.switchings(), 12);
    EXPECT_EQ(state(lamps[0]), "on");
    EXPECT_EQ(state(lamps[2]), "off");
}

TEST_F(LampTestSim, TheSingleCookLampTestSendsSixTimes) {
    ASSERT_EQ(link.configurePort(app::readLineSettings(settings)), sensornet::ConfigureOutcome::Configured);
    ASSERT_TRUE(lampTest.cookLamp(lamps[2])) << dialogs.texts.join('\n').toStdString();

    EXPECT_EQ(journal, kAdapterReset + switchings({lamps[2]}, 6));
    EXPECT_EQ(state(lamps[2]), "off");
}

TEST_F(LampTestSim, ALampTestWithoutALampSerialOpensNothing) {
    EXPECT_FALSE(lampTest.alarmLamp(settings, QString()));
    EXPECT_FALSE(lampTest.cookLamp(QStringLiteral("  ")));
    EXPECT_EQ(port.openings, 0);
    EXPECT_TRUE(journal.isEmpty());
}

TEST_F(LampTestSim, APortThatCannotBeOpenedSendsNothingAndTellsTheUser) {
    settings.save("Properties", "PortName", site.file("no-such-port"));
    EXPECT_FALSE(lampTest.alarmPanel(settings, lamps));
    EXPECT_TRUE(port.written.isEmpty());
    ASSERT_EQ(dialogs.texts.size(), 1);
    EXPECT_TRUE(dialogs.texts[0].startsWith(sensornet::AdapterLink::kCheckPortMessage));
    EXPECT_EQ(state(lamps[0]), "on");
}

} // namespace
