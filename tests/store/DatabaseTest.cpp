// Opening, creating and migrating the site's database files.
#include "StoreFixture.h"
#include "store/Databases.h"
#include "store/Migrations.h"
#include "store/MonitorSetsStore.h"
#include "store/MonitorStore.h"
#include "store/SchemaVersion1.h"

#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <gtest/gtest.h>

using namespace kelvara;
using store::Database;
using store::DatabaseKind;

namespace {

constexpr QFileDevice::Permissions kOwnerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
constexpr QFileDevice::Permissions kGroupOrOther = QFileDevice::ReadGroup | QFileDevice::WriteGroup |
                                                   QFileDevice::ExeGroup | QFileDevice::ReadOther |
                                                   QFileDevice::WriteOther | QFileDevice::ExeOther;

// Runs statements on a file through a connection of its own, as an older release would have.
void runRaw(const QString& path, const QStringList& statements) {
    const QString name = QStringLiteral("raw-") + path;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        ASSERT_TRUE(db.open());
        QSqlQuery query(db);
        for (const QString& sql : statements)
            ASSERT_TRUE(query.exec(sql)) << sql.toStdString();
        query.finish();
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
}

// A database of this kind as version 1 wrote it, before any rows.
QStringList version1(DatabaseKind kind) {
    QStringList statements;
    for (const store::SchemaVersion1::Table& table : store::SchemaVersion1::tables(kind))
        statements << QString::fromLatin1(table.createSql);
    for (const char* index : store::SchemaVersion1::indexes(kind))
        statements << QString::fromLatin1(index);
    return statements << QStringLiteral("PRAGMA user_version = 1");
}

class DatabaseTest : public test::StoreFixture {};

class VersionedDatabaseTest : public test::StoreFixture,
                              public ::testing::WithParamInterface<DatabaseKind> {};

} // namespace

TEST_F(DatabaseTest, OpeningAMissingFileFailsWithoutCreatingIt) {
    const QString path = site.file(QStringLiteral("KVR.db"));
    Database db(DatabaseKind::Kvr);
    const auto error = db.open(path);
    ASSERT_FALSE(error.ok());
    EXPECT_FALSE(error.error().isEmpty());
    EXPECT_FALSE(db.isOpen());
    EXPECT_FALSE(QFileInfo::exists(path));
}

TEST_F(DatabaseTest, OpeningAFileThatIsNoDatabaseGivesTheEngineTextAndStaysClosed) {
    site.write(QStringLiteral("KVR.db"), QByteArray("Site notes, not a database.\r\n").repeated(64));
    Database db(DatabaseKind::Kvr);
    const auto error = db.open(site.file(QStringLiteral("KVR.db")));
    ASSERT_FALSE(error.ok());
    EXPECT_EQ(error.error(), QStringLiteral("file is not a database"));
    EXPECT_FALSE(db.isOpen());
}

TEST_F(DatabaseTest, NewFilesAreReadableByTheOwnerOnlyAndSoIsTheirJournal) {
    for (const DatabaseKind kind : {DatabaseKind::Kvr, DatabaseKind::Thermo, DatabaseKind::Archive}) {
        const QString path = site.file(store::databaseFileName(kind));
        ASSERT_TRUE(store::createDatabase(path, kind).ok());
        EXPECT_EQ(QFile::permissions(path) & kGroupOrOther, QFileDevice::Permissions());
        EXPECT_EQ(QFile::permissions(path) & kOwnerOnly, kOwnerOnly);

        Database db(kind);
        ASSERT_TRUE(db.open(path).ok());
        EXPECT_EQ(scalar(db, QStringLiteral("PRAGMA journal_mode")).toString(), QStringLiteral("wal"));
        EXPECT_EQ(scalar(db, QStringLiteral("PRAGMA synchronous")).toInt(), 2); // FULL
        ASSERT_TRUE(QFileInfo::exists(path + QStringLiteral("-wal")));
        EXPECT_EQ(QFile::permissions(path + QStringLiteral("-wal")) & kGroupOrOther,
                  QFileDevice::Permissions());
    }
}

