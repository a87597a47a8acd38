// The real program cut with SIGKILL at chosen points of its reading passes and at random moments, then
// started again on the same site: the databases stay whole, no zone's stored value is torn, the site's lock
// never keeps the restart out and each zone's alarm state is kept as stored.
#include "app/KvrIniFile.h"
#include "support/DemoSite.h"
#include "support/KelvaraProcess.h"
#include "support/SimProcess.h"
#include "support/TempSite.h"

#include <QDir>
#include <QElapsedTimer>
#include <QMap>
#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QThread>
#include <QVariant>
#include <algorithm>
#include <gtest/gtest.h>
#include <iostream>
#include <iterator>
#include <optional>

using namespace kelvara;

namespace {

// Cooler waits out a long alarm delay, Freezer raises an alarm in every pass, Dairy and Prep stay inside.
const QByteArray kScenario = R"({"devices": [
    {"rom": "750000000000A128", "temperature": 30,
     "zone": {"name": "Cooler", "low": 0, "high": 8, "delay": 600}},
    {"rom": "2C0000000000A228", "temperature": 4, "zone": {"name": "Dairy", "low": 0, "high": 8, "delay": 0}},
    {"rom": "1B0000000000A328", "temperature": -5,
     "zone": {"name": "Freezer", "low": -30, "high": -15, "delay": 0}},
    {"rom": "9E0000000000A428", "temperature": 15, "zone": {"name": "Prep", "low": 0, "high": 20, "delay": 0}}]})";
constexpr int kZones = 4;
const QStringList kReadings = {"30", "4", "-5", "15"};
const QStringList kMonitorColumns = {"temp1", "temp2", "Temp3", "Temp4"};
constexpr int kCooler = 0;
constexpr int kFreezer = 2;

int cutCount() {
    bool ok = false;
    const int n = qEnvironmentVariableIntValue("KELVARA_CRASH_CUTS", &ok);
    return ok && n > 0 ? n : 4; // the first pass waits for the timer's first tick: 10 s a cut
}

// A zone's row as the cut left it.
struct StoredZone {
    QString currentTemp;
    bool alarmStarted = false;
    QString alarmOn;
};

// What one cut left in the site's databases; failures are recorded as test failures naming the cut.
class SiteCheck {
public:
    explicit SiteCheck(const QString& site) : m_site(site) {}

    // Checks every database file of the site, and the zones and records of KVR.db against what earlier cuts
    // left.
    void afterCut(int cut) {
        const QStringList files = QDir(m_site).entryList({"*.db"}, QDir::Files);
        ASSERT_TRUE(files.contains("KVR.db")) << files.join(' ').toStdString();
        for (const QString& file : files) {
            withDatabase(file, [&](QSqlDatabase& db) {
                QSqlQuery q(db);
                ASSERT_TRUE(q.exec("PRAGMA integrity_check") && q.next()) << file.toStdString();
                EXPECT_EQ(q.value(0).toString(), "ok") << file.toStdString() << " after cut " << cut;
            });
        }
        withDatabase("KVR.db", [&](QSqlDatabase& db) {
            checkZones(db, cut);
            checkRecords(db, cut);
        });
    }

    int records() const { return m_records; }
    int partialRecords() const { return m_partial; }

private:
    template <typename F> void withDatabase(const QString& file, F&& use) {
        const QString name = QStringLiteral("crash-check");
        {
            QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", name);
            db.setDatabaseName(QDir(m_site).filePath(file));
            ASSERT_TRUE(db.open()) << file.toStdString();
            use(db);
            db.close();
        }
        QSqlDatabase::removeDatabase(name);
    }

    void checkZones(QSqlDatabase& db, int cut) {
        QSqlQuery q(db);
        ASSERT_TRUE(q.exec("SELECT Room, CurrentTemp, Alarmstarted, AlarmOn FROM MonitorSets ORDER BY Room"));
        int index = 0;
        for (; q.next(); ++index) {
            ASSERT_LT(index, kZones);
            EXPECT_EQ(q.value(0).toInt(), index + 1);
            StoredZone zone{q.value(1).toString(), q.value(2).toBool(), q.value(3).toString()};
            // "0" until the zone's first reading is stored, then the whole reading.
            EXPECT_TRUE(zone.currentTemp == "0" || zone.currentTemp == kReadings[index])
                << "zone " << index + 1 << " holds '" << zone.currentTemp.toStdString() << "' after cut "
                << cut;
            const std::optional<StoredZone>& before = m_zones[index];
            if (index == kCooler && before && before->alarmStarted) {
                // The delay keeps running from the moment it started, whatever the cuts.
                EXPECT_TRUE(zone.alarmStarted) << "after cut " << cut;
                EXPECT_EQ(zone.alarmOn, before->alarmOn) << "after cut " << cut;
            }
            if (index != kCooler) { // raised at once or never outside: no delay is ever left running
                EXPECT_FALSE(zone.alarmStarted) << "zone " << index + 1 << " after cut " << cut;
            }
            m_zones[index] = zone;
        }
        EXPECT_EQ(index, kZones);
    }

