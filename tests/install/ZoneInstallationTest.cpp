// The zone sensor installation over a scripted adapter: what Read lists, what Save keeps and drops (only with
// the user's word, and all or nothing), the zone count in System and KVR.INI, and the alarm panel's lamp
// numbers and test.
#include "install/ZoneInstallation.h"

#include "InstallBench.h"
#include "store/AlarmPanelStore.h"
#include "store/MonitorSetsStore.h"
#include "store/SystemStore.h"

#include <QSqlQuery>
#include <deque>
#include <gtest/gtest.h>
#include <ostream>

using namespace kelvara;
using install::ZoneInstallation;
using State = install::InstallOutcome::State;

namespace {

// Two thermometers already installed, a new one, three lamp switches and a thermocouple.
const QString kKnownA = QStringLiteral("1100000000000A28");
const QString kKnownB = QStringLiteral("2200000000000B10");
const QString kNew = QStringLiteral("3300000000000C28");
const QString kLampOfZone7 = QStringLiteral("4400000000000D05");
const QString kLampOfPanel3 = QStringLiteral("5500000000000E05");
const QString kLampUnknown = QStringLiteral("6600000000000F05");
const QString kThermocouple = QStringLiteral("7700000000000130");

// A zone with every column away from its default and a last reading of its own, so that a column lost or
// handed to another zone on the way shows.
store::MonitorSetsRow zone(int room, const QString& name, const QString& serialNo) {
    return {.Room = room,
            .Name = name,
            .SerialNo = serialNo,
            .Calibration = 0.5,
            .CurrentTemp = QString::number(room + 30),
            .TimeRead = QTime(9, 45, room),
            .Alarm = true,
            .HighAlarm = 8,
            .LowAlarm = -2,
            .AlarmDelay = 15,
            .Alarmstarted = true,
            .AlarmOn = QTime(9, 30),
            .DisableAlarm = true,
            .Duration = 3,
            .AlarmLedNo = room,
            .ALarmPanelID = 2};
}

// Every stored column of a zone but its row id, to compare zones whole.
QString columns(const store::MonitorSetsRow& z) {
    const auto opt = [](const auto& v) { return v ? QVariant(*v) : QVariant(QStringLiteral("Null")); };
    QStringList texts;
    for (const QVariant& v : QVariantList{z.Room, z.Name, z.SerialNo, z.Calibration, z.Record, z.CurrentTemp,
                                          opt(z.TimeRead), z.Alarm, opt(z.HighAlarm), opt(z.LowAlarm),
                                          z.AlarmDelay, z.Alarmstarted, opt(z.AlarmOn), z.DisableAlarm,
                                          z.Duration, z.ALarmSerialNo, z.AlarmLedNo, z.ALarmPanelID})
        texts << v.toString();
    return texts.join(QLatin1Char('|'));
}

class ZoneInstallationTest : public test::InstallBench {
protected:
    // Rooms 2 and 7 have their sensors on the bus (7 with a Null high limit and its lamp); the sensors of
    // rooms 1, 4 and 5 are gone.
    void storeFiveZones() const {
        store::MonitorSetsRow seven = zone(7, QStringLiteral("Freezer"), kKnownB);
        seven.HighAlarm = std::nullopt;
        seven.ALarmSerialNo = kLampOfZone7;
        for (const store::MonitorSetsRow& z :
             {zone(1, QStringLiteral("Dairy"), QStringLiteral("A000000000000128")),
              zone(2, QStringLiteral("Cooler"), kKnownA), seven,
              zone(4, QStringLiteral("Walk-in"), QStringLiteral("B000000000000228")),
              zone(5, QStringLiteral("Bar"), QStringLiteral("C000000000000328"))})
            ASSERT_TRUE(zones().insert(z).ok());
    }
    [[nodiscard]] store::MonitorSetsStore zones() const {
        return store::MonitorSetsStore(*ctx.databases.kvr);
    }
    [[nodiscard]] QStringList storedZones() const {
        QStringList rows;
        const auto stored = zones().loadAll().value();
        for (const store::MonitorSetsRow& z : stored)
            rows << columns(z);
        return rows;
    }
    // The full search finds the three thermometers among the other devices, the new one first.
    void readThreeSensors() {
        onSearch("aS\r", {kNew, kLampOfZone7, kKnownB, kThermocouple, kKnownA});
        ASSERT_EQ(installation.read().state, State::Done);
    }
    // What the System row, the settings and KVR.INI say of the zone count.
    void expectZoneCount(int system, int zones) const {
        EXPECT_EQ(store::SystemStore(*ctx.databases.kvr).load()->Rooms, system);
        EXPECT_EQ(ctx.settings.Zones, zones);
        EXPECT_EQ(site.read("KVR.INI"),
                  QByteArray(test::kKvrIni).replace("Zones=4", "Zones=" + QByteArray::number(zones)));
    }