TEST_F(DatabaseTest, CreatingOverAnExistingFileFailsAndLeavesItAlone) {
    site.write(QStringLiteral("KVR.db"), "keep me");
    EXPECT_FALSE(store::createDatabase(site.file(QStringLiteral("KVR.db")), DatabaseKind::Kvr).ok());
    EXPECT_EQ(site.read(QStringLiteral("KVR.db")), QByteArray("keep me"));
}

TEST_F(DatabaseTest, MigrationBringsAnUnversionedFileUpToDateAndKeepsItsRows) {
    const QString path = site.file(QStringLiteral("KVR.db"));
    runRaw(path, {QStringLiteral("CREATE TABLE MonitorSets (Room INTEGER, Name TEXT, SerialNo TEXT)"),
                  QStringLiteral("INSERT INTO MonitorSets VALUES (2, 'Freezer', '8D0000012A3B4C28')"),
                  QStringLiteral("INSERT INTO MonitorSets VALUES (1, 'Cooler', '2F0000012A3B4C28')")});

    Database db(DatabaseKind::Kvr);
    ASSERT_TRUE(db.open(path).ok());
    EXPECT_EQ(scalar(db, QStringLiteral("PRAGMA user_version")).toInt(),
              store::Migrations::currentVersion(DatabaseKind::Kvr));

    const auto zones = store::MonitorSetsStore(db).loadAll();
    ASSERT_TRUE(zones.ok()) << zones.error().toStdString();
    ASSERT_EQ(zones->size(), 2U);
    EXPECT_EQ(zones->at(0).Name, QStringLiteral("Cooler"));
    EXPECT_EQ(zones->at(1).SerialNo, QStringLiteral("8D0000012A3B4C28"));

    // The columns the old table lacked take values now.
    store::MonitorSetsRow freezer = zones->at(1);
    freezer.AlarmLedNo = 2;
    freezer.ALarmSerialNo = QStringLiteral("5A0000000B1C2D05");
    ASSERT_TRUE(store::MonitorSetsStore(db).update(freezer).ok());
    EXPECT_EQ((*store::MonitorSetsStore(db).findByRoom(2))->AlarmLedNo, 2);

    // The tables the old file lacked are there now.
    EXPECT_EQ(scalar(db, QStringLiteral("SELECT count(*) FROM \"CallAlarm\"")).toInt(), 0);
}

// A release that changes the live Schema without a step that makes the same change fails here.
TEST_P(VersionedDatabaseTest, AVersion1FileStepsUpToExactlyTheSchemaOfANewFile) {
    const QString path = site.file(QStringLiteral("Version1.db"));
    runRaw(path, version1(GetParam()));
    Database old(GetParam());
    ASSERT_TRUE(old.open(path).ok());
    const auto fresh = create(GetParam());

    // Every table and index with the SQL text the engine keeps for it.
    const QString schema = QStringLiteral("SELECT type, name, sql FROM sqlite_master ORDER BY type, name");
    EXPECT_EQ(rows(old, schema).join(u'\n').toStdString(), rows(*fresh, schema).join(u'\n').toStdString());
    EXPECT_EQ(scalar(old, QStringLiteral("PRAGMA user_version")).toInt(),
              scalar(*fresh, QStringLiteral("PRAGMA user_version")).toInt());
}

INSTANTIATE_TEST_SUITE_P(WorkingDatabases, VersionedDatabaseTest,
                         ::testing::Values(DatabaseKind::Kvr, DatabaseKind::Thermo, DatabaseKind::Archive),
                         [](const ::testing::TestParamInfo<DatabaseKind>& info) {
                             return store::databaseFileName(info.param).section(u'.', 0, 0).toStdString();
                         });

