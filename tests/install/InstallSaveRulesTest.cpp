// Save's safety rules without a bus: a write that fails part-way leaves the old installation whole (tables,
// count, KVR.INI), a port that will not open stops Read quietly, and the error text of a failed command.
#include "InstallBench.h"
#include "install/CookInstallation.h"
#include "install/ZoneInstallation.h"
#include "store/CookSettingsStore.h"
#include "store/Database.h"
#include "store/DatabaseKind.h"
#include "store/MonitorSetsStore.h"
#include "store/SystemStore.h"
#include "store/ThermoSensorsStore.h"
#include "support/FakeClock.h"
#include "support/Ha5Commands.h"
#include "support/RecordedDialogs.h"
#include "support/ScriptedPort.h"
#include "support/TempSite.h"

#include <QSqlQuery>
#include <gtest/gtest.h>

using namespace kelvara;
using State = install::InstallOutcome::State;

namespace {

install::ZoneWorkingRow zoneRow(int room, const QString& name, const QString& serialNo) {
    install::ZoneWorkingRow row;
    row.Room = room;
    row.Name = name;
    row.SerialNo = serialNo;
    return row;
}

install::CookWorkingRow cookRow(int sensorNo, const QString& name, const QString& serialNo) {
    install::CookWorkingRow row;
    row.SensorNo = sensorNo;
    row.Name = name;
    row.SerialNo = serialNo;
    return row;
}

class InstallSaveRulesTest : public ::testing::Test {
protected:
    void SetUp() override {
        ctx.siteDir = site.path();
        ctx.commands = test::ha5Commands();
        ctx.settings.Zones = 4;
        site.write(QStringLiteral("KVR.INI"), test::kKvrIni);
        ctx.databases.kvr = open(store::DatabaseKind::Kvr);
        ctx.databases.thermo = open(store::DatabaseKind::Thermo);
    }

    std::unique_ptr<store::Database> open(store::DatabaseKind kind) {
        const QString path = site.file(store::databaseFileName(kind));
        EXPECT_TRUE(store::createDatabase(path, kind).ok());
        auto db = std::make_unique<store::Database>(kind);
        EXPECT_TRUE(db->open(path).ok());
        return db;
    }

    // The engine refuses any new row for this ROM id, as a full disk or a broken file would part-way.
    static void refuseInserts(const store::Database& db, const QString& table, const QString& serialNo) {
        QSqlQuery query(db.connection());
        ASSERT_TRUE(query.exec(QStringLiteral("CREATE TRIGGER refuse BEFORE INSERT ON \"%1\" WHEN "
                                              "NEW.\"SerialNo\" = '%2' BEGIN SELECT RAISE(ABORT, 'disk is "
                                              "full'); END")
                                   .arg(table, serialNo)));
    }

