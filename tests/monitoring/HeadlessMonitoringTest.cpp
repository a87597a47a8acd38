// The real program monitoring without windows on the simulator: read log lines on standard output, a
// raised zone's lamp lit, a clean stop on SIGTERM that puts the lamps out, and an adapter unplugged and
// plugged back in.
#include "support/DemoSite.h"
#include "support/KelvaraProcess.h"

#include <QScopeGuard>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace kelvara;

namespace {

const QByteArray kScenario = R"({"devices": [
    {"rom": "750000000000A128", "temperature": 30, "zone": {"name": "Cooler", "low": 0, "high": 8, "delay": 0}},
    {"rom": "2C0000000000A228", "temperature": 4, "zone": {"name": "Dairy", "low": 0, "high": 8, "delay": 0}},
    {"rom": "610000000000C105", "on": false},
    {"rom": "380000000000C205", "on": false}]})";

} // namespace

TEST(HeadlessMonitoring, ReadsLogsLightsAndStopsCleanly) {
    test::TempSite root;
    test::SimProcess sim(kScenario);
    ASSERT_TRUE(sim.started());

    const QString site = test::createDemoSite(root, kScenario);
    ASSERT_FALSE(site.isEmpty());
    test::pointAtPort(root, sim.ptyPath());

    test::KelvaraProcess kelvara(root.path()); // its per-user settings are the file above
    kelvara.start({"--site", site, "--headless"});
    ASSERT_TRUE(kelvara.waitForStdout("   2   Dairy   4")) << kelvara.stdErr().toStdString();
    EXPECT_TRUE(kelvara.stdOut().contains("COLD   750000000000A128   "));
    EXPECT_TRUE(kelvara.stdOut().contains("    1   Cooler   30"));
    EXPECT_TRUE(test::eventually(sim, "get 610000000000C105", "610000000000C105 on"));
    EXPECT_EQ(sim.control("get 380000000000C205"), "380000000000C205 off");

    EXPECT_EQ(kelvara.terminate(), 0);
    EXPECT_EQ(sim.control("get 610000000000C105"),
              "610000000000C105 off"); // the panel goes dark on the way out
    const QByteArray log = test::TempSite::readFile(site + "/Kelvara.log");
    EXPECT_TRUE(log.startsWith("Type   Serial #"));
    EXPECT_TRUE(log.contains("   Dairy   4\r\n"));
    EXPECT_FALSE(kelvara.stdErr().contains("Error:")) << kelvara.stdErr().toStdString();
}

// The adapter goes away for two passes and comes back on another pseudo-terminal behind the same link; the
// lamp switch of the zone in alarm lost its power meanwhile.
TEST(HeadlessMonitoring, ReadsAgainAndRelightsTheLampsWhenTheAdapterIsPluggedBackIn) {
    test::TempSite root;
    const QString link = root.file("adapter");
    test::SimProcess sim(kScenario, {"--link", link});
    ASSERT_TRUE(sim.started());

    const QString site = test::createDemoSite(root, kScenario);
    ASSERT_FALSE(site.isEmpty());
    test::pointAtPort(root, link);
    // A pass at every tick of the timer (10 seconds) keeps the test short.
    const QByteArray ini = test::TempSite::readFile(site + "/KVR.INI");
    ASSERT_TRUE(ini.contains("ColdReadMins=0.3"));
    root.write("site/KVR.INI", QByteArray(ini).replace("ColdReadMins=0.3", "ColdReadMins=0.1"));

    test::KelvaraProcess kelvara(root.path());
    kelvara.start({"--site", site, "--headless"});
    ASSERT_TRUE(kelvara.waitForStdout("   2   Dairy   4")) << kelvara.stdErr().toStdString();
    ASSERT_TRUE(test::eventually(sim, "get 610000000000C105", "610000000000C105 on"));

    ASSERT_EQ(sim.control("adapter closed"), "ok");
    ASSERT_EQ(sim.control("set 610000000000C105 off"), "ok");
    // The pass that meets the failed port, then the one whose opening finds no device.
    EXPECT_TRUE(kelvara.waitForStderr("Error: Input/output error in Module:Port_Data"))
        << kelvara.stdErr().toStdString();
    EXPECT_TRUE(kelvara.waitForStderr("Error #:8002 in Module:Port_Reopen"))
        << kelvara.stdErr().toStdString();
    EXPECT_TRUE(kelvara.stdErr().contains("The was an error while reading Sensors."));
    EXPECT_EQ(kelvara.stdErr().count("Input/output error"), 1) << kelvara.stdErr().toStdString();

    // Holding a terminal of our own takes the number the old one freed, so the adapter most likely comes
    // back under another path and only the link leads to it. (Other programs open terminals too, so the
    // new path is not asserted: the pass reads again either way.)
    const int holder = ::posix_openpt(O_RDWR | O_NOCTTY);
    const auto release = qScopeGuard([holder] {
        if (holder >= 0)
            ::close(holder);
    });
    const qsizetype readBefore = kelvara.stdOut().size();
    ASSERT_EQ(sim.control("adapter normal"), "ok");
    EXPECT_TRUE(kelvara.waitForStdout("    1   Cooler   30", 30000, readBefore));
    EXPECT_TRUE(kelvara.waitForStdout("   2   Dairy   4", 30000, readBefore));
    EXPECT_TRUE(test::eventually(sim, "get 610000000000C105", "610000000000C105 on"));
    EXPECT_EQ(kelvara.terminate(), 0);
}
