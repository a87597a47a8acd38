#pragma once

#include "base/Result.h"
#include "store/DatabaseKind.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <memory>
#include <unordered_map>

namespace kelvara::store {

// Owns one named SQLite connection to one of the site's database files.
class Database {
public:
    explicit Database(DatabaseKind kind);
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;
    Database(Database&& other) noexcept;
    Database& operator=(Database&&) = delete;

    // Opens an existing file (a missing one is never created here), checks that it is a database,
    // and brings its schema up to date. On failure the engine's description comes back and the
    // connection stays closed.
    [[nodiscard]] base::Result<void> open(const QString& path);
    void close();

    [[nodiscard]] bool isOpen() const;
    // A handle on the owned connection; it stays valid while this object lives.
    [[nodiscard]] QSqlDatabase connection() const;
    [[nodiscard]] DatabaseKind kind() const { return m_kind; }
    // Whether each commit waits until it is on the disk (the default) or only until it is in the journal,
    // where it survives a crash of the program but not of the machine. The next durable commit makes
    // everything before it durable too.
    [[nodiscard]] base::Result<void> setDurableCommits(bool durable) const;

    // A statement prepared for this SQL text (forward-only), kept while the connection stays open, so the
    // statements the reading passes run over and over are parsed once. Bind every value before each use.
    [[nodiscard]] base::Result<QSqlQuery*> prepared(const QString& sql) const;
    // Runs the kept statement for this SQL text with these values bound in order; on failure the engine's
    // description comes back and the statement is reset.
    [[nodiscard]] base::Result<QSqlQuery*> run(const QString& sql, const QVariantList& binds = {}) const;
    // run() for a statement whose rows are not wanted (BEGIN, COMMIT, an UPDATE, a pragma).
    [[nodiscard]] base::Result<void> execute(const QString& sql, const QVariantList& binds = {}) const;
    // execute() for an INSERT, UPDATE or DELETE, giving the number of rows it changed.
    [[nodiscard]] base::Result<int> changes(const QString& sql, const QVariantList& binds = {}) const;

    // Whether changes can be stored: a file the program may not write (its permissions, a read-only disk)
    // opens for reading without a word and would fail at each commit. Writes nothing.
    [[nodiscard]] base::Result<void> checkWritable() const;

    // The file last opened, empty before the first open.
    [[nodiscard]] QString path() const { return m_path; }

private:
    [[nodiscard]] base::Result<void> prepare();

    DatabaseKind m_kind;
    QString m_connectionName;
    QString m_path;
    mutable std::unordered_map<QString, std::unique_ptr<QSqlQuery>> m_statements;
};

// Creates a new file with the whole schema of its kind, readable by the owner only. A KVR database
// also gets its single System row. An existing file is never overwritten.
[[nodiscard]] base::Result<void> createDatabase(const QString& path, DatabaseKind kind);

} // namespace kelvara::store