    test::TempSite site;
    app::AppContext ctx;
    test::FakeClock clock;
    test::ScriptedPort port{clock};
    test::RecordedDialogs dialogs;
    sensornet::AdapterLink link{port, clock, port, dialogs, sensornet::ExchangeRules::installation()};
};

TEST_F(InstallSaveRulesTest, AZoneSaveFailingPartWayLeavesZonesCountAndKvrIniAsTheyWere) {
    const store::MonitorSetsStore zones(*ctx.databases.kvr);
    for (int room = 1; room <= 4; ++room) {
        store::MonitorSetsRow z;
        z.Room = room;
        z.Name = QStringLiteral("Zone %1").arg(room);
        z.SerialNo = QStringLiteral("0000000000000%1").arg(room) + QStringLiteral("28");
        ASSERT_TRUE(zones.insert(z).ok());
    }
    ASSERT_TRUE(store::SystemStore(*ctx.databases.kvr).saveRooms(4).ok());
    const auto before = zones.loadAll().value();
    refuseInserts(*ctx.databases.kvr, QStringLiteral("MonitorSets"), QStringLiteral("FFFFFFFFFFFFFF28"));

    install::ZoneInstallation installation(ctx, link, dialogs);
    // The first two zones are renamed (updates that succeed) before the new sensor's row is refused.
    for (const store::MonitorSetsRow& z : {before[0], before[1]})
        installation.rows().push_back(zoneRow(z.Room + 10, QStringLiteral("renamed"), z.SerialNo));
    installation.rows().push_back(zoneRow(9, QString(), QStringLiteral("FFFFFFFFFFFFFF28")));
    dialogs.answers = {true, true};

    const install::InstallOutcome outcome = installation.save();
    EXPECT_EQ(outcome.state, State::Failed);
    ASSERT_EQ(outcome.problems.size(), 1u);
    EXPECT_TRUE(outcome.problems[0].text().contains("disk is full"))
        << outcome.problems[0].text().toStdString();

    const auto after = zones.loadAll().value();
    ASSERT_EQ(after.size(), 4u);
    for (std::size_t i = 0; i < after.size(); ++i) {
        EXPECT_EQ(after[i].Room, before[i].Room);
        EXPECT_EQ(after[i].Name, before[i].Name);
    }
    EXPECT_EQ(store::SystemStore(*ctx.databases.kvr).load()->Rooms, 4);
    EXPECT_EQ(site.read("KVR.INI"), test::kKvrIni);
    EXPECT_EQ(ctx.settings.Zones, 4);
}

TEST_F(InstallSaveRulesTest, ACookSaveFailingPartWayLeavesTheSensorsAndTheirCountAsTheyWere) {
    const store::ThermoSensorsStore sensors(*ctx.databases.thermo);
    store::ThermoSensorsRow oven;
    oven.SensorNo = 1;
    oven.Name = QStringLiteral("Oven");
    oven.SerialNo = QStringLiteral("0000000000000130");
    ASSERT_TRUE(sensors.insert(oven).ok());
    const store::CookSettingsStore settings(*ctx.databases.thermo);
    ASSERT_TRUE(settings.ensureRow().ok());
    ASSERT_TRUE(settings.saveHouses(1).ok());
    refuseInserts(*ctx.databases.thermo, QStringLiteral("ThermoSensors"), QStringLiteral("FFFFFFFFFFFFFF30"));

    install::CookInstallation installation(ctx, link, dialogs);
    installation.rows().push_back(cookRow(5, QStringLiteral("renamed"), oven.SerialNo));
    installation.rows().push_back(cookRow(6, QString(), QStringLiteral("FFFFFFFFFFFFFF30")));
    dialogs.answers = {true};

    EXPECT_EQ(installation.save().state, State::Failed);
    const auto after = sensors.loadAll().value();
    ASSERT_EQ(after.size(), 1u);
    EXPECT_EQ(after[0].SensorNo, 1);
    EXPECT_EQ(after[0].Name, "Oven");
    EXPECT_EQ(settings.load()->houses, 1);
}

TEST_F(InstallSaveRulesTest, ReadAndPanelSetupStopQuietlyWhenThePortWillNotOpen) {
    port.failOpen(sensornet::PortFailure::NotFound);
    install::ZoneInstallation installation(ctx, link, dialogs);
    EXPECT_EQ(installation.read().state, State::PortNotOpen);
    EXPECT_EQ(installation.panelSetup().state, State::PortNotOpen);
    EXPECT_TRUE(port.written.isEmpty());
    // Only the adapter reset's own message about the port, once per attempt; no "nothing found".
    EXPECT_FALSE(dialogs.texts.contains(install::SensorInstallation::kReadError));
}

TEST_F(InstallSaveRulesTest, AConfirmedSaveOfAnEmptyListEmptiesTheTableAfterNamingEveryZone) {
    const store::MonitorSetsStore zones(*ctx.databases.kvr);
    store::MonitorSetsRow z;
    z.Room = 3;
    z.Name = QStringLiteral("Deli");
    z.SerialNo = QStringLiteral("0000000000000328");
    ASSERT_TRUE(zones.insert(z).ok());
    install::ZoneInstallation installation(ctx, link, dialogs);
    dialogs.answers = {true, true};
    ASSERT_EQ(installation.save().state, State::Done);
    ASSERT_EQ(dialogs.texts.size(), 2);
    EXPECT_TRUE(dialogs.texts[1].endsWith("Zone 3  Deli"));
    EXPECT_EQ(zones.count(), 0);
    EXPECT_EQ(store::SystemStore(*ctx.databases.kvr).load()->Rooms, 0);
}

TEST_F(InstallSaveRulesTest, AReadWhoseSettingsLookupFailsListsNothingSoNoSaveCanWriteDefaultsOverTheZones) {
    port.on("aR\r", "P\r");
    port.on("aS\r", "1100000000000A28\r");
    port.on("as\r", "\r");
    QSqlQuery(ctx.databases.kvr->connection())
        .exec(QStringLiteral("ALTER TABLE MonitorSets RENAME TO Moved"));
    install::ZoneInstallation installation(ctx, link, dialogs);
    const install::InstallOutcome outcome = installation.read();
    EXPECT_EQ(outcome.state, State::Failed);
    ASSERT_EQ(outcome.problems.size(), 1u);
    EXPECT_TRUE(outcome.problems[0].text().contains("MonitorSets"))
        << outcome.problems[0].text().toStdString();
    EXPECT_TRUE(installation.rows().empty());
}

struct ProblemCase {
    std::optional<int> number;
    const char* description;
    const char* shown;
};

class InstallProblemText : public ::testing::TestWithParam<ProblemCase> {};

TEST_P(InstallProblemText, ShowsTheNumberTwoBlanksAndTheDescription) {
    const ProblemCase& c = GetParam();
    EXPECT_EQ((install::InstallProblem{c.number, QString::fromUtf8(c.description)}.text()),
              QString::fromUtf8(c.shown));
}

INSTANTIATE_TEST_SUITE_P(Cases, InstallProblemText,
                         ::testing::Values(ProblemCase{8002, "Invalid port", "8002  Invalid port"},
                                           ProblemCase{-5, "Negative", "-5  Negative"},
                                           ProblemCase{std::nullopt, "disk is full", "disk is full"}));

} // namespace
