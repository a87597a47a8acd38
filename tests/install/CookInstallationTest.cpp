// The cook sensor installation on the bus simulator: the thermocouple search, the sensor count in the cook
// side's Settings (KVR.INI untouched), running cycles staying with their sensor, and the cook panel's lamp
// search limit and test.
#include "install/CookInstallation.h"

#include "InstallBench.h"
#include "store/CookSettingsStore.h"
#include "store/LightPanelStore.h"
#include "store/ThermoSensorsStore.h"

#include <gtest/gtest.h>

using namespace kelvara;
using State = install::InstallOutcome::State;

namespace {

const QString kGone = QStringLiteral("A100000000000130");
const QString kRunning = QStringLiteral("1200000000000230");
const QString kKnown = QStringLiteral("1300000000000330");
const QString kNew = QStringLiteral("1400000000000430");
const QString kThermometer = QStringLiteral("1500000000000528");
const QString kLampOfSensor2 = QStringLiteral("1600000000000605");
const QString kLampOfPanel4 = QStringLiteral("1700000000000705");
const QString kLampUnknown = QStringLiteral("1800000000000805");

QByteArray scenario() {
    return QStringLiteral(R"({"devices": [
        {"rom": "%1", "type": "K", "temperature": 90}, {"rom": "%2", "type": "J", "temperature": 80},
        {"rom": "%3", "type": "T", "temperature": 70}, {"rom": "%4", "temperature": 4},
        {"rom": "%5", "on": false}, {"rom": "%6", "on": true}, {"rom": "%7", "on": false}]})")
        .arg(kRunning, kKnown, kNew, kThermometer, kLampOfSensor2, kLampOfPanel4, kLampUnknown)
        .toLatin1();
}

store::ThermoSensorsRow sensor(int number, const QString& name, const QString& serialNo) {
    store::ThermoSensorsRow s;
    s.SensorNo = number;
    s.Name = name;
    s.SerialNo = serialNo;
    s.SensorType = QStringLiteral("K");
    return s;
}

class CookInstallationTest : public test::InstallBench {
protected:
    CookInstallationTest() : InstallBench(scenario()) {}

    // Sensor 1 is gone from the bus; sensor 2 runs a cook cycle; sensor 3 has its lamp switch.
    void storeThreeSensors() {
        const store::ThermoSensorsStore sensors(*ctx.databases.thermo);
        store::ThermoSensorsRow running = sensor(2, QStringLiteral("Smoker"), kRunning);
        running.SensorType = QStringLiteral("J");
        running.Started = true;
        running.Selected = true;
        running.BatchNo = 12;
        running.LightSerialNo = kLampOfSensor2;
        for (const store::ThermoSensorsRow& s :
             {sensor(1, QStringLiteral("Oven"), kGone), running, sensor(3, QStringLiteral("Kettle"), kKnown)})
            ASSERT_TRUE(sensors.insert(s).ok());
    }

    install::CookInstallation installation{ctx, link, dialogs};
};

TEST_F(CookInstallationTest, ReadSearchesTheThermocouplesOnlyAndKeepsWhatTheKnownOnesHave) {
    storeThreeSensors();
    ASSERT_EQ(installation.read().state, State::Done);
    EXPECT_EQ(sent("aF30\r"), 1);
    EXPECT_EQ(sent("aS\r"), 0);

    const auto& rows = installation.rows();
    ASSERT_EQ(rows.size(), 3u);
    for (const install::CookWorkingRow& row : rows) {
        EXPECT_NE(row.SerialNo, kThermometer);
        if (row.SerialNo == kRunning) {
            EXPECT_EQ(row.SensorNo, 2);
            EXPECT_EQ(row.SensorType, "J");
            EXPECT_EQ(row.Name, "Smoker");
            EXPECT_EQ(row.LightSerialNo, kLampOfSensor2);
        } else if (row.SerialNo == kNew) {
            EXPECT_EQ(row.SensorNo, 0);
            EXPECT_EQ(row.SensorType, "");
            EXPECT_EQ(row.Name, "");
            EXPECT_EQ(row.LightSerialNo, "");
        } else {
            EXPECT_EQ(row.SerialNo, kKnown);
            EXPECT_EQ(row.SensorNo, 3);
        }
    }
}

