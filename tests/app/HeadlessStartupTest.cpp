// Start-up of the real program without windows: which sides run, the one-copy rule, site creation.
#include "app/Startup.h"
#include "support/KelvaraProcess.h"
#include "support/TempSite.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <gtest/gtest.h>
#include <unistd.h>

using kelvara::test::KelvaraProcess;
using kelvara::test::TempSite;

namespace {

const QString kNoDatabase = "Kelvara (information): Could not find the System Database.  Please check your "
                            "settings and try again.";

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
    static QString runningLine(const QString& site, const QString& mode) {
        return QString("Kelvara is running on %1 (%2) without windows; stop it with Ctrl+C.")
            .arg(QDir::toNativeSeparators(site), mode);
    }

    TempSite root;
    TempSite config;
};

struct StartRow {
    const char* name;
    const char* sides;       // the site made first; nullptr: an empty folder
    const char* removed;     // a file of the new site deleted before the start
    const char* overwritten; // a file of the new site overwritten with rubbish
    const char* mode;        // the sides it runs; nullptr: it refuses to start
    QString message;         // shown exactly once on standard error
};

void PrintTo(const StartRow& r, std::ostream* os) {
    *os << r.name;
}

class HeadlessStart : public HeadlessStartup, public ::testing::WithParamInterface<StartRow> {};

