// Start-up of the real program without windows: which sides run, the one-copy rule, site creation.
#include "support/KelvaraProcess.h"
#include "support/TempSite.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

using kelvara::test::KelvaraProcess;
using kelvara::test::TempSite;

namespace {

class HeadlessStartup : public ::testing::Test {
protected:
    // A fresh site of the given sides inside the temporary folder.
    QString createSite(const QString& sides) {
        KelvaraProcess create(config.path());
        const QString dir = root.file("site");
        EXPECT_EQ(create.runToEnd({"--create-site", dir, "--sides", sides}), 0)
            << create.stdErr().toStdString();
        return dir;
    }

    TempSite root;
    TempSite config;
};

} // namespace

TEST_F(HeadlessStartup, NoDatabaseEndsWithTheMessageAndAFailureCode) {
    KelvaraProcess p(config.path());
    EXPECT_NE(p.runToEnd({"--site", root.path(), "--headless"}), 0);
    EXPECT_TRUE(p.stdErr().contains("Kelvara (information): Could not find the System Database.  Please "
                                    "check your settings and try again."));
}

TEST_F(HeadlessStartup, ACookDatabaseWithoutItsThermocoupleTableIsNoDatabase) {
    const QString site = createSite("cook");
    ASSERT_TRUE(QFile::remove(QDir(site).filePath("ThermoTypes.db")));
    KelvaraProcess p(config.path());
    EXPECT_NE(p.runToEnd({"--site", site, "--headless"}), 0);
    EXPECT_TRUE(p.stdErr().contains("Could not find the System Database."));
}

TEST_F(HeadlessStartup, SidesRunByTheDatabasesPresent) {
    const QString site = createSite("both");
    {
        KelvaraProcess p(config.path());
        p.start({"--site", site, "--headless"});
        ASSERT_TRUE(p.waitForStderr("(KVRThermo)")) << p.stdErr().toStdString();
        EXPECT_EQ(p.terminate(), 0);
        EXPECT_TRUE(p.stdErr().contains("Kelvara stopped."));
    }
    ASSERT_TRUE(QFile::remove(QDir(site).filePath("ThermoTypes.db"))); // cook side off
    KelvaraProcess p(config.path());
    p.start({"--site", site, "--headless"});
    ASSERT_TRUE(p.waitForStderr("(KVR)")) << p.stdErr().toStdString();
    EXPECT_EQ(p.terminate(), 0);
}

TEST_F(HeadlessStartup, ASecondCopyIsRefusedAndTheFirstRunsOn) {
    const QString site = createSite("zone");
    KelvaraProcess first(config.path());
    first.start({"--site", site, "--headless"});
    ASSERT_TRUE(first.waitForStderr("is running")) << first.stdErr().toStdString();

    KelvaraProcess second(config.path());
    EXPECT_NE(second.runToEnd({"--site", site, "--headless"}), 0);
    EXPECT_TRUE(second.stdErr().contains(
        "Kelvara (information): You already have a copy of the Kelvara program open.  Please "
        "check the taskbar for the running program."));
    EXPECT_FALSE(second.stdErr().contains("is running"));

    EXPECT_TRUE(first.running());
    EXPECT_EQ(first.terminate(), 0);

    KelvaraProcess third(config.path()); // the site is free again once the first copy has stopped
    third.start({"--site", site, "--headless"});
    EXPECT_TRUE(third.waitForStderr("is running"));
    EXPECT_EQ(third.terminate(), 0);
}

TEST_F(HeadlessStartup, AMissingSettingsFileIsReportedOnceAndStartUpGoesOn) {
    const QString site = createSite("zone");
    ASSERT_TRUE(QFile::remove(QDir(site).filePath("KVR.INI")));
    KelvaraProcess p(config.path());
    p.start({"--site", site, "--headless"});
    ASSERT_TRUE(p.waitForStderr("is running"));
    EXPECT_EQ(p.stdErr().count("Could not read KVR.INI"), 1);
    EXPECT_EQ(p.terminate(), 0);
}

TEST_F(HeadlessStartup, ADamagedDatabaseShowsTheEnginesTextAndStartUpGoesOn) {
    const QString site = createSite("zone");
    QFile db(QDir(site).filePath("KVR.db"));
    ASSERT_TRUE(db.open(QIODevice::WriteOnly | QIODevice::Truncate));
    db.write(QByteArray(4096, 'x'));
    db.close();
    KelvaraProcess p(config.path());
    p.start({"--site", site, "--headless"});
    ASSERT_TRUE(p.waitForStderr("is running")) << p.stdErr().toStdString();
    EXPECT_TRUE(p.stdErr().contains("Kelvara (information): file is not a database"))
        << p.stdErr().toStdString();
    EXPECT_EQ(p.terminate(), 0);
}

TEST_F(HeadlessStartup, SiteCreationLaysOutTheChosenSidesAndNeverOverwritesData) {
    const QString site = createSite("zone");
    const QDir dir(site);
    for (const char* name : {"KVR.db", "KVR.INI", "SensorReader.ini", "Alarm.wav", "CookDone.wav"})
        EXPECT_TRUE(QFileInfo::exists(dir.filePath(name))) << name;
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("Thermo.db")));
    EXPECT_EQ(QFileInfo(dir.filePath("KVR.db")).permissions() & (QFile::ReadOther | QFile::ReadGroup), 0);

    KelvaraProcess again(config.path());
    EXPECT_NE(again.runToEnd({"--create-site", site, "--sides", "zone"}), 0);
    EXPECT_TRUE(again.stdErr().contains("already holds KVR.db"));

    KelvaraProcess cook(config.path()); // adding the cook side to a zone site is allowed
    EXPECT_EQ(cook.runToEnd({"--create-site", site, "--sides", "cook"}), 0);
    EXPECT_TRUE(QFileInfo::exists(dir.filePath("ThermoTypes.db")));
}
