// The cook sensor installation over a scripted adapter: the thermocouple search, the sensor count in the cook
// side's Settings (KVR.INI untouched), running cycles staying with their sensor, and the cook panel's lamp
// search limit, numbers and test.
#include "install/CookInstallation.h"

#include "InstallBench.h"
#include "store/CookSettingsStore.h"
#include "store/LightPanelStore.h"
#include "store/ThermoSensorsStore.h"

#include <gtest/gtest.h>

using namespace kelvara;
using install::CookInstallation;
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

store::ThermoSensorsRow sensor(int number, const QString& name, const QString& serialNo) {
    return {.SensorNo = number, .Name = name, .SerialNo = serialNo};
}

class CookInstallationTest : public test::InstallBench {
protected:
    // Sensor 1 is gone from the bus; sensor 2 runs a cook cycle and has its lamp; sensor 3 has neither.
    void storeThreeSensors() const {
        const store::ThermoSensorsRow running{.SensorNo = 2,
                                              .Name = "Smoker",
                                              .SerialNo = kRunning,
                                              .LightSerialNo = kLampOfSensor2,
                                              .SensorType = "J",
                                              .Selected = true,
                                              .Started = true,
                                              .BatchNo = 12,
                                              .LightNo = 2,
                                              .LightPanelID = 1};
        for (const store::ThermoSensorsRow& s :
             {sensor(1, QStringLiteral("Oven"), kGone), running, sensor(3, QStringLiteral("Kettle"), kKnown)})
            ASSERT_TRUE(sensors().insert(s).ok());
    }
    [[nodiscard]] store::ThermoSensorsStore sensors() const {
        return store::ThermoSensorsStore(*ctx.databases.thermo);
    }

    CookInstallation installation{ctx, link, dialogs};
};

TEST_F(CookInstallationTest, ReadListsTheThermocouplesAndSaveKeepsARunningCycleOnItsSensor) {
    storeThreeSensors();
    // The thermocouple search finds the new sensor first, and a thermometer that is no cook sensor.
    onSearch("aF30\r", {kNew, kThermometer, kRunning, kKnown});
    ASSERT_EQ(installation.read().state, State::Done);
    EXPECT_FALSE(port.written.contains("aS\r"));
    const auto& rows = installation.rows();
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(QStringList({rows[0].SerialNo, rows[0].SensorType, rows[0].Name, rows[0].LightSerialNo}),
              QStringList({kNew, "", "", ""}));
    EXPECT_EQ(rows[0].SensorNo, 0);
    EXPECT_EQ(rows[1].SerialNo, kRunning);
    EXPECT_EQ(rows[2].SerialNo, kKnown);
    // Save writes every setting of the list over whatever the running sensor's row holds by then.
    store::ThermoSensorsRow changed = *sensors().findBySensorNo(2).value();
    changed.SensorNo = 9;
    changed.SensorType = changed.Name = changed.LightSerialNo = QString();
    changed.LightNo = changed.LightPanelID = 0;
    ASSERT_TRUE(sensors().update(changed).ok());
    dialogs.answers = {true, true};

    ASSERT_EQ(installation.save().state, State::Done);
    EXPECT_EQ(dialogs.texts, (QStringList{CookInstallation::kSaveQuestion,
                                          CookInstallation::kDroppedQuestion + "\n\nSensor 1  Oven"}));
    const auto stored = sensors().loadAll().value();
    ASSERT_EQ(stored.size(), 3u);
    // The cycle that ran on sensor 2 must not pass to the sensor that takes the first row's place.
    EXPECT_EQ(stored[0].SerialNo, kNew);
    EXPECT_FALSE(stored[0].Started);
    EXPECT_EQ(stored[0].BatchNo, 0);
    const store::ThermoSensorsRow& running = stored[1];
    EXPECT_EQ(QStringList({running.SerialNo, running.SensorType, running.Name, running.LightSerialNo}),
              QStringList({kRunning, "J", "Smoker", kLampOfSensor2}));
    EXPECT_EQ((std::vector<int>{running.SensorNo, running.LightNo, running.LightPanelID, running.BatchNo}),
              (std::vector<int>{2, 2, 1, 12}));
    EXPECT_TRUE(running.Started && running.Selected);
    EXPECT_EQ(stored[2].Name, "Kettle");
    EXPECT_EQ(store::CookSettingsStore(*ctx.databases.thermo).load()->houses, 3);
    EXPECT_EQ(site.read("KVR.INI"), test::kKvrIni);
    EXPECT_EQ(ctx.settings.Zones, 4);

    dialogs.answers = {false};
    EXPECT_FALSE(installation.offerPanelSetup());
    EXPECT_EQ(dialogs.texts.mid(2),
              (QStringList{CookInstallation::kPanelQuestion, CookInstallation::kRestartAdvice}));
}

