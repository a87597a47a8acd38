// The real program reading cook cycles without windows on the simulator: HOT lines on standard output,
// CookCycles rows, HotViewer.log, no-data sensors as NR, and a done cycle's lamp on sensor 10.
#include "store/CookCyclesStore.h"
#include "store/Database.h"
#include "store/ThermoSensorsStore.h"
#include "support/DemoSite.h"
#include "support/KelvaraProcess.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

using namespace kelvara;

namespace {

// Three thermocouples of different types, each with its lamp; one drives no data, one is off the bus.
const QByteArray kScenario = R"({"devices": [
    {"rom": "750000000000A128", "temperature": 4, "zone": {"name": "Cooler", "low": 0, "high": 8, "delay": 0}},
    {"rom": "5D0000000000C505", "on": false},
    {"rom": "C40000000000C605", "on": false},
    {"rom": "C50000000000C705", "on": false},
    {"rom": "E70000000000D130", "type": "K", "temperature": 100, "coldJunction": 22.125,
     "cook": {"name": "Kettle", "lamp": "5D0000000000C505"}},
    {"rom": "BE0000000000D230", "type": "J", "temperature": 90, "coldJunction": 22, "fault": "allf",
     "cook": {"name": "Oven", "lamp": "C40000000000C605"}},
    {"rom": "A10000000000D330", "type": "T", "temperature": 150, "coldJunction": 25,
     "cook": {"name": "Smoker", "lamp": "C50000000000C705"}},
    {"rom": "A20000000000D430", "type": "K", "temperature": 60, "fault": "absent",
     "cook": {"name": "Fryer"}}]})";

// Runs every demo sensor as a started cycle; the third one as sensor 10, already past its target.
void startCycles(const QString& site) {
    store::Database db(store::DatabaseKind::Thermo);
    ASSERT_TRUE(db.open(site + "/Thermo.db").ok());
    store::ThermoSensorsStore sensors(db);
    const int targets[] = {180, 150, 120, 150};
    for (auto sensor : sensors.loadAll().value()) {
        sensor.Selected = sensor.Started = true;
        sensor.Target = targets[sensor.SensorNo - 1];
        sensor.BatchNo = sensor.SensorNo;
        sensor.Description = "Stock";
        if (sensor.SensorNo == 3)
            sensor.SensorNo = 10;
        ASSERT_TRUE(sensors.update(sensor).ok());
    }
}

// The demo site of the scenario with every cook sensor running, its port settings naming the simulator.
QString createRunningSite(const test::TempSite& root, const test::SimProcess& sim) {
    const QString site = test::createDemoSite(root, kScenario, "both");
    if (!site.isEmpty())
        startCycles(site);
    test::pointAtPort(root, sim.ptyPath());
    return site;
}

} // namespace

TEST(HeadlessCook, RunningCyclesAreReadRecordedAndLoggedAndADoneCycleLightsItsLamp) {
    test::TempSite root;
    test::SimProcess sim(kScenario);
    ASSERT_TRUE(sim.started());
    const QString site = createRunningSite(root, sim);
    ASSERT_FALSE(site.isEmpty());

    test::KelvaraProcess kelvara(root.path());
    kelvara.start({"--site", site, "--headless"});
    ASSERT_TRUE(kelvara.waitForStdout("   10   Smoker  ")) << kelvara.stdErr().toStdString();
    const QString out = kelvara.stdOut();
    // Cold junction at 22.125 °C: compensated between two rows of the table, so the kettle reads 100.
    EXPECT_TRUE(
        out.contains(QRegularExpression("HOT    E70000000000D130   690E[0-9A-F]{24}   .*   1   Kettle  100")))
        << out.toStdString();
    EXPECT_TRUE(out.contains("   2   Oven  NR")) << out.toStdString();
    EXPECT_TRUE(out.contains("   4   Fryer  NR")) << out.toStdString();
    EXPECT_TRUE(out.contains("   10   Smoker  150")) << out.toStdString();
    EXPECT_TRUE(test::eventually(sim, "get C50000000000C705", "C50000000000C705 on"));
    EXPECT_EQ(sim.control("get 5D0000000000C505"), "5D0000000000C505 off");
    EXPECT_EQ(kelvara.terminate(), 0);

    EXPECT_EQ(test::TempSite::readFile(site + "/HotViewer.log"),
              "1,Kettle,100,180\r\n2,Oven,NR,150\r\n4,Fryer,NR,150\r\n10,Smoker,150,120\r\n");
    store::Database db(store::DatabaseKind::Thermo);
    ASSERT_TRUE(db.open(site + "/Thermo.db").ok());
    const auto records = store::CookCyclesStore(db).loadAll().value();
    ASSERT_GE(records.size(), 4u);
    EXPECT_TRUE(store::ThermoSensorsStore(db).findBySensorNo(10).value()->Cookdone);
    EXPECT_FALSE(kelvara.stdErr().contains("Error:")) << kelvara.stdErr().toStdString();
}

// Killed once its smoker is done, the program leaves every cycle stored as running and the smoker as done;
// started again it reads them on, and its first lamp update lights the smoker's lamp again.
TEST(HeadlessCook, AfterAKillTheCyclesRunOnStillDone) {
    test::TempSite root;
    test::SimProcess sim(kScenario);
    ASSERT_TRUE(sim.started());
    const QString site = createRunningSite(root, sim);
    ASSERT_FALSE(site.isEmpty());
    {
        test::KelvaraProcess kelvara(root.path());
        kelvara.start({"--site", site, "--headless"});
        ASSERT_TRUE(kelvara.waitForStdout("   10   Smoker  150")) << kelvara.stdErr().toStdString();
        ASSERT_TRUE(test::eventually(sim, "get C50000000000C705", "C50000000000C705 on"));
        kelvara.kill();
    }
    {
        store::Database db(store::DatabaseKind::Thermo);
        ASSERT_TRUE(db.open(site + "/Thermo.db").ok());
        const auto started = store::ThermoSensorsStore(db).loadStarted().value();
        ASSERT_EQ(started.size(), 4u);
        EXPECT_TRUE(started.back().Cookdone);
    }
    ASSERT_EQ(sim.control("set C50000000000C705 off"), "ok"); // the switch lost its power meanwhile

    test::KelvaraProcess again(root.path());
    again.start({"--site", site, "--headless"});
    ASSERT_TRUE(again.waitForStdout("   10   Smoker  150")) << again.stdErr().toStdString();
    EXPECT_TRUE(test::eventually(sim, "get C50000000000C705", "C50000000000C705 on"));
    EXPECT_EQ(again.terminate(), 0);
    EXPECT_FALSE(again.stdErr().contains("Error:")) << again.stdErr().toStdString();
}