    // Each record holds whole readings of the zones its pass got to, in their order; each Freezer reading
    // recorded comes with its alarm, and no alarm without its reading.
    void checkRecords(QSqlDatabase& db, int cut) {
        QSqlQuery q(db);
        ASSERT_TRUE(q.exec("SELECT RecDate, RecTime, " + kMonitorColumns.join(", ") + " FROM Monitor"));
        QMap<QString, int> freezerRecorded;
        m_records = 0;
        m_partial = 0;
        while (q.next()) {
            ++m_records;
            int filled = 0;
            while (filled < kZones && !q.value(2 + filled).isNull())
                ++filled;
            EXPECT_GE(filled, 1) << "a record without its first zone after cut " << cut;
            for (int i = 0; i < kZones; ++i) {
                const QVariant value = q.value(2 + i);
                if (i < filled)
                    EXPECT_EQ(value.toString(), kReadings[i]) << "zone " << i + 1 << " after cut " << cut;
                else
                    EXPECT_TRUE(value.isNull())
                        << "zone " << i + 1 << " recorded out of order after cut " << cut;
            }
            if (filled < kZones)
                ++m_partial;
            if (filled > kFreezer)
                ++freezerRecorded[q.value(0).toString() + ' ' + q.value(1).toString()];
        }
        QSqlQuery alarms(db);
        ASSERT_TRUE(alarms.exec("SELECT Date, Time, Room, Temp, AlarmType FROM Alarms"));
        QMap<QString, int> freezerAlarms;
        while (alarms.next()) {
            EXPECT_EQ(alarms.value(2).toInt(), kFreezer + 1) << "after cut " << cut;
            EXPECT_EQ(alarms.value(3).toString(), kReadings[kFreezer]) << "after cut " << cut;
            EXPECT_EQ(alarms.value(4).toString(), "High") << "after cut " << cut;
            ++freezerAlarms[alarms.value(0).toString() + ' ' + alarms.value(1).toString()];
        }
        EXPECT_EQ(freezerAlarms, freezerRecorded) << "after cut " << cut;
    }

    QString m_site;
    std::optional<StoredZone> m_zones[kZones];
    int m_records = 0;
    int m_partial = 0;
};

// Waits for the nth zone line (counting from 1) of the output after `from`; false when it never came.
bool waitForZoneLines(test::KelvaraProcess& kelvara, int n, qsizetype from) {
    for (int i = 0; i < n; ++i) {
        if (!kelvara.waitForStdout("COLD ", 60000, from))
            return false;
        from = kelvara.stdOut().indexOf("COLD ", from) + 1;
    }
    return true;
}

} // namespace

TEST(CrashCuts, RestartsOnAWholeSiteAfterEveryCut) {
    test::TempSite root;
    test::SimProcess sim(kScenario);
    ASSERT_TRUE(sim.started());
    const QString site = test::createDemoSite(root, kScenario);
    ASSERT_FALSE(site.isEmpty());
    test::pointAtPort(root, sim.ptyPath());
    // A pass at every tick of the timer and a record in nearly every pass.
    root.write("site/KVR.INI",
               app::KvrIniFile::withValues(root.read("site/KVR.INI"),
                                           {{"ColdReadMins", "0.1"}, {"ColdRecMins", "0.1"}}));

    const quint32 seed = qEnvironmentVariableIsSet("KELVARA_CRASH_SEED")
                             ? static_cast<quint32>(qEnvironmentVariableIntValue("KELVARA_CRASH_SEED"))
                             : QRandomGenerator::global()->generate();
    QRandomGenerator random(seed);
    SiteCheck check(site);
    const int cuts = cutCount();
    // Zone lines to wait for before the cut, 0 for a random moment: after the first zone, at random, between
    // zones, after the last, and between the others.
    const int points[] = {1, 0, 2, kZones, 3};
    qint64 firstLineMs = 10000; // from the start, as last seen
    qint64 lastLineMs = 10500;
    int randomCuts = 0;
    for (int cut = 1; cut <= cuts; ++cut) {
        test::KelvaraProcess kelvara(root.path());
        QElapsedTimer sinceStart;
        sinceStart.start();
        kelvara.start({"--site", site, "--headless"});
        const int lines = points[(cut - 1) % std::size(points)];
        if (lines > 0) {
            // Every restart comes to read: the lock left by the cut copy never keeps it out.
            ASSERT_TRUE(waitForZoneLines(kelvara, lines, 0))
                << "restart " << cut << ": " << kelvara.stdErr().toStdString();
            if (lines == 1)
                firstLineMs = sinceStart.elapsed();
            if (lines == kZones)
                lastLineMs = sinceStart.elapsed();
        } else {
            // Every other one anywhere from the start (opening the site included), the rest inside the pass.
            const qint64 zoneMs = std::max<qint64>((lastLineMs - firstLineMs) / (kZones - 1), 50);
            const qint64 from = ++randomCuts % 2 ? 0 : firstLineMs - zoneMs;
            QThread::msleep(static_cast<unsigned long>(from + random.bounded(lastLineMs + zoneMs - from)));
        }
        kelvara.kill();
        check.afterCut(cut);
        if (::testing::Test::HasFailure()) {
            std::cout << "seed " << seed << ", failed at cut " << cut << '\n';
            return;
        }
    }

    // Once more, to the end of a whole pass and a clean stop.
    test::KelvaraProcess kelvara(root.path());
    kelvara.start({"--site", site, "--headless"});
    ASSERT_TRUE(waitForZoneLines(kelvara, kZones, 0)) << kelvara.stdErr().toStdString();
    EXPECT_EQ(kelvara.terminate(), 0);
    check.afterCut(cuts + 1);
    EXPECT_GT(check.records(), 0);
    std::cout << "cuts " << cuts << " (" << randomCuts << " at random), restarts " << cuts + 1 << ", records "
              << check.records() << " (" << check.partialRecords() << " cut short), seed " << seed << '\n';
}
