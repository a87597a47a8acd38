// The zone sensor installation on the bus simulator: what Read lists, what Save keeps and drops (only with
// the user's word), the zone count in System and KVR.INI, and the alarm panel's lamp numbers and test.
#include "install/ZoneInstallation.h"

#include "InstallBench.h"
#include "store/AlarmPanelStore.h"
#include "store/MonitorSetsStore.h"
#include "store/SystemStore.h"
#include "support/RecordingPort.h"

#include <gtest/gtest.h>

using namespace kelvara;
using State = install::InstallOutcome::State;

namespace {

// Three thermometers (two already installed), three lamp switches and a thermocouple the zone search skips.
const QString kKnownA = QStringLiteral("1100000000000A28");
const QString kKnownB = QStringLiteral("2200000000000B10");
const QString kNew = QStringLiteral("3300000000000C28");
const QString kLampOfZone7 = QStringLiteral("4400000000000D05");
const QString kLampOfPanel3 = QStringLiteral("5500000000000E05");
const QString kLampUnknown = QStringLiteral("6600000000000F05");
const QString kThermocouple = QStringLiteral("7700000000000130");

QByteArray scenario() {
    return QStringLiteral(R"({"devices": [
        {"rom": "%1", "temperature": 4}, {"rom": "%2", "temperature": 3}, {"rom": "%3", "temperature": 5},
        {"rom": "%4", "on": false}, {"rom": "%5", "on": false}, {"rom": "%6", "on": true},
        {"rom": "%7", "type": "K", "temperature": 100}]})")
        .arg(kKnownA, kKnownB, kNew, kLampOfZone7, kLampOfPanel3, kLampUnknown, kThermocouple)
        .toLatin1();
}

store::MonitorSetsRow zone(int room, const QString& name, const QString& serialNo) {
    store::MonitorSetsRow z;
    z.Room = room;
    z.Name = name;
    z.SerialNo = serialNo;
    z.Alarm = true;
    z.LowAlarm = -2;
    z.HighAlarm = 8;
    z.Record = false;
    z.AlarmDelay = 15;
    z.Calibration = 0.5;
    z.Duration = 3;
    z.CurrentTemp = QStringLiteral("4");
    return z;
}

class ZoneInstallationTest : public test::InstallBench {
protected:
    ZoneInstallationTest() : InstallBench(scenario()) {}

    // Five zones: the two known sensors (zones 2 and 7, the second with a Null high limit) and three zones
    // whose sensors are gone.
    void storeFiveZones() {
        const store::MonitorSetsStore zones(*ctx.databases.kvr);
        store::MonitorSetsRow seven = zone(7, QStringLiteral("Freezer"), kKnownB);
        seven.HighAlarm = std::nullopt;
        seven.ALarmSerialNo = kLampOfZone7;
        for (const store::MonitorSetsRow& z :
             {zone(1, QStringLiteral("Dairy"), QStringLiteral("A000000000000128")),
              zone(2, QStringLiteral("Cooler"), kKnownA), seven,
              zone(4, QStringLiteral("Walk-in"), QStringLiteral("B000000000000228")),
              zone(5, QStringLiteral("Bar"), QStringLiteral("C000000000000328"))})
            ASSERT_TRUE(zones.insert(z).ok());
    }

    [[nodiscard]] std::vector<store::MonitorSetsRow> storedZones() const {
        return store::MonitorSetsStore(*ctx.databases.kvr).loadAll().value();
    }

    // The order in which the adapter reports the thermometers.
    [[nodiscard]] QStringList adapterOrder() {
        sensornet::SensorBus bus(link, ctx.commands);
        (void)link.resetAdapter(ctx.commands.ResetCmd);
        QStringList ids;
        for (const sensornet::FoundDevice& d : bus.enumerate(sensornet::DeviceSearch::All)) {
            if (ctx.commands.TempSensorCmd.contains(d.family()))
                ids << d.romId;
        }
        link.closePort();
        return ids;
    }

