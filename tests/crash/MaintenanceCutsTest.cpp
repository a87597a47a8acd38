// The headless purge and compaction cut with SIGKILL between their steps and at random moments, then run
// again: no reading is ever lost (each is in KVR.db or Archive.db), every file stays whole under its own
// name, nothing is archived twice, and once a run ends each reading is in exactly one of the two. Also:
// neither runs while Kelvara runs on the site, and a lock left by a killed copy does not keep them out.
#include "store/AlarmsStore.h"
#include "store/Database.h"
#include "store/MonitorStore.h"
#include "store/Transaction.h"
#include "support/KelvaraProcess.h"
#include "support/TempSite.h"

#include <QDir>
#include <QElapsedTimer>
#include <QMap>
#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QThread>
#include <QVariant>
#include <gtest/gtest.h>
#include <iostream>

using namespace kelvara;

namespace {

constexpr int kReadings = 4000;
const QDate kFirstDay(2024, 1, 1);

int cutCount() {
    bool ok = false;
    const int n = qEnvironmentVariableIntValue("KELVARA_CRASH_CUTS", &ok);
    return ok && n > 0 ? n : 6;
}

// A zone site with a year of readings, each known by its value in zone 1 ("r17"), and an alarm with every
// tenth one.
void makeSite(const test::TempSite& root) {
    ASSERT_TRUE(QDir(root.path()).mkpath("site"));
    const QString path = root.file("site/KVR.db");
    ASSERT_TRUE(store::createDatabase(path, store::DatabaseKind::Kvr).ok());
    store::Database kvr(store::DatabaseKind::Kvr);
    ASSERT_TRUE(kvr.open(path).ok());
    store::Transaction fill(kvr);
    for (int i = 0; i < kReadings; ++i) {
        store::MonitorRow row;
        row.RecDate = kFirstDay.addDays(i * 365 / kReadings);
        row.RecTime = QTime(0, 0).addSecs(60 * (i % 1440));
        for (int room = 1; room <= 20; ++room)
            row.setTemp(room, QStringLiteral("r%1").arg(i));
        ASSERT_TRUE(store::MonitorStore(kvr).insert(row).ok());
        if (i % 10 == 0) {
            store::AlarmsRow alarm;
            alarm.Room = 1;
            alarm.Date = row.RecDate;
            alarm.Time = row.RecTime;
            alarm.Temp = row.temp(1).value();
            ASSERT_TRUE(store::AlarmsStore(kvr).insert(alarm).ok());
        }
    }
    ASSERT_TRUE(fill.commit().ok());
}

// The zone 1 values of a table in one of the site's files, with how often each is there; an empty map for a
// file that is not there yet. Fails the test when the file is not whole.
QMap<QString, int> values(const QString& file, const QString& sql) {
    QMap<QString, int> found;
    if (!QFileInfo::exists(file))
        return found;
    const QString name = QStringLiteral("cut-check");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", name);
        db.setDatabaseName(file);
        EXPECT_TRUE(db.open()) << file.toStdString();
        QSqlQuery q(db);
        EXPECT_TRUE(q.exec("PRAGMA integrity_check") && q.next());
        EXPECT_EQ(q.value(0).toString(), "ok") << file.toStdString();
        EXPECT_TRUE(q.exec(sql)) << file.toStdString();
        while (q.next())
            ++found[q.value(0).toString()];
        q.finish();
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return found;
}

// What the site holds after a cut: every reading somewhere, none archived twice, no alarm archived twice.
void checkAfterCut(const test::TempSite& root, int cut, bool finished) {
    const QString readings = QStringLiteral("SELECT temp1 FROM Monitor");
    const QString alarms = QStringLiteral("SELECT Temp FROM Alarms");
    ASSERT_TRUE(QFileInfo::exists(root.file("site/KVR.db"))) << "after cut " << cut;
    const QMap<QString, int> kept = values(root.file("site/KVR.db"), readings);
    const QMap<QString, int> archived = values(root.file("site/Archive.db"), readings);
    for (int i = 0; i < kReadings; ++i) {
        const QString id = QStringLiteral("r%1").arg(i);
        const int copies = kept.value(id) + archived.value(id);
        ASSERT_GE(copies, 1) << id.toStdString() << " lost after cut " << cut;
        ASSERT_LE(archived.value(id), 1) << id.toStdString() << " archived twice after cut " << cut;
        if (finished) {
            ASSERT_EQ(copies, 1) << id.toStdString() << " in both after the last run";
        }
    }
    for (const auto& [id, n] : values(root.file("site/Archive.db"), alarms).asKeyValueRange())
        ASSERT_EQ(n, 1) << "alarm " << id.toStdString() << " archived " << n << " times after cut " << cut;
}

} // namespace

