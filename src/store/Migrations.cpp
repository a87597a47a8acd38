#include "store/Migrations.h"

#include "store/Schema.h"

#include <QSet>
#include <QSqlError>
#include <QSqlQuery>
#include <functional>
#include <vector>

namespace kelvara::store {

namespace {

using Step = std::function<base::Result<void>(QSqlDatabase&, DatabaseKind)>;

QString engineText(const QSqlError& error) {
    return error.databaseText().isEmpty() ? error.text() : error.databaseText();
}

base::Result<void> exec(QSqlDatabase& db, const QString& sql) {
    QSqlQuery query(db);
    if (!query.exec(sql))
        return base::fail(engineText(query.lastError()));
    return {};
}

// Version 1: the whole schema. A file that predates the version count may already hold some of the
// tables with rows in them; those keep their rows and only gain the columns they lack.
base::Result<void> createSchema(QSqlDatabase& db, DatabaseKind kind) {
    for (const TableDef& table : Schema::tables(kind)) {
        QSqlQuery info(db);
        if (!info.exec(QStringLiteral("PRAGMA table_info(%1)").arg(Schema::quoted(table.name))))
            return base::fail(engineText(info.lastError()));
        QSet<QString> existing;
        while (info.next())
            existing.insert(info.value(1).toString().toLower());
        if (existing.isEmpty()) {
            if (auto done = exec(db, Schema::createTableSql(table)); !done)
                return done;
            continue;
        }
        for (const ColumnDef& column : table.columns) {
            // The engine compares column names without regard to case.
            if (existing.contains(column.name.toLower()))
                continue;
            if (column.type == ColumnType::AutoKey)
                return base::fail(
                    QStringLiteral("Table %1 lacks its key column %2").arg(table.name, column.name));
            const auto added = exec(db, QStringLiteral("ALTER TABLE %1 ADD COLUMN %2")
                                            .arg(Schema::quoted(table.name), Schema::columnSql(column)));
            if (!added.ok())
                return added;
        }
    }
    for (const IndexDef& index : Schema::indexes(kind)) {
        if (auto done = exec(db, Schema::createIndexSql(index)); !done)
            return done;
    }
    return {};
}

const std::vector<Step>& steps(DatabaseKind kind) {
    // Step i brings a file to version i + 1. Later releases append here and never edit a step.
    static const std::vector<Step> working{createSchema};
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
    const std::vector<Step>& all = steps(kind);
    for (int version = *stored + 1; version <= target; ++version) {
        if (!db.transaction())
            return base::fail(engineText(db.lastError()));
        base::Result<void> step = all[static_cast<std::size_t>(version - 1)](db, kind);
        // PRAGMA takes no bound parameters; the version is our own integer, never outside input.
        if (step.ok())
            step = exec(db, QStringLiteral("PRAGMA user_version = %1").arg(version));
        if (step.ok() && !db.commit())
            step = base::fail(engineText(db.lastError()));
        if (!step.ok()) {
            db.rollback();
            return step;
        }
    }
    return {};
}

} // namespace kelvara::store
