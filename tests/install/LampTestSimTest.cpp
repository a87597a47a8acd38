// The lamp tests on the bus simulator over its pseudo-terminal: the real lamps blink and end as each test's
// count says, and the exchanges get the lamps' own answers. What goes out, and when, is checked over a
// scripted adapter in the other files.
#include "app/ComPortSettings.h"
#include "app/SystemClock.h"
#include "app/UserSettings.h"
#include "install/LampTest.h"
#include "install/ZoneInstallation.h"
#include "sensornet/SystemSerialPort.h"
#include "support/RecordingPause.h"
#include "support/SimProcess.h"
#include "support/SiteBench.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace kelvara;

namespace {

const QString kLamps[] = {"4400000000000D05", "5500000000000E05", "6600000000000F05"};

const QByteArray kScenario = R"({"devices": [{"rom": "4400000000000D05", "on": false},
    {"rom": "5500000000000E05", "on": true}, {"rom": "6600000000000F05", "on": false}]})";

} // namespace

TEST(LampTestSim, EveryLampTestTurnsTheRealLampsAsItsCountSays) {
    test::SimProcess sim(kScenario);
    ASSERT_TRUE(sim.started()) << sim.errorOutput().toStdString();
    const auto lampStates = [&sim] {
        QStringList states;
        for (const QString& lamp : kLamps)
            states << sim.control("get " + lamp).section(' ', -1);
        return states;
    };
    test::SiteContext bench;
    bench.ctx.TempLogFile = std::make_unique<QFile>(bench.site.file("TempLog")); // not in the working folder
    app::UserSettings settings(bench.site.file("user.ini"));
    settings.save("Properties", "Settings", "115200,n,8,1");
    settings.save("Properties", "PortName", sim.ptyPath());
    app::SystemClock clock; // the exchanges' deadlines run on real time
    const auto port = sensornet::makeSystemSerialPort();
    test::RecordingPause pause;
    test::RecordedDialogs dialogs;
    sensornet::AdapterLink installLink(*port, clock, pause, dialogs,
                                       sensornet::ExchangeRules::installation());
    sensornet::AdapterLink panelLink(*port, clock, pause, dialogs, sensornet::ExchangeRules::panelSetup());
    for (sensornet::AdapterLink* link : {&installLink, &panelLink})
        ASSERT_EQ(link->configurePort(app::readLineSettings(settings)),
                  sensornet::ConfigureOutcome::Configured);

    // The installation's test finds the three switches and toggles each five times: each ends the other way.
    install::ZoneInstallation installation(bench.ctx, installLink, dialogs);
    ASSERT_EQ(installation.panelSetup().state, install::InstallOutcome::State::Done);
    ASSERT_EQ(installation.lamps().size(), 3u);
    installation.panelTest();
    EXPECT_EQ(lampStates(), (QStringList{"on", "off", "on"}));

    // The windows' tests: four exchanges leave each lamp as it was, and a lamp answers with its own id; five
    // turn a lamp over; six sends leave it as it was.
    install::LampTest lampTest(panelLink, test::ha5Commands());
    ASSERT_TRUE(lampTest.alarmPanel(settings, {kLamps[0], QString(), kLamps[1]}));
    EXPECT_EQ(lampTest.lastAnswer(), kLamps[1] + "\r");
    EXPECT_EQ(lampStates(), (QStringList{"on", "off", "on"}));
    ASSERT_TRUE(lampTest.alarmLamp(settings, kLamps[2]));
    EXPECT_EQ(lampStates(), (QStringList{"on", "off", "off"}));
    ASSERT_TRUE(lampTest.cookLamp(kLamps[0]));
    EXPECT_EQ(lampTest.switchings(), 6);
    EXPECT_EQ(lampStates(), (QStringList{"on", "off", "off"}));
    EXPECT_FALSE(port->isOpen());
    EXPECT_TRUE(dialogs.texts.isEmpty()) << dialogs.texts.join('\n').toStdString();
}
