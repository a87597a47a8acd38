// The real program monitoring without windows on the simulator: read log lines on standard output, a
// raised zone's lamp lit, and a clean stop on SIGTERM that puts the lamps out.
#include "support/KelvaraProcess.h"
#include "support/SimProcess.h"
#include "support/TempSite.h"

#include <QDeadlineTimer>
#include <QThread>
#include <gtest/gtest.h>

using namespace kelvara;

namespace {

const QByteArray kScenario = R"({"devices": [
    {"rom": "750000000000A128", "temperature": 30, "zone": {"name": "Cooler", "low": 0, "high": 8, "delay": 0}},
    {"rom": "2C0000000000A228", "temperature": 4, "zone": {"name": "Dairy", "low": 0, "high": 8, "delay": 0}},
    {"rom": "610000000000C105", "on": false},
    {"rom": "380000000000C205", "on": false}]})";

// Asks the simulator until the answer comes or a generous limit passes.
bool eventually(test::SimProcess& sim, const QString& command, const QString& answer) {
    QDeadlineTimer limit(60000);
    while (!limit.hasExpired()) {
        if (sim.control(command) == answer)
            return true;
        QThread::msleep(200);
    }
    return false;
}

} // namespace

TEST(HeadlessMonitoring, ReadsLogsLightsAndStopsCleanly) {
    test::TempSite root;
    root.write("scenario.json", kScenario);
    test::SimProcess sim(kScenario);
    ASSERT_TRUE(sim.started());

    const QString site = root.file("site");
    test::KelvaraProcess create(root.path());
    ASSERT_EQ(
        create.runToEnd({"--create-site", site, "--sides", "zone", "--demo", root.file("scenario.json")}), 0)
        << create.stdErr().toStdString();
    root.write("Kelvara/Kelvara.ini",
               "[Properties]\nSettings=115200,n,8,1\nPortName=" + sim.ptyPath().toUtf8() + "\n");

    test::KelvaraProcess kelvara(root.path()); // its per-user settings are the file above
    kelvara.start({"--site", site, "--headless"});
    ASSERT_TRUE(kelvara.waitForStdout("   2   Dairy   4")) << kelvara.stdErr().toStdString();
    EXPECT_TRUE(kelvara.stdOut().contains("COLD   750000000000A128   "));
    EXPECT_TRUE(kelvara.stdOut().contains("    1   Cooler   30"));
    EXPECT_TRUE(eventually(sim, "get 610000000000C105", "610000000000C105 on"));
    EXPECT_EQ(sim.control("get 380000000000C205"), "380000000000C205 off");

    EXPECT_EQ(kelvara.terminate(), 0);
    EXPECT_EQ(sim.control("get 610000000000C105"),
              "610000000000C105 off"); // the panel goes dark on the way out
    const QByteArray log = test::TempSite::readFile(site + "/Kelvara.log");
    EXPECT_TRUE(log.startsWith("Type   Serial #"));
    EXPECT_TRUE(log.contains("   Dairy   4\r\n"));
    EXPECT_FALSE(kelvara.stdErr().contains("Error:")) << kelvara.stdErr().toStdString();
}