TEST(MaintenanceCuts, NoReadingIsLostOrArchivedTwiceWhereverARunIsCut) {
    test::TempSite root;
    makeSite(root);
    const QString site = root.file("site");
    const quint32 seed = qEnvironmentVariableIsSet("KELVARA_CRASH_SEED")
                             ? static_cast<quint32>(qEnvironmentVariableIntValue("KELVARA_CRASH_SEED"))
                             : QRandomGenerator::global()->generate();
    QRandomGenerator random(seed);
    // The points a run stops at before its cut; empty: a random moment.
    const QStringList points = {"archived", "", "copied:KVR.db", "copied:Archive.db", "", "replaced:KVR.db"};
    qint64 runMs = 0; // how long a whole run takes: the random cuts fall within it
    {
        test::KelvaraProcess whole(root.path());
        QElapsedTimer took;
        took.start();
        ASSERT_EQ(whole.runToEnd({"--site", site, "--compact"}), 0) << whole.stdErr().toStdString();
        runMs = 2 * took.elapsed();
    }
    const int cuts = cutCount();
    int randomCuts = 0;
    for (int cut = 1; cut <= cuts; ++cut) {
        const QString point = points[(cut - 1) % points.size()];
        // Each purge reaches a little further; every third random cut is a compaction alone.
        const QString last = kFirstDay.addDays(20 * cut % 360).toString(Qt::ISODate);
        const bool compactOnly = point.isEmpty() && ++randomCuts % 3 == 0;
        const QStringList arguments = compactOnly
                                          ? QStringList{"--site", site, "--compact"}
                                          : QStringList{"--site", site, "--purge-to", last, "--archive"};
        test::KelvaraProcess kelvara(root.path());
        kelvara.setEnvironment("KELVARA_TEST_PAUSE_AT", point);
        kelvara.start(arguments);
        if (!point.isEmpty()) {
            ASSERT_TRUE(kelvara.waitForStdout("Paused at " + point, 60000))
                << point.toStdString() << ": " << kelvara.stdErr().toStdString();
        } else {
            QThread::msleep(static_cast<unsigned long>(random.bounded(runMs + 1)));
        }
        kelvara.kill();
        checkAfterCut(root, cut, false);
        if (::testing::Test::HasFailure()) {
            std::cout << "seed " << seed << ", failed at cut " << cut << " (" << point.toStdString() << ")\n";
            return;
        }
    }

    // Once more to the end: whatever the cuts left is finished.
    test::KelvaraProcess kelvara(root.path());
    const QString last = kFirstDay.addDays(200).toString(Qt::ISODate);
    ASSERT_EQ(kelvara.runToEnd({"--site", site, "--purge-to", last, "--archive"}), 0)
        << kelvara.stdErr().toStdString();
    EXPECT_FALSE(QFileInfo::exists(root.file("site/Compacted.db")));
    checkAfterCut(root, cuts + 1, true);
    const QMap<QString, int> kept = values(root.file("site/KVR.db"), "SELECT RecDate FROM Monitor");
    EXPECT_TRUE(kept.isEmpty() || kept.firstKey() > last) << kept.firstKey().toStdString();
    std::cout << "cuts " << cuts << " (" << randomCuts << " at random), seed " << seed << '\n';
}

// The site's lock keeps a purge or a compaction off a site where Kelvara runs; a lock left by a killed copy
// does not.
TEST(MaintenanceCuts, RefusedWhileKelvaraRunsThereButNotAfterItWasKilled) {
    test::TempSite root;
    makeSite(root);
    const QString site = root.file("site");
    test::KelvaraProcess running(root.path());
    running.start({"--site", site, "--headless"});
    ASSERT_TRUE(running.waitForStderr("is running", 60000)) << running.stdErr().toStdString();

    test::KelvaraProcess refused(root.path());
    EXPECT_NE(refused.runToEnd({"--site", site, "--purge-to", "2024-12-31"}), 0);
    EXPECT_TRUE(refused.stdErr().contains("You already have a copy")) << refused.stdErr().toStdString();
    EXPECT_FALSE(refused.stdOut().contains("Deleted"));

    running.kill();
    test::KelvaraProcess compact(root.path());
    EXPECT_EQ(compact.runToEnd({"--site", site, "--compact"}), 0) << compact.stdErr().toStdString();
    EXPECT_TRUE(compact.stdOut().contains("Compacted KVR.db from ")) << compact.stdOut().toStdString();
}