TEST_F(CookInstallationTest, SaveStoresTheCountInSettingsLeavesKvrIniAloneAndKeepsARunningCycleOnItsSensor) {
    storeThreeSensors();
    ASSERT_EQ(installation.read().state, State::Done);
    dialogs.answers = {true, true};

    ASSERT_EQ(installation.save().state, State::Done);

    ASSERT_EQ(dialogs.texts.size(), 2);
    EXPECT_EQ(dialogs.texts[0], install::CookInstallation::kSaveQuestion);
    EXPECT_TRUE(dialogs.texts[1].contains("Sensor 1  Oven"));
    EXPECT_FALSE(dialogs.texts[1].contains("Smoker"));

    const auto sensors = store::ThermoSensorsStore(*ctx.databases.thermo).loadAll().value();
    ASSERT_EQ(sensors.size(), 3u);
    for (const store::ThermoSensorsRow& s : sensors) {
        EXPECT_NE(s.SerialNo, kGone);
        // The cycle that ran on sensor 2 must not pass to the sensor that takes the first row's place.
        EXPECT_EQ(s.Started, s.SerialNo == kRunning) << s.SerialNo.toStdString();
        if (s.SerialNo == kRunning) {
            EXPECT_EQ(s.BatchNo, 12);
        }
    }
    EXPECT_EQ(store::CookSettingsStore(*ctx.databases.thermo).load()->houses, 3);
    EXPECT_EQ(site.read("KVR.INI"), test::kKvrIni);
    EXPECT_EQ(ctx.settings.Zones, 4);
}

TEST_F(CookInstallationTest, LampSearchEndsOnTheEmptyAnswerAndNumbersFromSensorsThenThePanel) {
    storeThreeSensors();
    ASSERT_TRUE(store::LightPanelStore(*ctx.databases.thermo).insert({0, 4, kLampOfPanel4, 0}).ok());

    ASSERT_EQ(installation.panelSetup().state, State::Done);
    const auto& lamps = installation.lamps();
    ASSERT_EQ(lamps.size(), 3u);
    EXPECT_EQ(sent("as\r"), 3); // the third next-device answer is empty
    for (const install::LampRow& lamp : lamps) {
        const int expected = lamp.AlarmSerialNo == kLampOfSensor2  ? 2
                             : lamp.AlarmSerialNo == kLampOfPanel4 ? 4
                                                                   : 0;
        EXPECT_EQ(lamp.AlarmLedNo, expected) << lamp.AlarmSerialNo.toStdString();
    }
}

TEST_F(CookInstallationTest, LampSearchStopsAtTwentySwitches) {
    for (int i = 0; i < 20; ++i) {
        const QString rom =
            QStringLiteral("9%1").arg(i, 2, 10, QLatin1Char('0')) + QStringLiteral("0000000000005");
        ASSERT_EQ(sim.control(QStringLiteral(R"(add {"rom": "%1", "on": false})").arg(rom)).toStdString(),
                  "ok");
    }

    ASSERT_EQ(installation.panelSetup().state, State::Done);
    EXPECT_EQ(installation.lamps().size(), 20u);
    EXPECT_EQ(sent("as\r"), 19) << "no next-device command after the twentieth switch";
}

TEST_F(CookInstallationTest, PanelSaveGivesTheSensorItsLampAndTheTestResetsBeforeEachOfFourSends) {
    storeThreeSensors();
    ASSERT_EQ(installation.panelSetup().state, State::Done);
    for (install::LampRow& lamp : installation.lamps()) {
        if (lamp.AlarmSerialNo == kLampUnknown)
            lamp.AlarmLedNo = 3;
    }
    ASSERT_EQ(installation.panelSave().state, State::Done);
    EXPECT_EQ(store::ThermoSensorsStore(*ctx.databases.thermo).findBySensorNo(3).value()->LightSerialNo,
              kLampUnknown);
    const auto panel = store::LightPanelStore(*ctx.databases.thermo).loadAll().value();
    ASSERT_EQ(panel.size(), 3u);

    const int resetsBefore = sent("aR\r");
    dialogs.answers = {true};
    ASSERT_TRUE(installation.offerPanelTest());
    EXPECT_EQ(dialogs.texts.last(), install::CookInstallation::kTestQuestion);
    EXPECT_EQ(sent("aR\r") - resetsBefore, 1 + 3 * 4);
    for (const QString& rom : {kLampOfSensor2, kLampOfPanel4, kLampUnknown})
        EXPECT_EQ(sent(("aA" + rom + "\r").toLatin1()), 4) << rom.toStdString();
    // Four toggles: every lamp ends as it was.
    EXPECT_FALSE(lampOn(kLampOfSensor2));
    EXPECT_TRUE(lampOn(kLampOfPanel4));
    EXPECT_FALSE(lampOn(kLampUnknown));
}

TEST_F(CookInstallationTest, NoToThePanelQuestionAdvisesARestart) {
    dialogs.answers = {false};
    EXPECT_FALSE(installation.offerPanelSetup());
    ASSERT_EQ(dialogs.texts.size(), 2);
    EXPECT_EQ(dialogs.texts[0], install::CookInstallation::kPanelQuestion);
    EXPECT_EQ(dialogs.texts[1], install::CookInstallation::kRestartAdvice);
}

} // namespace