TEST_F(DatabaseTest, AVersion1FileKeepsItsZonesAndReadings) {
    const QString path = site.file(QStringLiteral("KVR.db"));
    runRaw(
        path,
        version1(DatabaseKind::Kvr) +
            QStringList{
                QStringLiteral("INSERT INTO \"MonitorSets\" (\"Room\", \"Name\", \"SerialNo\", "
                               "\"HighAlarm\", \"Record\") VALUES (1, 'Cooler', '2F0000012A3B4C28', 5.5, 1)"),
                QStringLiteral("INSERT INTO \"MonitorSets\" (\"Room\", \"Name\", \"SerialNo\") "
                               "VALUES (2, 'Freezer', '8D0000012A3B4C28')"),
                QStringLiteral("INSERT INTO \"Monitor\" (\"RecDate\", \"RecTime\", \"temp1\", \"temp2\", "
                               "\"Alarm\") VALUES ('2026-03-01', '08:15:00', '3.5', '-18.2', 1)"),
            });

    Database db(DatabaseKind::Kvr);
    ASSERT_TRUE(db.open(path).ok());
    const auto zones = store::MonitorSetsStore(db).loadAll();
    ASSERT_TRUE(zones.ok()) << zones.error().toStdString();
    ASSERT_EQ(zones->size(), 2U);
    EXPECT_EQ(zones->at(0).Name, QStringLiteral("Cooler"));
    EXPECT_EQ(zones->at(0).HighAlarm, 5.5);
    EXPECT_TRUE(zones->at(0).Record);
    EXPECT_EQ(zones->at(1).SerialNo, QStringLiteral("8D0000012A3B4C28"));
    EXPECT_FALSE(zones->at(1).Record); // the column's default, as version 1 gave it
    const auto readings = store::MonitorStore(db).loadAll();
    ASSERT_TRUE(readings.ok()) << readings.error().toStdString();
    ASSERT_EQ(readings->size(), 1U);
    EXPECT_EQ(readings->front().RecTime, QTime(8, 15));
    EXPECT_EQ(readings->front().temp(2), QStringLiteral("-18.2"));
    EXPECT_TRUE(readings->front().Alarm);
}

TEST_F(DatabaseTest, AFileFromANewerReleaseIsRefusedAndStaysClosed) {
    const QString path = site.file(QStringLiteral("Thermo.db"));
    ASSERT_TRUE(store::createDatabase(path, DatabaseKind::Thermo).ok());
    runRaw(path, {QStringLiteral("PRAGMA user_version = 99")});

    Database db(DatabaseKind::Thermo);
    EXPECT_FALSE(db.open(path).ok());
    EXPECT_FALSE(db.isOpen());
}

TEST_F(DatabaseTest, ClosedDatabasesOpenAgainWithTheirData) {
    store::Databases dbs;
    dbs.kvr = create(DatabaseKind::Kvr);
    dbs.thermo = create(DatabaseKind::Thermo);
    store::MonitorSetsRow zone;
    zone.Room = 1;
    ASSERT_TRUE(store::MonitorSetsStore(*dbs.kvr).insert(zone).ok());

    dbs.closeDatabases();
    EXPECT_FALSE(dbs.kvr->isOpen());
    EXPECT_FALSE(dbs.thermo->isOpen());
    static QStringList driverWarnings;
    const QtMessageHandler previous = qInstallMessageHandler(
        [](QtMsgType, const QMessageLogContext&, const QString& text) { driverWarnings << text; });
    const auto closed = store::MonitorSetsStore(*dbs.kvr).count();
    qInstallMessageHandler(previous);
    ASSERT_FALSE(closed.ok());
    EXPECT_EQ(closed.error(), "KVR.db is not open");
    EXPECT_TRUE(driverWarnings.isEmpty()) << driverWarnings.join('\n').toStdString();

    ASSERT_TRUE(dbs.kvr->open(dbs.kvr->path()).ok());
    EXPECT_EQ(store::MonitorSetsStore(*dbs.kvr).count(), 1);
}
