// The purge on real files: which rows are archived and which deleted, per side and end date; zones archived
// once; alarms archived once however many purges; a purge cut after its copy finished without a second copy;
// and an archive that fails deleting nothing.
#include "store/Purge.h"

#include "StoreFixture.h"
#include "store/AlarmsStore.h"
#include "store/BatchsStore.h"
#include "store/CookCyclesStore.h"
#include "store/MonitorSetsStore.h"
#include "store/MonitorStore.h"
#include "store/Transaction.h"

#include <QFile>
#include <functional>
#include <gtest/gtest.h>

using namespace kelvara;
using namespace kelvara::store;

namespace {

MonitorRow reading(const QDate& date, const QString& value, QTime time = QTime(8, 15)) {
    MonitorRow row;
    row.RecDate = date;
    row.RecTime = time;
    row.TempType = QStringLiteral("F");
    row.setTemp(1, value);
    return row;
}

AlarmsRow alarm(const QDate& date, int room, QTime time = QTime(8, 15)) {
    AlarmsRow row;
    row.Room = room;
    row.Date = date;
    row.Time = time;
    row.Temp = QStringLiteral("44");
    row.AlarmTemp = 40;
    row.AlarmType = QStringLiteral("High");
    row.TempType = QStringLiteral("F");
    return row;
}

MonitorSetsRow zone(int room, const QString& name) {
    MonitorSetsRow row;
    row.Room = room;
    row.Name = name;
    row.SerialNo = QStringLiteral("75000000000%1A128").arg(room);
    return row;
}

// The value of zone 1 of each reading, in order.
QStringList readings(const Database& db) {
    QStringList values;
    for (const MonitorRow& row : MonitorStore(db).loadAll().value())
        values << row.temp(1).value_or(QString());
    return values;
}

QStringList alarmDates(const Database& db) {
    QStringList dates;
    for (const AlarmsRow& row : AlarmsStore(db).loadAll().value())
        dates << row.Date.toString(Qt::ISODate) + QLatin1Char('/') + QString::number(row.Room);
    return dates;
}

class PurgeTest : public test::StoreFixture {
protected:
    // Readings named by their day: a3 is 2024-01-03; a month/day swap of the end date would reach m1.
    void fillZoneSide() {
        databases.kvr = create(DatabaseKind::Kvr);
        const MonitorStore monitor(*databases.kvr);
        const AlarmsStore alarms(*databases.kvr);
        for (const auto& [date, name] :
             {std::pair{QDate(2024, 1, 2), "a2"}, std::pair{QDate(2024, 1, 3), "a3"},
              std::pair{QDate(2024, 1, 4), "a4"}, std::pair{QDate(2024, 3, 1), "m1"}}) {
            ASSERT_TRUE(monitor.insert(reading(date, QString::fromLatin1(name))).ok());
            ASSERT_TRUE(alarms.insert(alarm(date, 2)).ok());
        }
        for (int room = 1; room <= 4; ++room)
            ASSERT_TRUE(MonitorSetsStore(*databases.kvr)
                            .insert(zone(room, QStringLiteral("Zone %1").arg(room)))
                            .ok());
    }
    void fillCookSide() {
        databases.thermo = create(DatabaseKind::Thermo);
        for (const auto& [no, date] : {std::pair{1, QDate(2024, 1, 3)}, std::pair{2, QDate(2024, 1, 4)}}) {
            BatchsRow batch;
            batch.BatchNo = no;
            batch.Date = date;
            ASSERT_TRUE(BatchsStore(*databases.thermo).insert(batch).ok());
            CookCyclesRow cycle;
            cycle.BatchNo = no;
            cycle.Date = date;
            ASSERT_TRUE(CookCyclesStore(*databases.thermo).insert(cycle).ok());
        }
    }
    std::unique_ptr<Database> openArchive() {
        auto db = std::make_unique<Database>(DatabaseKind::Archive);
        EXPECT_TRUE(db->open(site.file(QStringLiteral("Archive.db"))).ok());
        return db;
    }
    Purge::Outcome purge(const QDate& last, bool archive) {
        return Purge(databases, site.path()).run(last, archive);
    }