    ZoneInstallation installation{ctx, link, dialogs};
};

TEST_F(ZoneInstallationTest, ReadListsTheSensorsInTheAdaptersOrderAndSaveKeepsEverythingTheKnownZonesHad) {
    storeFiveZones();
    const QStringList before = storedZones(); // rooms 1, 2, 4, 5, 7
    readThreeSensors();
    EXPECT_FALSE(link.isOpen());
    // Every device of the search has its entry, as it came and then its ROM id.
    ASSERT_EQ(installation.activity().size(), 5);
    EXPECT_EQ(installation.activity()[3], kThermocouple + "<CR>  " + kThermocouple);
    ASSERT_EQ(installation.rows().size(), 3u);
    EXPECT_EQ(installation.rows()[0].SerialNo, kNew);
    EXPECT_EQ(installation.rows()[1].SerialNo, kKnownB);
    installation.rows()[0].Room = 3;
    installation.rows()[0].Name = QStringLiteral("Produce");
    // Save writes every setting of the list over whatever the known zones hold by then; their last readings
    // stay with them.
    for (const int room : {2, 7}) {
        const store::MonitorSetsRow z = *zones().findByRoom(room).value();
        ASSERT_TRUE(zones()
                        .update({.id = z.id,
                                 .SerialNo = z.SerialNo,
                                 .CurrentTemp = z.CurrentTemp,
                                 .TimeRead = z.TimeRead})
                        .ok());
    }
    dialogs.answers = {true, true};

    const install::InstallOutcome outcome = installation.save();
    ASSERT_EQ(outcome.state, State::Done);
    EXPECT_TRUE(outcome.problems.empty());
    EXPECT_EQ(dialogs.texts, (QStringList{ZoneInstallation::kSaveQuestion,
                                          ZoneInstallation::kDroppedQuestion +
                                              "\n\nZone 1  Dairy\nZone 4  Walk-in\nZone 5  Bar"}));
    // The new sensor's zone has the defaults of a new sensor, its lamp number following its room.
    const store::MonitorSetsRow added{.Room = 3,
                                      .Name = "Produce",
                                      .SerialNo = kNew,
                                      .Record = true,
                                      .HighAlarm = 0,
                                      .LowAlarm = 0,
                                      .AlarmOn = QTime(0, 0),
                                      .AlarmLedNo = 3};
    EXPECT_EQ(storedZones(), (QStringList{before[1], columns(added), before[4]}));
    expectZoneCount(3, 3);
    EXPECT_TRUE(installation.offerPanelSetup()) << "the panel question defaults to Yes";
    EXPECT_EQ(dialogs.texts.last(), ZoneInstallation::kPanelQuestion);
}

struct SaveCase {
    const char* name;
    bool fiveZonesStored; // else none
    bool sensorsRead;     // the three sensors, else an empty list
    std::deque<bool> answers;
    State state;
    bool refusedPartWay; // the engine refuses the last write, as a full disk would
};

void PrintTo(const SaveCase& c, std::ostream* os) {
    *os << c.name;
}

class ZoneSave : public ZoneInstallationTest, public ::testing::WithParamInterface<SaveCase> {};

TEST_P(ZoneSave, WritesTheListOnlyOnYesToEveryQuestionAndAllOrNothing) {
    const SaveCase& c = GetParam();
    if (c.fiveZonesStored)
        storeFiveZones();
    if (c.sensorsRead)
        readThreeSensors();
    // Only after the new sensor's row went in and zone 7 was written.
    if (c.refusedPartWay)
        QSqlQuery(ctx.databases.kvr->connection())
            .exec("CREATE TRIGGER refuse BEFORE UPDATE ON MonitorSets WHEN NEW.SerialNo = '" + kKnownA +
                  "' BEGIN SELECT RAISE(ABORT, 'disk is full'); END");
    const QStringList before = storedZones();
    dialogs.answers = c.answers;

    const install::InstallOutcome outcome = installation.save();
    EXPECT_EQ(outcome.state, c.state);
    EXPECT_EQ(dialogs.texts.size(), c.answers.size());
    ASSERT_EQ(outcome.problems.size(), c.refusedPartWay ? 1u : 0u);
    if (c.refusedPartWay) {
        EXPECT_TRUE(outcome.problems[0].text().contains("disk is full"));
    }
    if (c.state == State::Done) {
        EXPECT_EQ(storedZones().size(), installation.sensorCount());
        expectZoneCount(installation.sensorCount(), installation.sensorCount());
    } else {
        EXPECT_EQ(storedZones(), before);
        expectZoneCount(0, 4);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ZoneSave,
    ::testing::Values(SaveCase{"NoToTheSaveQuestion", true, true, {false}, State::Cancelled, false},
                      SaveCase{"NoToTheDroppedZones", true, true, {true, false}, State::Cancelled, false},
                      SaveCase{"NothingToDropAsksOnce", false, true, {true}, State::Done, false},
                      SaveCase{"AnEmptyListDropsEveryZone", true, false, {true, true}, State::Done, false},
                      SaveCase{"AWriteRefusedPartWay", true, true, {true, true}, State::Failed, true}));

TEST_F(ZoneInstallationTest, AReadThatFindsNothingOrCannotOpenThePortTellsTheUserAndListsNothing) {
    EXPECT_EQ(installation.read().state, State::NothingFound);
    port.failOpen(sensornet::PortFailure::NotFound);
    takeWritten();
    EXPECT_EQ(installation.read().state, State::PortNotOpen);
    EXPECT_EQ(installation.panelSetup().state, State::PortNotOpen);
    EXPECT_TRUE(port.written.isEmpty());
    EXPECT_TRUE(installation.rows().empty());
    // Only the adapter reset's own message about the port, once per attempt; no "nothing found".
    const QString portMessage = sensornet::AdapterLink::kCheckPortMessage + "8002";
    EXPECT_EQ(dialogs.texts,
              (QStringList{install::SensorInstallation::kReadError, portMessage, portMessage}));
    EXPECT_EQ(dialogs.titles, QStringList(3, "Kelvara"));
    EXPECT_FALSE(link.isOpen());
}

TEST_F(ZoneInstallationTest, AReadWhoseSettingsLookupFailsListsNothingSoNoSaveCanWriteDefaultsOverTheZones) {
    onSearch("aS\r", {kKnownA});
    QSqlQuery(ctx.databases.kvr->connection()).exec("ALTER TABLE MonitorSets RENAME TO Moved");
    const install::InstallOutcome outcome = installation.read();
    EXPECT_EQ(outcome.state, State::Failed);
    ASSERT_EQ(outcome.problems.size(), 1u);
    EXPECT_TRUE(outcome.problems[0].text().contains("MonitorSets"))
        << outcome.problems[0].text().toStdString();
    EXPECT_TRUE(installation.rows().empty());
    EXPECT_TRUE(dialogs.texts.isEmpty());
}

TEST_F(ZoneInstallationTest, PanelSetupNumbersSwitchesFromTheZonesThenThePanelAndSavesAndBlinksThem) {
    storeFiveZones();
    ASSERT_TRUE(zones().insert({.SerialNo = kNew}).ok()); // not numbered yet
    const store::AlarmPanelStore panel(*ctx.databases.kvr);
    ASSERT_TRUE(panel.insert({0, 3, kLampOfPanel3, 9}).ok());
    ASSERT_TRUE(panel.insert({0, 4, QStringLiteral("9900000000000905"), 0}).ok());
    ASSERT_TRUE(panel.insert({0, 5, kLampOfZone7, 0}).ok()); // the zone's number comes first
    onSearch("aF05\r", {kLampOfZone7, kThermocouple, kLampOfPanel3, kLampUnknown});

    ASSERT_EQ(installation.panelSetup().state, State::Done);
    EXPECT_FALSE(link.isOpen());
    auto& lamps = installation.lamps();
    ASSERT_EQ(lamps.size(), 3u);
    EXPECT_EQ(lamps[0].AlarmLedNo, 7);
    EXPECT_EQ(lamps[1].AlarmLedNo, 3);
    EXPECT_EQ(lamps[2].AlarmLedNo, 0);

    lamps[1].AlarmLedNo = 2; // the user gives the panel's lamp 3 to zone 2
    ASSERT_EQ(installation.panelSave().state, State::Done);
    QStringList stored;
    const auto rows = panel.loadAll().value();
    for (const store::AlarmPanelRow& row : rows)
        stored << QStringLiteral("%1 %2 %3").arg(row.AlarmLedNo).arg(row.ALarmSerialNo).arg(row.ALarmPanelID);
    EXPECT_EQ(stored, (QStringList{"0 " + kLampUnknown + " 0", "2 " + kLampOfPanel3 + " 0",
                                   "7 " + kLampOfZone7 + " 0"}));
    EXPECT_EQ(zones().findByRoom(2).value()->ALarmSerialNo, kLampOfPanel3);
    EXPECT_EQ(zones().findByRoom(7).value()->ALarmSerialNo, kLampOfZone7);
    EXPECT_EQ(zones().findByRoom(0).value()->ALarmSerialNo, "") << "an unnumbered lamp belongs to no zone";

    takeWritten();
    port.pauses.clear();
    dialogs.answers = {true};
    ASSERT_TRUE(installation.offerPanelTest());
    EXPECT_EQ(dialogs.texts.last(), ZoneInstallation::kTestQuestion);
    // The adapter reset, one bus reset for all lamps, then five toggles a second apart: each lamp ends the
    // other way round.
    EXPECT_EQ(takeWritten(), QList<QByteArray>({"aR\r", "aR\r"}) + test::addressed(kLampOfZone7, 5) +
                                 test::addressed(kLampOfPanel3, 5) + test::addressed(kLampUnknown, 5));
    EXPECT_EQ(port.pauses, QList<qint64>(2 + 15, 1000));
    EXPECT_FALSE(link.isOpen());
}

TEST(InstallProblemText, IsTheNumberTwoBlanksAndTheDescriptionOrTheDescriptionAlone) {
    EXPECT_EQ((install::InstallProblem{8002, "Invalid port"}.text()), "8002  Invalid port");
    EXPECT_EQ((install::InstallProblem{-5, "Negative"}.text()), "-5  Negative");
    EXPECT_EQ((install::InstallProblem{std::nullopt, "disk is full"}.text()), "disk is full");
}

} // namespace