    install::ZoneInstallation installation{ctx, link, dialogs};
};

TEST_F(ZoneInstallationTest, ReadListsKnownSensorsWithTheirSettingsAndANewOneWithDefaultsInTheAdaptersOrder) {
    storeFiveZones();
    const QStringList order = adapterOrder();
    ASSERT_EQ(order.size(), 3);

    const install::InstallOutcome outcome = installation.read();
    ASSERT_EQ(outcome.state, State::Done);
    EXPECT_TRUE(outcome.problems.empty());
    EXPECT_TRUE(dialogs.texts.isEmpty()) << dialogs.texts.join('\n').toStdString();
    EXPECT_FALSE(link.isOpen());

    const auto& rows = installation.rows();
    ASSERT_EQ(rows.size(), 3u);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(rows[i].SerialNo, order[i]);
    for (const install::ZoneWorkingRow& row : rows) {
        if (row.SerialNo == kKnownA) {
            EXPECT_EQ(row.Room, 2);
            EXPECT_EQ(row.Name, "Cooler");
            EXPECT_TRUE(row.Alarm);
            EXPECT_EQ(row.LowAlarm, -2);
            EXPECT_EQ(row.HighAlarm, 8);
            EXPECT_FALSE(row.Record);
            EXPECT_EQ(row.AlarmDelay, 15);
            EXPECT_EQ(row.Calibration, 0.5);
            EXPECT_EQ(row.Duration, 3);
        } else if (row.SerialNo == kKnownB) {
            EXPECT_EQ(row.Room, 7);
            EXPECT_EQ(row.Name, "Freezer");
            EXPECT_EQ(row.HighAlarm, std::nullopt) << "a Null limit must stay Null";
            EXPECT_EQ(row.AlarmSerialNo, kLampOfZone7);
        } else {
            EXPECT_EQ(row.SerialNo, kNew);
            EXPECT_EQ(row.Room, 0);
            EXPECT_EQ(row.Name, "");
            EXPECT_TRUE(row.Record);
            EXPECT_FALSE(row.Alarm);
            EXPECT_EQ(row.HighAlarm, 0);
            EXPECT_EQ(row.AlarmSerialNo, "");
        }
    }
    // Every device of the full search has its entry, the switches and the thermocouple too.
    EXPECT_EQ(installation.activity().size(), 7);
    EXPECT_TRUE(installation.activity().join(' ').contains(kThermocouple));
    EXPECT_EQ(sent("aS\r"), 2); // once for the order above, once for Read
}

