#include "store/Purge.h"

#include "store/BatchsStore.h"
#include "store/MonitorStore.h"
#include "store/Schema.h"
#include "store/SqlTable.h"
#include "store/Transaction.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlQuery>
#include <memory>

namespace kelvara::store {

namespace {

const QString kMonitor = QStringLiteral("Monitor");
const QString kAlarms = QStringLiteral("Alarms");
const QString kMonitorSets = QStringLiteral("MonitorSets");

using MonthRange = Purge::MonthRange;

QString columnList(const QString& table) {
    QStringList names;
    for (const TableDef& def : Schema::tables(DatabaseKind::Archive)) {
        if (def.name != table)
            continue;
        for (const ColumnDef& column : def.columns)
            names << Schema::quoted(column.name);
    }
    return names.join(QStringLiteral(", "));
}

// The months that hold rows of `table` dated up to `last`, oldest first, each cut off at `last`. A purge
// works month by month, so a window can repaint in between and no statement holds a decade of rows.
base::Result<std::vector<MonthRange>> monthsUpTo(const Database& kvr, const QString& table,
                                                 const QString& dateColumn, const QDate& last) {
    auto query = kvr.run(QStringLiteral("SELECT DISTINCT substr(%1, 1, 7) FROM %2 WHERE %1 <= ? ORDER BY 1")
                             .arg(Schema::quoted(dateColumn), Schema::quoted(table)),
                         {sqlvalue::date(last)});
    if (!query)
        return query.failure();
    std::vector<MonthRange> months;
    while (query.value()->next()) {
        const QDate first =
            QDate::fromString(query.value()->value(0).toString() + QStringLiteral("-01"), Qt::ISODate);
        if (first.isValid())
            months.push_back({first, std::min(first.addMonths(1).addDays(-1), last)});
    }
    query.value()->finish();
    return months;
}

QVariantList rangeBinds(const MonthRange& month) {
    const QVariant from = sqlvalue::date(month.from);
    const QVariant to = sqlvalue::date(month.to);
    return {from, to, from, to};
}

// The rows of the zone database's `table` in one date range, each with its number among the equal rows of
// both databases (those of the history database counted first: a history database holding a copies of a row
// makes the zone database's first a copies of it archived ones), as (rid, n, a). A row is archived when
// n <= 2a. Rows are matched by content, so the match holds whatever became of rowids since (a compaction
// may renumber them) and a purge cut between its copy and its delete is finished without a second copy.
QString numberedRows(const QString& table, const QString& dateColumn) {
    return QStringLiteral("SELECT rid, n, a FROM (SELECT src, rid, "
                          "row_number() OVER (PARTITION BY %1 ORDER BY src, rid) AS n, "
                          "sum(src = 0) OVER (PARTITION BY %1) AS a FROM ("
                          "SELECT 0 AS src, rowid AS rid, %1 FROM main.%2 WHERE %3 BETWEEN ? AND ? "
                          "UNION ALL SELECT 1, rowid, %1 FROM kvr.%2 WHERE %3 BETWEEN ? AND ?)) "
                          "WHERE src = 1")
        .arg(columnList(table), Schema::quoted(table), Schema::quoted(dateColumn));
}

QString copyNewSql(const QString& table, const QString& dateColumn) {
    return QStringLiteral("INSERT INTO main.%1 (%2) SELECT %2 FROM kvr.%1 WHERE rowid IN "
                          "(SELECT rid FROM (%3) WHERE n > 2 * a) ORDER BY rowid")
        .arg(Schema::quoted(table), columnList(table), numberedRows(table, dateColumn));
}

QString deleteArchivedSql(const QString& table, const QString& dateColumn) {
    return QStringLiteral("DELETE FROM kvr.%1 WHERE rowid IN (SELECT rid FROM (%2) WHERE n <= 2 * a)")
        .arg(Schema::quoted(table), numberedRows(table, dateColumn));
}

} // namespace

Purge::Purge(const Databases& databases, QString siteDir)
    : m_databases(databases), m_siteDir(std::move(siteDir)) {}

Purge::Outcome Purge::run(const QDate& last, bool archive, const Observer& observer) const {
    Outcome outcome;
    Counts& counts = outcome.counts;
    const auto tell = [&](Step step) {
        if (observer)
            observer(step, counts);
    };
    const Database* kvr = m_databases.kvr.get();
    const QString archiveName = databaseFileName(DatabaseKind::Archive);
    const QString kvrName = databaseFileName(DatabaseKind::Kvr);

    std::vector<MonthRange> readingMonths;
    base::Result<void> zoneSide;
    if (kvr && !kvr->isOpen())
        zoneSide = base::fail(QStringLiteral("%1 is not open").arg(kvrName));
    if (kvr && zoneSide.ok()) {
        auto months = monthsUpTo(*kvr, kMonitor, QStringLiteral("RecDate"), last);
        if (months)
            readingMonths = std::move(months).value();
        else
            zoneSide = months.failure();
    }

    std::unique_ptr<Database> history;
    if (archive) {
        tell(Step::Archiving);
        base::Result<void> archived = zoneSide;
        if (!kvr)
            archived = base::fail(QStringLiteral("only the zone side's data is archived"));
        if (archived.ok()) {
            history = std::make_unique<Database>(DatabaseKind::Archive);
            archived = openHistory(*history);
        }
        if (archived.ok())
            archived = archiveUpTo(*history, last, readingMonths, counts, observer);
        if (!archived.ok()) {
            counts = {};
            outcome.errors << kArchiveFailedText.arg(archiveName, archived.error());
            return outcome;
        }
        tell(Step::Archived);
    }

    tell(Step::Purging);
    if (kvr) {
        base::Result<void> deleted = zoneSide;
        if (deleted.ok())
            deleted = history ? deleteArchived(*history, readingMonths, counts, observer)
                              : deleteUnarchived(*kvr, readingMonths, counts, observer);
        if (!deleted.ok())
            outcome.errors << QStringLiteral("The readings could not be deleted from %1: %2")
                                  .arg(kvrName, deleted.error());
    }
    if (const Database* thermo = m_databases.thermo.get()) {
        const auto deleted = thermo->isOpen()
                                 ? BatchsStore(*thermo).removeUpTo(last)
                                 : base::Result<int>(base::fail(QStringLiteral("the database is not open")));
        if (deleted)
            counts.batchesDeleted = deleted.value();
        else
            outcome.errors << QStringLiteral("The batches could not be deleted from %1: %2")
                                  .arg(databaseFileName(DatabaseKind::Thermo), deleted.error());
    }
    tell(Step::Purged);
    return outcome;
}

base::Result<void> Purge::openHistory(Database& history) const {
    const QString path = QDir(m_siteDir).filePath(databaseFileName(DatabaseKind::Archive));
    if (!QFileInfo::exists(path)) {
        if (auto made = createDatabase(path, DatabaseKind::Archive); !made)
            return made;
    }
    if (auto opened = history.open(path); !opened)
        return opened;
    if (m_archivePageLimit > 0) {
        // A pragma takes no bound value; the limit is our own number.
        if (auto limited =
                history.execute(QStringLiteral("PRAGMA main.max_page_count = %1").arg(m_archivePageLimit));
            !limited)
            return limited;
    }
    if (auto attached =
            history.execute(QStringLiteral("ATTACH DATABASE ? AS kvr"), {m_databases.kvr->path()});
        !attached)
        return attached;
    // The deletes go to the zone database through this connection: as durable as its own commits.
    return history.execute(QStringLiteral("PRAGMA kvr.synchronous=FULL"));
}

base::Result<void> Purge::archiveUpTo(const Database& history, const QDate& last,
                                      const std::vector<MonthRange>& readingMonths, Counts& counts,
                                      const Observer& observer) const {
    const auto alarmMonths = monthsUpTo(*m_databases.kvr, kAlarms, QStringLiteral("Date"), last);
    if (!alarmMonths)
        return alarmMonths.failure();
    // One transaction: an archive that fails anywhere keeps nothing of this purge.
    Transaction transaction(history);
    if (!transaction.begun())
        return transaction.begun();
    const auto copy = [&](const QString& sql, const std::vector<MonthRange>& months, int& copied) {
        for (const MonthRange& month : months) {
            const auto n = history.changes(sql, rangeBinds(month));
            if (!n)
                return base::Result<void>(n.failure());
            copied += n.value();
            if (observer)
                observer(Step::Working, counts);
        }
        return base::Result<void>();
    };
    if (auto done =
            copy(copyNewSql(kMonitor, QStringLiteral("RecDate")), readingMonths, counts.readingsArchived);
        !done)
        return done;
    // The alarms stay in the zone database, so every purge meets again those an earlier one archived.
    if (auto done =
            copy(copyNewSql(kAlarms, QStringLiteral("Date")), alarmMonths.value(), counts.alarmsArchived);
        !done)
        return done;
    // Zones are archived once: those already there are never updated, only rooms added since are copied.
    const auto zones = history.changes(
        QStringLiteral(
            "INSERT INTO main.%1 (%2) SELECT %2 FROM kvr.%1 WHERE NOT EXISTS (SELECT 1 FROM main.%1) "
            "OR \"Room\" > (SELECT max(\"Room\") FROM main.%1) ORDER BY \"Room\"")
            .arg(Schema::quoted(kMonitorSets), columnList(kMonitorSets)));
    if (!zones)
        return zones.failure();
    counts.zonesArchived = zones.value();
    return transaction.commit();
}

base::Result<void> Purge::deleteArchived(const Database& history, const std::vector<MonthRange>& months,
                                         Counts& counts, const Observer& observer) const {
    // The archive is committed; what is deleted now is only what it holds.
    Transaction transaction(history);
    if (!transaction.begun())
        return transaction.begun();
    const QString sql = deleteArchivedSql(kMonitor, QStringLiteral("RecDate"));
    int deleted = 0;
    for (const MonthRange& month : months) {
        const auto n = history.changes(sql, rangeBinds(month));
        if (!n)
            return n.failure();
        deleted += n.value();
        if (observer)
            observer(Step::Working, counts);
    }
    if (auto committed = transaction.commit(); !committed)
        return committed;
    counts.readingsDeleted = deleted;
    return {};
}

base::Result<void> Purge::deleteUnarchived(const Database& kvr, const std::vector<MonthRange>& months,
                                           Counts& counts, const Observer& observer) const {
    // Nothing to match against: month after month, so a cut purge is finished by the next one.
    const MonitorStore readings(kvr);
    for (const MonthRange& month : months) {
        const auto n = readings.removeUpTo(month.to);
        if (!n)
            return n.failure();
        counts.readingsDeleted += n.value();
        if (observer)
            observer(Step::Working, counts);
    }
    return {};
}

} // namespace kelvara::store