TEST_F(CookInstallationTest, TheLampSearchStopsAtTwentySwitches) {
    QStringList switches;
    for (int i = 0; i < 25; ++i)
        switches << QStringLiteral("9%1").arg(i, 2, 10, QLatin1Char('0')) + QStringLiteral("0000000000005");
    onSearch("aF05\r", switches);
    ASSERT_EQ(installation.panelSetup().state, State::Done);
    EXPECT_EQ(installation.lamps().size(), 20u);
    EXPECT_EQ(port.written.count("as\r"), 19) << "no next-device command after the twentieth switch";
}

TEST_F(CookInstallationTest,
       PanelSetupNumbersFromTheSensorsThenThePanelAndTheTestResetsBeforeEachOfFourSends) {
    storeThreeSensors();
    ASSERT_TRUE(sensors().insert(sensor(0, QString(), kNew)).ok()); // not numbered yet
    const store::LightPanelStore panel(*ctx.databases.thermo);
    ASSERT_TRUE(panel.insert({0, 4, kLampOfPanel4, 0}).ok());
    ASSERT_TRUE(panel.insert({0, 6, kLampOfSensor2, 0}).ok()); // the sensor's number comes first
    onSearch("aF05\r", {kLampOfSensor2, kThermometer, kLampOfPanel4, kLampUnknown});
    ASSERT_EQ(installation.panelSetup().state, State::Done);
    auto& lamps = installation.lamps();
    ASSERT_EQ(lamps.size(), 3u);
    EXPECT_EQ((std::vector<int>{lamps[0].AlarmLedNo, lamps[1].AlarmLedNo, lamps[2].AlarmLedNo}),
              (std::vector<int>{2, 4, 0}));

    lamps[1].AlarmLedNo = 3;
    ASSERT_EQ(installation.panelSave().state, State::Done);
    EXPECT_EQ(sensors().findBySensorNo(3).value()->LightSerialNo, kLampOfPanel4);
    EXPECT_EQ(sensors().findBySensorNo(0).value()->LightSerialNo, "")
        << "an unnumbered lamp belongs to no sensor";
    QStringList stored;
    const auto rows = panel.loadAll().value();
    for (const store::LightPanelRow& row : rows)
        stored << QStringLiteral("%1 %2 %3").arg(row.LightNo).arg(row.LightSerialNo).arg(row.LightPanelID);
    EXPECT_EQ(stored, (QStringList{"0 " + kLampUnknown + " 0", "2 " + kLampOfSensor2 + " 0",
                                   "3 " + kLampOfPanel4 + " 0"}));

    takeWritten();
    dialogs.answers = {true};
    ASSERT_TRUE(installation.offerPanelTest());
    EXPECT_EQ(dialogs.texts.last(), CookInstallation::kTestQuestion);
    // Four toggles, each after a bus reset: every lamp ends as it was.
    QList<QByteArray> expected{"aR\r"};
    for (const QString& lamp : {kLampOfSensor2, kLampOfPanel4, kLampUnknown}) {
        for (int i = 0; i < 4; ++i)
            expected << "aR\r" << test::addressed(lamp, 1);
    }
    EXPECT_EQ(takeWritten(), expected);
    EXPECT_FALSE(link.isOpen());
}

} // namespace