TEST_F(ZoneInstallationTest, SavingThreeSensorsOverFiveZonesAsksByNameThenLeavesExactlyThree) {
    storeFiveZones();
    ASSERT_EQ(installation.read().state, State::Done);
    for (install::ZoneWorkingRow& row : installation.rows()) {
        if (row.SerialNo == kNew) {
            row.Room = 3;
            row.Name = QStringLiteral("Produce");
        }
    }
    dialogs.answers = {true, true};

    const install::InstallOutcome outcome = installation.save();
    ASSERT_EQ(outcome.state, State::Done);
    EXPECT_TRUE(outcome.problems.empty()) << outcome.problems.front().text().toStdString();

    ASSERT_EQ(dialogs.texts.size(), 2);
    EXPECT_EQ(dialogs.texts[0], install::ZoneInstallation::kSaveQuestion);
    const QString dropped = dialogs.texts[1];
    EXPECT_TRUE(dropped.startsWith(install::ZoneInstallation::kDroppedQuestion));
    EXPECT_TRUE(dropped.contains("Zone 1  Dairy"));
    EXPECT_TRUE(dropped.contains("Zone 4  Walk-in"));
    EXPECT_TRUE(dropped.contains("Zone 5  Bar"));
    EXPECT_FALSE(dropped.contains("Cooler"));
    EXPECT_FALSE(dropped.contains("Freezer"));

    const auto zones = storedZones();
    ASSERT_EQ(zones.size(), 3u);
    EXPECT_EQ(zones[0].Room, 2);
    EXPECT_EQ(zones[0].SerialNo, kKnownA);
    EXPECT_EQ(zones[0].CurrentTemp, "4") << "the zone's last reading stays with its own sensor";
    EXPECT_EQ(zones[1].Room, 3);
    EXPECT_EQ(zones[1].Name, "Produce");
    EXPECT_EQ(zones[1].SerialNo, kNew);
    EXPECT_EQ(zones[1].AlarmLedNo, 3);
    EXPECT_TRUE(zones[1].Record);
    EXPECT_EQ(zones[2].Room, 7);
    EXPECT_EQ(zones[2].ALarmSerialNo, kLampOfZone7);
    EXPECT_EQ(zones[2].HighAlarm, std::nullopt);
    EXPECT_EQ(zones[2].AlarmLedNo, 7);

    EXPECT_EQ(store::SystemStore(*ctx.databases.kvr).load()->Rooms, 3);
    EXPECT_EQ(ctx.settings.Zones, 3);
    QByteArray expected = test::kKvrIni;
    expected.replace("Zones=4", "Zones=3");
    EXPECT_EQ(site.read("KVR.INI"), expected);

    EXPECT_TRUE(installation.offerPanelSetup()) << "the panel question defaults to Yes";
    EXPECT_EQ(dialogs.texts.last(), install::ZoneInstallation::kPanelQuestion);
}

// Either No leaves every stored row, the count and KVR.INI exactly as they were.
class ZoneSaveRefusedTest : public ZoneInstallationTest, public ::testing::WithParamInterface<bool> {};

TEST_P(ZoneSaveRefusedTest, NoKeepsEveryZoneAsItWas) {
    storeFiveZones();
    ASSERT_EQ(installation.read().state, State::Done);
    const auto before = storedZones();
    const bool refuseTheDropQuestion = GetParam();
    dialogs.answers = {refuseTheDropQuestion, false};

    EXPECT_EQ(installation.save().state, State::Cancelled);

    EXPECT_EQ(dialogs.texts.size(), refuseTheDropQuestion ? 2 : 1);
    const auto after = storedZones();
    ASSERT_EQ(after.size(), 5u);
    for (std::size_t i = 0; i < after.size(); ++i) {
        EXPECT_EQ(after[i].id, before[i].id);
        EXPECT_EQ(after[i].Room, before[i].Room);
        EXPECT_EQ(after[i].SerialNo, before[i].SerialNo);
        EXPECT_EQ(after[i].Name, before[i].Name);
    }
    EXPECT_EQ(store::SystemStore(*ctx.databases.kvr).load()->Rooms, 0);
    EXPECT_EQ(ctx.settings.Zones, 4);
    EXPECT_EQ(site.read("KVR.INI"), test::kKvrIni);
}

INSTANTIATE_TEST_SUITE_P(AtEitherQuestion, ZoneSaveRefusedTest, ::testing::Values(false, true));

TEST_F(ZoneInstallationTest, SavingOverAnEmptyTableAddsEveryRowWithoutTheDropQuestion) {
    ASSERT_EQ(installation.read().state, State::Done);
    dialogs.answers = {true};
    ASSERT_EQ(installation.save().state, State::Done);
    EXPECT_EQ(dialogs.texts.size(), 1);
    EXPECT_EQ(storedZones().size(), 3u);
}

