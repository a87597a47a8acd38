// Start-up in process: settings and databases land in the shared state as the site's files say. (Missing
// settings files, each named once, are HeadlessStartupTest's, on the real program.)
#include "app/Startup.h"

#include "app/AppContext.h"
#include "app/SingleInstance.h"
#include "store/CookSettingsStore.h"
#include "store/Database.h"
#include "store/MonitorSetsStore.h"
#include "store/SystemStore.h"
#include "store/ThermoTypesTable.h"
#include "support/RecordedDialogs.h"
#include "support/SiteDatabases.h"

#include <QSqlQuery>
#include <gtest/gtest.h>

using namespace kelvara;

namespace {

class StartupTest : public ::testing::Test {
protected:
    void SetUp() override {
        ctx.siteDir = site.path();
        site.write("KVR.INI", "TempType=F\r\nZones=8\r\nColdReadMins=1\r\nDONE\r\n");
        site.write("SensorReader.ini", "x\r\nHA5\r\n[HA5]\r\nReset=aR\r\nDONE\r\n");
    }
    void createZoneSide() {
        ASSERT_TRUE(store::createDatabase(site.file("KVR.db"), store::DatabaseKind::Kvr).ok());
    }
    app::Startup::Outcome run() {
        app::Startup startup(ctx, dialogs, instance);
        return startup.run();
    }

    test::TempSite site;
    app::AppContext ctx;
    test::RecordedDialogs dialogs;
    app::SingleInstance instance;
};

} // namespace

TEST_F(StartupTest, AnEmptyZoneTableForcesZonesToNoneAndNullTimesBecomeTheOldestDay) {
    createZoneSide();
    ASSERT_EQ(run(), app::Startup::Outcome::Running);
    EXPECT_EQ(ctx.DatabaseMode, "KVR");
    EXPECT_EQ(ctx.settings.Zones, 0); // KVR.INI said 8
    EXPECT_EQ(ctx.settings.TempType, "F");
    EXPECT_EQ(ctx.commands.ResetCmd, "aR\r");
    EXPECT_EQ(ctx.LastDate, QDate(1900, 1, 1));
    EXPECT_EQ(ctx.LastTime, QTime(0, 0));
    EXPECT_EQ(ctx.HotLastDate, QDate(1900, 1, 1));
    EXPECT_TRUE(dialogs.texts.isEmpty());
    EXPECT_TRUE(ctx.startupNotices.isEmpty());
}

TEST_F(StartupTest, StoredZonesAndLastRecordTimesAreKept) {
    {
        const auto db = test::createOpenDatabase(site, store::DatabaseKind::Kvr);
        store::MonitorSetsRow zone;
        zone.Room = 1;
        zone.SerialNo = "750000000000A128";
        ASSERT_TRUE(store::MonitorSetsStore(*db).insert(zone).ok());
        ASSERT_TRUE(store::SystemStore(*db).saveLastRecord(QDate(2026, 5, 4), QTime(13, 45, 0)).ok());
    }
    ASSERT_EQ(run(), app::Startup::Outcome::Running);
    EXPECT_EQ(ctx.settings.Zones, 8);
    EXPECT_EQ(ctx.LastDate, QDate(2026, 5, 4));
    EXPECT_EQ(ctx.LastTime, QTime(13, 45, 0));
    EXPECT_EQ(ctx.HotLastTime, QTime(0, 0)); // still Null
}

TEST_F(StartupTest, BothSidesOpenAndTheCookSettingsRowIsGuaranteed) {
    createZoneSide();
    ASSERT_TRUE(store::createThermoTypesDatabase(site.file("ThermoTypes.db")).ok());
    {
        const auto db = test::createOpenDatabase(site, store::DatabaseKind::Thermo);
        ASSERT_TRUE(QSqlQuery(db->connection()).exec("DELETE FROM \"Settings\""));
    }
    ASSERT_EQ(run(), app::Startup::Outcome::Running);
    EXPECT_EQ(ctx.DatabaseMode, "KVRThermo");
    ASSERT_TRUE(ctx.databases.thermo && ctx.databases.thermo->isOpen());
    const auto row = store::CookSettingsStore(*ctx.databases.thermo).load();
    ASSERT_TRUE(row.ok());
    EXPECT_EQ(row->company.BusinessName, " ");
    EXPECT_EQ(row->houses, 0);
}

TEST_F(StartupTest, AZoneDatabaseThatWillNotOpenIsReportedAndNotTakenForANewSite) {
    site.write("KVR.db", QByteArray(2048, '\x7f'));
    ASSERT_EQ(run(), app::Startup::Outcome::Running);
    ASSERT_EQ(dialogs.texts.size(), 1);
    EXPECT_EQ(dialogs.titles.at(0), "Kelvara");
    EXPECT_EQ(ctx.settings.Zones, 8); // as KVR.INI says: no first-start windows over a configured site
    EXPECT_EQ(ctx.LastDate, QDate(1900, 1, 1));
}

// A zone database that opens but cannot be read must not pass for a site without zones: start-up stops
// with a critical box, leaves the files as they were and never offers the first-start windows.
TEST_F(StartupTest, AZoneDatabaseThatCannotBeReadStopsStartUpAndWritesNothing) {
    {
        const auto db = test::createOpenDatabase(site, store::DatabaseKind::Kvr);
        ASSERT_TRUE(QSqlQuery(db->connection()).exec("DROP TABLE MonitorSets"));
    }
    const QByteArray iniBefore = site.read("KVR.INI");
    const QByteArray dbBefore = site.read("KVR.db");

    EXPECT_EQ(run(), app::Startup::Outcome::DatabaseUnreadable);
    ASSERT_EQ(dialogs.texts.size(), 1);
    EXPECT_EQ(dialogs.kinds.at(0), int(base::UserDialogs::Kind::Critical));
    EXPECT_TRUE(dialogs.texts.at(0).contains("MonitorSets")) << dialogs.texts.at(0).toStdString();
    EXPECT_EQ(ctx.settings.Zones, 8);
    EXPECT_EQ(site.read("KVR.INI"), iniBefore);
    EXPECT_EQ(site.read("KVR.db"), dbBefore);
    // The site is free again for a copy that can read it.
    app::SingleInstance other;
    EXPECT_EQ(other.acquire(site.path()), app::SingleInstance::Claim::Held);
}

// A copy killed before it wrote its process id into the lock file leaves it empty: that names no running
// copy.
TEST_F(StartupTest, AnEmptyLockFileLeftByAKilledCopyDoesNotKeepTheSite) {
    site.write(app::SingleInstance::kLockName, QByteArray());
    app::SingleInstance instance;
    EXPECT_EQ(instance.acquire(site.path()), app::SingleInstance::Claim::Held);
    app::SingleInstance second;
    EXPECT_EQ(second.acquire(site.path()), app::SingleInstance::Claim::OtherCopy);
}

// Only another running copy is "a second copy"; a folder where no lock can be made is named as such.
TEST_F(StartupTest, ASiteFolderThatCannotBeWrittenIsNamedNotTakenForASecondCopy) {
    ctx.siteDir = QStringLiteral("/proc"); // no file can be made there, whoever runs the test
    EXPECT_EQ(run(), app::Startup::Outcome::SiteNotWritable);
    ASSERT_EQ(dialogs.texts.size(), 1);
    EXPECT_EQ(dialogs.kinds.at(0), int(base::UserDialogs::Kind::Critical));
    EXPECT_TRUE(dialogs.texts.at(0).contains("/proc")) << dialogs.texts.at(0).toStdString();
    EXPECT_FALSE(dialogs.texts.at(0).contains("already have a copy"));
}
