// Compaction on real files: the data and permissions survive and the files shrink, the sides are open again
// on the new files, missing files are skipped, a leftover copy is cleared, and a file held open elsewhere or
// a copy that cannot be made leaves the original untouched.
#include "store/Compaction.h"

#include "StoreFixture.h"
#include "store/MonitorStore.h"
#include "store/Transaction.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace kelvara;
using namespace kelvara::store;

namespace {

ino_t inode(const QString& path) {
    struct stat info {};
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? info.st_ino : 0;
}

class CompactionTest : public test::StoreFixture {
protected:
    // A zone database that held many readings and now holds few: most of its pages are free.
    void fillAndThinKvr() {
        databases.kvr = create(DatabaseKind::Kvr);
        const MonitorStore monitor(*databases.kvr);
        Transaction fill(*databases.kvr);
        for (int day = 1; day <= 28; ++day) {
            for (int minute = 0; minute < 60; ++minute) {
                MonitorRow row;
                row.RecDate = QDate(2024, 2, day);
                row.RecTime = QTime(10, minute);
                for (int room = 1; room <= 20; ++room)
                    row.setTemp(room, QString::number(room + minute));
                ASSERT_TRUE(monitor.insert(row).ok());
            }
        }
        ASSERT_TRUE(fill.commit().ok());
        ASSERT_TRUE(monitor.removeUpTo(QDate(2024, 2, 26)).ok());
    }

    int readingsIn(const QString& file) {
        Database db(DatabaseKind::Kvr);
        EXPECT_TRUE(db.open(site.file(file)).ok());
        return static_cast<int>(MonitorStore(db).loadAll()->size());
    }

    Databases databases;
};

TEST_F(CompactionTest, ShrinksEachFileKeepsItsRowsAndPermissionsAndReopensTheSidesOnTheNewFiles) {
    fillAndThinKvr();
    databases.thermo = create(DatabaseKind::Thermo);
    ASSERT_TRUE(createDatabase(site.file("Archive.db"), DatabaseKind::Archive).ok());
    site.write("Compacted.db", "left by a compaction that was cut\n");
    const ino_t oldKvr = inode(site.file("KVR.db"));

    const Compaction::Report report = Compaction(site.path()).repair(databases);
    ASSERT_TRUE(report.ok()) << report.errors.join('\n').toStdString();
    EXPECT_EQ(Compaction::closingText(report), "All Done.");
    QStringList names;
    for (const Compaction::Compacted& done : report.compacted)
        names << done.fileName;
    EXPECT_EQ(names, QStringList({"KVR.db", "Archive.db", "Thermo.db"}));
    EXPECT_LT(report.compacted.front().bytesAfter, report.compacted.front().bytesBefore / 4);
    EXPECT_EQ(QFileInfo(site.file("KVR.db")).size(), report.compacted.front().bytesAfter);
    for (const char* file : {"KVR.db", "Archive.db", "Thermo.db"})
        EXPECT_EQ(QFile::permissions(site.file(file)) & 0x0077, 0) << file;
    EXPECT_FALSE(QFile::exists(site.file("Compacted.db")));
    EXPECT_NE(inode(site.file("KVR.db")), oldKvr);

    // What the running program writes next lands in the new file.
    ASSERT_TRUE(databases.kvr->isOpen());
    ASSERT_TRUE(databases.thermo->isOpen());
    MonitorRow row;
    row.RecDate = QDate(2024, 3, 1);
    ASSERT_TRUE(MonitorStore(*databases.kvr).insert(row).ok());
    EXPECT_EQ(readingsIn("KVR.db"), 2 * 60 + 1);
}

TEST_F(CompactionTest, SkipsMissingFilesAndWithoutTheZoneDatabaseLeavesTheArchiveAlone) {
    databases.thermo = create(DatabaseKind::Thermo);
    ASSERT_TRUE(createDatabase(site.file("Archive.db"), DatabaseKind::Archive).ok());
    const ino_t archive = inode(site.file("Archive.db"));
    const Compaction::Report report = Compaction(site.path()).repair(databases);
    ASSERT_TRUE(report.ok()) << report.errors.join('\n').toStdString();
    ASSERT_EQ(report.compacted.size(), 1U);
    EXPECT_EQ(report.compacted.front().fileName, "Thermo.db");
    EXPECT_EQ(inode(site.file("Archive.db")), archive);
}

// Another connection to the file (a report export in another program, say) would keep reading the old file
// or leave its log beside the new one: the file is refused and kept as it is, and compacted once free.
TEST_F(CompactionTest, RefusesAFileAnotherConnectionHoldsOpenAndKeepsIt) {
    fillAndThinKvr();
    databases.closeDatabases();
    const ino_t before = inode(site.file("KVR.db"));
    {
        QSqlDatabase other =
            QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("report-export"));
        other.setDatabaseName(site.file("KVR.db"));
        ASSERT_TRUE(other.open());
        QSqlQuery read(other);
        ASSERT_TRUE(read.exec("SELECT count(*) FROM Monitor") && read.next());
        read.finish();

        const auto refused = Compaction(site.path()).compactFile("KVR.db");
        ASSERT_FALSE(refused.ok());
        EXPECT_EQ(refused.error(), Compaction::kInUseText.arg("KVR.db"));
        EXPECT_EQ(inode(site.file("KVR.db")), before);
        EXPECT_FALSE(QFile::exists(site.file("Compacted.db")));
        ASSERT_TRUE(read.exec("SELECT count(*) FROM Monitor") && read.next());
        EXPECT_EQ(read.value(0).toInt(), 2 * 60);
        read.finish();
        other.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("report-export"));
    const auto compacted = Compaction(site.path()).compactFile("KVR.db");
    ASSERT_TRUE(compacted.ok()) << compacted.error().toStdString();
    EXPECT_NE(inode(site.file("KVR.db")), before);
    EXPECT_EQ(readingsIn("KVR.db"), 2 * 60);
}

// A copy that cannot be made (here a folder where the scratch file goes) leaves the original in its place,
// and the closing message names it instead of "All Done.".
TEST_F(CompactionTest, ACopyThatCannotBeMadeLeavesTheOriginalAndIsNamedAtTheEnd) {
    fillAndThinKvr();
    ASSERT_TRUE(QDir(site.path()).mkpath("Compacted.db/inside"));
    const ino_t before = inode(site.file("KVR.db"));
    const Compaction::Report report = Compaction(site.path()).repair(databases);
    ASSERT_EQ(report.errors.size(), 1);
    EXPECT_TRUE(report.errors.front().startsWith("KVR.db")) << report.errors.front().toStdString();
    EXPECT_EQ(Compaction::closingText(report),
              "Not done: KVR.db could not be compacted and was left as it was.");
    EXPECT_EQ(inode(site.file("KVR.db")), before);
    ASSERT_TRUE(databases.kvr->isOpen());
    EXPECT_EQ(MonitorStore(*databases.kvr).loadAll()->size(), 2U * 60);
}

} // namespace