TEST_F(ZoneInstallationTest, PanelSetupNumbersSwitchesFromTheZonesThenThePanelAndSavesAndBlinksThem) {
    storeFiveZones();
    store::AlarmPanelStore panel(*ctx.databases.kvr);
    ASSERT_TRUE(panel.insert({0, 3, kLampOfPanel3, 9}).ok());
    ASSERT_TRUE(panel.insert({0, 4, QStringLiteral("9900000000000905"), 0}).ok());
    ASSERT_TRUE(panel.insert({0, 5, QStringLiteral("9800000000000805"), 0}).ok());

    ASSERT_EQ(installation.panelSetup().state, State::Done);
    EXPECT_FALSE(link.isOpen());
    EXPECT_EQ(sent("aF05\r"), 1);
    auto& lamps = installation.lamps();
    ASSERT_EQ(lamps.size(), 3u);
    for (const install::LampRow& lamp : lamps) {
        if (lamp.AlarmSerialNo == kLampOfZone7)
            EXPECT_EQ(lamp.AlarmLedNo, 7);
        else if (lamp.AlarmSerialNo == kLampOfPanel3)
            EXPECT_EQ(lamp.AlarmLedNo, 3);
        else
            EXPECT_EQ(lamp.AlarmLedNo, 0) << lamp.AlarmSerialNo.toStdString();
    }

    // The user gives the panel's lamp 3 to zone 2; the unknown switch stays unnumbered.
    for (install::LampRow& lamp : lamps) {
        if (lamp.AlarmSerialNo == kLampOfPanel3)
            lamp.AlarmLedNo = 2;
    }
    ASSERT_EQ(installation.panelSave().state, State::Done);

    const auto rows = panel.loadAll().value();
    ASSERT_EQ(rows.size(), 3u) << "the panel rows of switches no longer found are deleted";
    for (const store::AlarmPanelRow& row : rows)
        EXPECT_EQ(row.ALarmPanelID, 0);
    const store::MonitorSetsStore zoneStore(*ctx.databases.kvr);
    EXPECT_EQ(zoneStore.findByRoom(2).value()->ALarmSerialNo, kLampOfPanel3);
    EXPECT_EQ(zoneStore.findByRoom(7).value()->ALarmSerialNo, kLampOfZone7);
    for (const store::MonitorSetsRow& z : storedZones())
        EXPECT_NE(z.ALarmSerialNo, kLampUnknown) << "an unnumbered lamp belongs to no zone";

    const int resetsBefore = sent("aR\r");
    const int pausesBefore = waited(install::SensorInstallation::kLampSendPauseMs);
    dialogs.answers = {true};
    ASSERT_TRUE(installation.offerPanelTest());
    EXPECT_EQ(dialogs.texts.last(), install::ZoneInstallation::kTestQuestion);
    // One reset of the adapter on opening, one bus reset for all lamps, then five toggles a second apart.
    EXPECT_EQ(sent("aR\r") - resetsBefore, 2);
    for (const QString& rom : {kLampOfZone7, kLampOfPanel3, kLampUnknown})
        EXPECT_EQ(sent(("aA" + rom + "\r").toLatin1()), 5) << rom.toStdString();
    // Fifteen waits after the toggles, and the adapter reset's own two.
    EXPECT_EQ(waited(install::SensorInstallation::kLampSendPauseMs) - pausesBefore, 15 + 2);
    // Five toggles leave each lamp the other way round.
    EXPECT_TRUE(lampOn(kLampOfZone7));
    EXPECT_TRUE(lampOn(kLampOfPanel3));
    EXPECT_FALSE(lampOn(kLampUnknown));
    EXPECT_FALSE(link.isOpen());
}

TEST_F(ZoneInstallationTest, ReadAfterTheAdapterWentSilentReportsNothingFoundAndKeepsNothing) {
    ASSERT_EQ(sim.control("adapter silent"), "ok");
    const install::InstallOutcome outcome = installation.read();
    EXPECT_EQ(outcome.state, State::NothingFound);
    EXPECT_TRUE(installation.rows().empty());
    ASSERT_EQ(dialogs.texts.size(), 1);
    EXPECT_EQ(dialogs.titles[0], "Kelvara");
    EXPECT_EQ(dialogs.texts[0], install::SensorInstallation::kReadError);
    EXPECT_FALSE(link.isOpen());
}

} // namespace