TEST_P(HeadlessStart, RunsTheSidesWhoseDatabasesArePresent) {
    const StartRow& r = GetParam();
    const QString site = r.sides ? createSite(r.sides) : root.path();
    if (r.removed) {
        ASSERT_TRUE(QFile::remove(QDir(site).filePath(r.removed)));
    }
    if (r.overwritten)
        root.write(QStringLiteral("site/") + r.overwritten, QByteArray(4096, 'x'));
    KelvaraProcess p(config.path());
    if (!r.mode) {
        EXPECT_EQ(p.runToEnd({"--site", site, "--headless"}), 1) << "it ends by itself, saying it failed";
    } else {
        p.start({"--site", site, "--headless"});
        ASSERT_TRUE(p.waitForStderr(runningLine(site, r.mode))) << p.stdErr().toStdString();
        EXPECT_EQ(p.terminate(), 0);
        EXPECT_TRUE(p.stdErr().contains("Kelvara stopped.")) << p.stdErr().toStdString();
    }
    if (!r.message.isEmpty()) {
        EXPECT_EQ(p.stdErr().count(r.message), 1) << p.stdErr().toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Sites, HeadlessStart,
    ::testing::Values(StartRow{"NoDatabase", nullptr, nullptr, nullptr, nullptr, kNoDatabase},
                      StartRow{"CookSiteWithoutItsThermocoupleTable", "cook", "ThermoTypes.db", nullptr,
                               nullptr, kNoDatabase},
                      StartRow{"BothSides", "both", nullptr, nullptr, "KVRThermo", ""},
                      StartRow{"BothSidesWithoutTheThermocoupleTable", "both", "ThermoTypes.db", nullptr,
                               "KVR", ""},
                      StartRow{"NoSettingsFile", "zone", "KVR.INI", nullptr, "KVR", "Could not read KVR.INI"},
                      StartRow{"NoAdapterCommandsFile", "zone", "SensorReader.ini", nullptr, "KVR",
                               "Could not read SensorReader.ini"},
                      StartRow{"DamagedDatabaseShowsTheEnginesTextAndStops", "zone", nullptr, "KVR.db",
                               nullptr, "Kelvara (information): file is not a database"},
                      StartRow{"SettingsWithNothingUsableSayTheSitesReadsNothing", "zone", nullptr, "KVR.INI",
                               "KVR", kelvara::app::Startup::kNoReadIntervalText}),
    [](const ::testing::TestParamInfo<StartRow>& info) { return std::string(info.param.name); });

// Takes the right to write a file away for as long as it lives. Root ignores file modes, so there the file
// is made immutable instead.
class Unwritable {
public:
    explicit Unwritable(QString path) : m_path(std::move(path)) {
        if (geteuid() != 0)
            QFile::setPermissions(m_path, QFile::ReadOwner);
        else
            m_immutable = QProcess::execute("chattr", {"+i", m_path}) == 0;
    }
    ~Unwritable() {
        if (m_immutable)
            QProcess::execute("chattr", {"-i", m_path});
        QFile::setPermissions(m_path, QFile::ReadOwner | QFile::WriteOwner);
    }
    Unwritable(const Unwritable&) = delete;
    Unwritable& operator=(const Unwritable&) = delete;

    [[nodiscard]] bool holds() const {
        QFile f(m_path);
        return !f.open(QIODevice::ReadWrite);
    }

private:
    QString m_path;
    bool m_immutable = false;
};

TEST_F(HeadlessStartup, ADatabaseThatCannotBeWrittenIsNamedAtStart) {
    const QString site = createSite("zone");
    const Unwritable readOnly(QDir(site).filePath("KVR.db"));
    if (!readOnly.holds())
        GTEST_SKIP() << "this file system cannot make a file unwritable for this user";
    KelvaraProcess p(config.path());
    p.start({"--site", site, "--headless"});
    ASSERT_TRUE(p.waitForStderr(runningLine(site, "KVR"))) << p.stdErr().toStdString();
    EXPECT_EQ(p.terminate(), 0);
    EXPECT_TRUE(p.stdErr().contains(
        "Kelvara (warning): KVR.db cannot be written (attempt to write a readonly database): nothing is "
        "recorded in it until Kelvara may write it."))
        << p.stdErr().toStdString();
}

TEST_F(HeadlessStartup, ANewSiteNeverOverwritesDataAndRunsOneCopyAtATime) {
    const QString site = createSite("zone");
    const QDir dir(site);
    for (const char* name : {"KVR.db", "KVR.INI", "SensorReader.ini", "Alarm.wav", "CookDone.wav"})
        EXPECT_TRUE(QFileInfo::exists(dir.filePath(name))) << name;
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("Thermo.db")));
    EXPECT_EQ(QFileInfo(dir.filePath("KVR.db")).permissions() & (QFile::ReadOther | QFile::ReadGroup), 0);
    KelvaraProcess again(config.path());
    EXPECT_NE(again.runToEnd({"--create-site", site, "--sides", "zone"}), 0);
    EXPECT_TRUE(again.stdErr().contains("already holds KVR.db"));

    KelvaraProcess first(config.path());
    first.start({"--site", site, "--headless"});
    ASSERT_TRUE(first.waitForStderr(runningLine(site, "KVR"))) << first.stdErr().toStdString();
    KelvaraProcess second(config.path());
    EXPECT_NE(second.runToEnd({"--site", site, "--headless"}), 0);
    EXPECT_TRUE(second.stdErr().contains(
        "Kelvara (information): You already have a copy of the Kelvara program open.  Please "
        "check the taskbar for the running program."));
    EXPECT_FALSE(second.stdErr().contains("is running"));
    EXPECT_FALSE(first.stdErr().contains("cannot be written"));
    EXPECT_TRUE(first.running());
    EXPECT_EQ(first.terminate(), 0);

    KelvaraProcess cook(config.path()); // adding the cook side to a zone site is allowed
    EXPECT_EQ(cook.runToEnd({"--create-site", site, "--sides", "cook"}), 0);
    EXPECT_TRUE(QFileInfo::exists(dir.filePath("ThermoTypes.db")));
    KelvaraProcess third(config.path()); // the site is free again once the first copy has stopped
    third.start({"--site", site, "--headless"});
    EXPECT_TRUE(third.waitForStderr(runningLine(site, "KVRThermo"))) << third.stdErr().toStdString();
    EXPECT_EQ(third.terminate(), 0);
}

} // namespace
