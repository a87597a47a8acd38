#include "store/Migrations.h"

#include "store/EngineText.h"
#include "store/Schema.h"
#include "store/SchemaVersion1.h"

#include <QSet>
#include <QSqlError>
#include <QSqlQuery>
#include <functional>
#include <vector>

namespace kelvara::store {

namespace {

using Step = std::function<base::Result<void>(QSqlDatabase&, DatabaseKind)>;

base::Result<void> exec(QSqlDatabase& db, const QString& sql) {
    QSqlQuery query(db);
    if (!query.exec(sql))
        return base::fail(engineText(query.lastError()));
    return {};
}

// Version 1, built from its frozen texts. A file that predates the version count may already hold some of
// the tables with rows in them; those keep their rows and only gain the columns they lack.
base::Result<void> version1(QSqlDatabase& db, DatabaseKind kind) {
    for (const SchemaVersion1::Table& table : SchemaVersion1::tables(kind)) {
        const QString name = QString::fromLatin1(table.name);
        QSqlQuery info(db);
        if (!info.exec(QStringLiteral("PRAGMA table_info(\"%1\")").arg(name)))
            return base::fail(engineText(info.lastError()));
        QSet<QString> existing;
        while (info.next())
            existing.insert(info.value(1).toString().toLower());
        if (existing.isEmpty()) {
            if (auto done = exec(db, QString::fromLatin1(table.createSql)); !done)
                return done;
            continue;
        }
        for (const SchemaVersion1::Column& column : table.columns) {
            // The engine compares column names without regard to case.
            if (existing.contains(QString::fromLatin1(column.name).toLower()))
                continue;
            if (column.key)
                return base::fail(QStringLiteral("Table %1 lacks its key column %2")
                                      .arg(name, QString::fromLatin1(column.name)));
            const auto added = exec(db, QStringLiteral("ALTER TABLE \"%1\" ADD COLUMN %2")
                                            .arg(name, QString::fromLatin1(column.definition)));
            if (!added.ok())
                return added;
        }
    }
    for (const char* index : SchemaVersion1::indexes(kind)) {
        if (auto done = exec(db, QString::fromLatin1(index)); !done)
            return done;
    }
    return {};
}

// Version 2: the notification list keeps the date of each recipient's last call beside its time.
base::Result<void> version2(QSqlDatabase& db, DatabaseKind kind) {
    if (kind != DatabaseKind::Kvr)
        return {};
    return exec(db, QStringLiteral("ALTER TABLE \"CallAlarm\" ADD COLUMN \"LastCallDate\" TEXT"));
}

// A new file gets this release's schema at once; what the steps make of a file one after the other must
// come to the same (the store tests compare the two).
base::Result<void> createCurrent(QSqlDatabase& db, DatabaseKind kind) {
    for (const TableDef& table : Schema::tables(kind)) {
        if (auto done = exec(db, Schema::createTableSql(table)); !done)
            return done;
    }
    for (const IndexDef& index : Schema::indexes(kind)) {
        if (auto done = exec(db, Schema::createIndexSql(index)); !done)
            return done;
    }
    return {};
}

base::Result<bool> holdsNothing(QSqlDatabase& db) {
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("SELECT count(*) FROM sqlite_master")) || !query.next())
        return base::fail(engineText(query.lastError()));
    return query.value(0).toInt() == 0;
}

// Makes one change and records the version it reaches: both happen or neither does.
base::Result<void> reach(QSqlDatabase& db, int version, const std::function<base::Result<void>()>& change) {
    if (!db.transaction())
        return base::fail(engineText(db.lastError()));
    base::Result<void> done = change();
    // PRAGMA takes no bound parameters; the version is our own integer, never outside input.
    if (done.ok())
        done = exec(db, QStringLiteral("PRAGMA user_version = %1").arg(version));
    if (done.ok() && !db.commit())
        done = base::fail(engineText(db.lastError()));
    if (!done.ok())
        db.rollback();
    return done;
}

const std::vector<Step>& steps(DatabaseKind kind) {
    // Step i brings a file to version i + 1. A release that changes the live Schema appends a step that
    // makes the same change, and never edits a step.
    static const std::vector<Step> working{version1, version2};
    static const std::vector<Step> none;
    return isWorkingDatabase(kind) ? working : none;
}

} // namespace

int Migrations::currentVersion(DatabaseKind kind) {
    return static_cast<int>(steps(kind).size());
}

base::Result<int> Migrations::storedVersion(QSqlDatabase& db) {
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("PRAGMA user_version")) || !query.next())
        return base::fail(engineText(query.lastError()));
    return query.value(0).toInt();
}

base::Result<void> Migrations::apply(QSqlDatabase& db, DatabaseKind kind) {
    // A kind without steps keeps a layout of its own that this list does not track.
    if (steps(kind).empty())
        return {};
    const base::Result<int> stored = storedVersion(db);
    if (!stored)
        return stored.failure();
    const int target = currentVersion(kind);
    if (*stored > target)
        return base::fail(QStringLiteral("The database has schema version %1, newer than this program's %2")
                              .arg(*stored)
                              .arg(target));
    if (*stored == 0) {
        const base::Result<bool> fresh = holdsNothing(db);
        if (!fresh)
            return fresh.failure();
        if (*fresh)
            return reach(db, target, [&db, kind] { return createCurrent(db, kind); });
    }
    const std::vector<Step>& all = steps(kind);
    for (int version = *stored + 1; version <= target; ++version) {
        const Step& step = all[static_cast<std::size_t>(version - 1)];
        if (auto done = reach(db, version, [&db, kind, &step] { return step(db, kind); }); !done)
            return done;
    }
    return {};
}

} // namespace kelvara::store
