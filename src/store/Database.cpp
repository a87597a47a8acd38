#include "store/Database.h"

#include "store/EngineText.h"
#include "store/Migrations.h"
#include "store/SystemStore.h"

#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>
#include <QUuid>

namespace kelvara::store {

namespace {

void removeWithCompanions(const QString& path) {
    for (const QString& suffix :
         {QString(), QStringLiteral("-wal"), QStringLiteral("-shm"), QStringLiteral("-journal")})
        QFile::remove(path + suffix);
}

} // namespace

Database::Database(DatabaseKind kind)
    : m_kind(kind),
      m_connectionName(QStringLiteral("kelvara-") + QUuid::createUuid().toString(QUuid::WithoutBraces)) {
    QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connectionName);
}

Database::Database(Database&& other) noexcept
    : m_kind(other.m_kind), m_connectionName(std::move(other.m_connectionName)),
      m_path(std::move(other.m_path)), m_statements(std::move(other.m_statements)) {
    other.m_connectionName.clear();
}

Database::~Database() {
    if (m_connectionName.isEmpty())
        return;
    close();
    // removeDatabase wants no handle of ours alive; close() dropped its own.
    QSqlDatabase::removeDatabase(m_connectionName);
}

QSqlDatabase Database::connection() const {
    // An empty name would hand out the process's default connection, which is not ours.
    return m_connectionName.isEmpty() ? QSqlDatabase() : QSqlDatabase::database(m_connectionName, false);
}

base::Result<QSqlQuery*> Database::prepared(const QString& sql) const {
    if (const auto it = m_statements.find(sql); it != m_statements.end())
        return it->second.get();
    // Said here rather than by the driver, which would also print its own warning on standard error.
    if (!isOpen())
        return base::fail(
            QStringLiteral("%1 is not open")
                .arg(m_path.isEmpty() ? databaseFileName(m_kind) : QFileInfo(m_path).fileName()));
    auto query = std::make_unique<QSqlQuery>(connection());
    query->setForwardOnly(true);
    if (!query->prepare(sql))
        return base::fail(engineText(query->lastError()));
    QSqlQuery* kept = query.get();
    m_statements.emplace(sql, std::move(query));
    return kept;
}

base::Result<QSqlQuery*> Database::run(const QString& sql, const QVariantList& binds) const {
    auto prepared = this->prepared(sql);
    if (!prepared)
        return prepared;
    QSqlQuery& query = *prepared.value();
    for (int i = 0; i < binds.size(); ++i)
        query.bindValue(i, binds.at(i));
    if (!query.exec()) {
        const QString error = engineText(query.lastError());
        query.finish();
        return base::fail(error);
    }
    return prepared;
}

base::Result<void> Database::execute(const QString& sql, const QVariantList& binds) const {
    auto query = run(sql, binds);
    if (!query)
        return query.failure();
    query.value()->finish();
    return {};
}

base::Result<int> Database::changes(const QString& sql, const QVariantList& binds) const {
    auto query = run(sql, binds);
    if (!query)
        return query.failure();
    const int changed = query.value()->numRowsAffected();
    query.value()->finish();
    return changed;
}

bool Database::isOpen() const {
    return !m_connectionName.isEmpty() && connection().isOpen();
}

void Database::close() {
    m_statements.clear(); // a statement must not outlive its connection
    if (m_connectionName.isEmpty())
        return;
    QSqlDatabase db = connection();
    if (db.isOpen())
        db.close();
}

base::Result<void> Database::open(const QString& path) {
    if (m_connectionName.isEmpty())
        return base::fail(QStringLiteral("The database connection was moved away"));
    close();
    m_path = path;
    const QFileInfo info(path);
    if (!info.exists())
        return base::fail(QStringLiteral("unable to open database file: %1 does not exist").arg(path));
    if (!info.isFile())
        return base::fail(QStringLiteral("unable to open database file: %1 is not a file").arg(path));

    QSqlDatabase db = connection();
    // mode=rw: the engine refuses to create the file should it vanish between the check and here.
    QUrl uri = QUrl::fromLocalFile(info.absoluteFilePath());
    uri.setQuery(QStringLiteral("mode=rw"));
    db.setDatabaseName(uri.toString(QUrl::FullyEncoded));
    db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=5000"));
    if (!db.open()) {
        const QString error = engineText(db.lastError());
        db.close();
        return base::fail(error);
    }
    if (auto prepared = prepare(); !prepared.ok()) {
        db.close();
        return prepared;
    }
    return {};
}

base::Result<void> Database::checkWritable() const {
    // Taking a write lock succeeds on a file opened for reading only; rewriting a header field with its own
    // value is the cheapest real write, and the rollback undoes it.
    auto version = run(QStringLiteral("PRAGMA user_version"));
    if (!version.ok())
        return base::fail(version.error());
    const int current = (*version)->next() ? (*version)->value(0).toInt() : 0;
    (*version)->finish();
    if (auto begun = execute(QStringLiteral("BEGIN")); !begun.ok())
        return begun;
    const auto written = execute(QStringLiteral("PRAGMA user_version=%1").arg(current));
    (void)execute(QStringLiteral("ROLLBACK"));
    return written;
}

base::Result<void> Database::setDurableCommits(bool durable) const {
    if (!isOpen() || !isWorkingDatabase(m_kind))
        return {};
    return execute(durable ? QStringLiteral("PRAGMA synchronous=FULL")
                           : QStringLiteral("PRAGMA synchronous=NORMAL"));
}

base::Result<void> Database::prepare() {
    QSqlDatabase db = connection();
    QSqlQuery query(db);
    // The engine reads the file lazily; this first read is what finds a damaged or foreign file.
    if (!query.exec(QStringLiteral("SELECT count(*) FROM sqlite_master")))
        return base::fail(engineText(query.lastError()));
    if (isWorkingDatabase(m_kind)) {
        if (!query.exec(QStringLiteral("PRAGMA journal_mode=WAL")))
            return base::fail(engineText(query.lastError()));
        if (!query.exec(QStringLiteral("PRAGMA synchronous=FULL")))
            return base::fail(engineText(query.lastError()));
    }
    query.finish();
    return Migrations::apply(db, m_kind);
}

base::Result<void> createDatabase(const QString& path, DatabaseKind kind) {
    if (kind == DatabaseKind::ThermoTypes)
        return base::fail(
            QStringLiteral("ThermoTypes.db is built from the thermocouple reference table, not here"));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly,
                       QFileDevice::ReadOwner | QFileDevice::WriteOwner))
            return base::fail(QStringLiteral("Could not create %1: %2").arg(path, file.errorString()));
    }
    base::Result<void> made;
    {
        Database db(kind);
        made = db.open(path);
        if (made.ok() && kind == DatabaseKind::Kvr)
            made = SystemStore(db).ensureRow();
    }
    if (!made.ok())
        removeWithCompanions(path);
    return made;
}

} // namespace kelvara::store