    Databases databases;
};

struct SideCase {
    const char* name;
    bool zoneSide;
    bool cookSide;
    bool archive;
    QStringList readingsLeft;
    QStringList readingsArchived;
    int batchesLeft;
};

class PurgeSides : public PurgeTest, public ::testing::WithParamInterface<SideCase> {};

// Rows dated on the end date go; alarms and cook readings stay; the archive is made only when asked for.
TEST_P(PurgeSides, DeletesUpToTheEndDateInclusiveAndArchivesOnlyWhenAsked) {
    const SideCase& c = GetParam();
    if (c.zoneSide)
        fillZoneSide();
    if (c.cookSide)
        fillCookSide();
    const Purge::Outcome outcome = purge(QDate(2024, 1, 3), c.archive);
    ASSERT_TRUE(outcome.ok()) << outcome.errors.join('\n').toStdString();

    if (c.zoneSide) {
        EXPECT_EQ(readings(*databases.kvr), c.readingsLeft);
        EXPECT_EQ(AlarmsStore(*databases.kvr).loadAll()->size(), 4U);
        EXPECT_EQ(outcome.counts.readingsDeleted, 2);
    }
    if (c.cookSide) {
        EXPECT_EQ(BatchsStore(*databases.thermo).loadAll()->size(), static_cast<std::size_t>(c.batchesLeft));
        EXPECT_EQ(
            CookCyclesStore(*databases.thermo).loadBetween(QDate(2000, 1, 1), QDate(2100, 1, 1))->size(), 2U);
        EXPECT_EQ(outcome.counts.batchesDeleted, 2 - c.batchesLeft);
    }
    ASSERT_EQ(QFile::exists(site.file("Archive.db")), c.archive);
    if (c.archive) {
        const auto archive = openArchive();
        EXPECT_EQ(readings(*archive), c.readingsArchived);
        EXPECT_EQ(alarmDates(*archive), QStringList({"2024-01-02/2", "2024-01-03/2"}));
        EXPECT_EQ(MonitorSetsStore(*archive).count(), 4);
        EXPECT_EQ(QFile::permissions(site.file("Archive.db")) & 0x0077, 0) << "readable by others";
        EXPECT_EQ(outcome.counts.readingsArchived, 2);
        EXPECT_EQ(outcome.counts.alarmsArchived, 2);
        EXPECT_EQ(outcome.counts.zonesArchived, 4);
    }
}

INSTANTIATE_TEST_SUITE_P(
    , PurgeSides,
    ::testing::Values(SideCase{"BothSidesArchived", true, true, true, {"a4", "m1"}, {"a2", "a3"}, 1},
                      SideCase{"BothSidesUnticked", true, true, false, {"a4", "m1"}, {}, 1},
                      SideCase{"ZoneSideArchived", true, false, true, {"a4", "m1"}, {"a2", "a3"}, 0},
                      SideCase{"CookOnly", false, true, false, {}, {}, 1}),
    [](const ::testing::TestParamInfo<SideCase>& info) { return std::string(info.param.name); });

TEST_F(PurgeTest, ZonesAreArchivedWholeOnceThenOnlyRoomsAddedSince) {
    fillZoneSide();
    ASSERT_TRUE(purge(QDate(2024, 1, 2), true).ok());
    MonitorSetsStore zones(*databases.kvr);
    auto second = zones.findByRoom(2).value().value();
    second.Name = QStringLiteral("Renamed");
    ASSERT_TRUE(zones.update(second).ok());
    ASSERT_TRUE(zones.insert(zone(5, QStringLiteral("Zone 5"))).ok());

    const Purge::Outcome outcome = purge(QDate(2024, 1, 3), true);
    ASSERT_TRUE(outcome.ok());
    EXPECT_EQ(outcome.counts.zonesArchived, 1);
    const auto archive = openArchive();
    QStringList names;
    for (const MonitorSetsRow& row : MonitorSetsStore(*archive).loadAll().value())
        names << row.Name;
    EXPECT_EQ(names, QStringList({"Zone 1", "Zone 2", "Zone 3", "Zone 4", "Zone 5"}));
}

// The alarms stay in the zone database, so each purge meets again those archived before; two alarms equal
// in every column (two records in one minute) are two alarms, in both databases.
TEST_F(PurgeTest, EachAlarmLandsInTheArchiveOnceOverManyPurges) {
    fillZoneSide();
    ASSERT_TRUE(purge(QDate(2024, 1, 2), true).ok());
    const AlarmsStore alarms(*databases.kvr);
    ASSERT_TRUE(alarms.insert(alarm(QDate(2024, 1, 3), 2)).ok()); // the twin of one already there
    ASSERT_TRUE(purge(QDate(2024, 1, 3), true).ok());
    const Purge::Outcome third = purge(QDate(2024, 1, 3), true);
    ASSERT_TRUE(third.ok());
    EXPECT_EQ(third.counts.alarmsArchived, 0);
    EXPECT_EQ(alarmDates(*openArchive()), QStringList({"2024-01-02/2", "2024-01-03/2", "2024-01-03/2"}));
    EXPECT_EQ(AlarmsStore(*databases.kvr).loadAll()->size(), 5U);
}

// A purge cut after its copy was committed left readings in both databases; the next one deletes them
// without copying them again, and copies what the archive lacks, twin for twin.
TEST_F(PurgeTest, APurgeCutAfterItsCopyIsFinishedWithoutASecondCopy) {
    fillZoneSide();
    const MonitorStore monitor(*databases.kvr);
    ASSERT_TRUE(monitor.insert(reading(QDate(2024, 1, 3), "a3")).ok()); // two equal records of one minute
    {
        ASSERT_TRUE(createDatabase(site.file("Archive.db"), DatabaseKind::Archive).ok());
        const auto archive = openArchive();
        ASSERT_TRUE(MonitorStore(*archive).insert(reading(QDate(2024, 1, 2), "a2")).ok());
        ASSERT_TRUE(MonitorStore(*archive).insert(reading(QDate(2024, 1, 3), "a3")).ok());
    }
    const Purge::Outcome outcome = purge(QDate(2024, 1, 3), true);
    ASSERT_TRUE(outcome.ok()) << outcome.errors.join('\n').toStdString();
    EXPECT_EQ(outcome.counts.readingsArchived, 1);
    EXPECT_EQ(outcome.counts.readingsDeleted, 3);
    EXPECT_EQ(readings(*databases.kvr), QStringList({"a4", "m1"}));
    EXPECT_EQ(readings(*openArchive()), QStringList({"a2", "a3", "a3"}));
}

struct FailureCase {
    const char* name;
    std::function<void(Purge&, const test::TempSite&)> spoil;
};

class PurgeFailures : public PurgeTest, public ::testing::WithParamInterface<FailureCase> {};

// Archiving that fails anywhere deletes nothing on either side and leaves the archive as it was.
TEST_P(PurgeFailures, AnArchiveThatFailsDeletesNothing) {
    fillZoneSide();
    fillCookSide();
    const MonitorStore monitor(*databases.kvr);
    // More readings than the pages the archive is allowed can hold.
    Transaction fill(*databases.kvr);
    for (int i = 0; i < 400; ++i)
        ASSERT_TRUE(monitor.insert(reading(QDate(2024, 1, 2), QString(300, QLatin1Char('x')))).ok());
    ASSERT_TRUE(fill.commit().ok());
    Purge purge(databases, site.path());
    GetParam().spoil(purge, site);
    const QByteArray archiveBefore =
        QFile::exists(site.file("Archive.db")) ? site.read("Archive.db") : QByteArray();

    const Purge::Outcome outcome = purge.run(QDate(2024, 1, 3), true);
    ASSERT_EQ(outcome.errors.size(), 1);
    EXPECT_TRUE(outcome.errors.front().startsWith("Nothing was purged"))
        << outcome.errors.front().toStdString();
    EXPECT_EQ(
        outcome.counts.readingsArchived + outcome.counts.readingsDeleted + outcome.counts.batchesDeleted, 0);
    EXPECT_EQ(MonitorStore(*databases.kvr).loadAll()->size(), 404U);
    EXPECT_EQ(BatchsStore(*databases.thermo).loadAll()->size(), 2U);
    if (!archiveBefore.isEmpty())
        EXPECT_EQ(site.read("Archive.db"), archiveBefore);
    else
        EXPECT_EQ(MonitorStore(*openArchive()).loadAll()->size(), 0U);
}

INSTANTIATE_TEST_SUITE_P(
    , PurgeFailures,
    ::testing::Values(
        FailureCase{"ArchiveIsNoDatabase",
                    [](Purge&, const test::TempSite& site) {
                        site.write("Archive.db",
                                   QByteArray("these are not the pages of a database\n").repeated(200));
                    }},
        FailureCase{"DiskFillsUp",
                    [](Purge& purge, const test::TempSite&) { purge.setArchivePageLimit(8); }}),
    [](const ::testing::TestParamInfo<FailureCase>& info) { return std::string(info.param.name); });

} // namespace
