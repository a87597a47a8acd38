#include "store/Database.h"

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

QString engineText(const QSqlError& error) {
    return error.databaseText().isEmpty() ? error.text() : error.databaseText();
}

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

StoreResult<QSqlQuery*> Database::prepared(const QString& sql) const {
    if (const auto it = m_statements.find(sql); it != m_statements.end())
        return StoreResult<QSqlQuery*>::success(it->second.get());
    auto query = std::make_unique<QSqlQuery>(connection());
    query->setForwardOnly(true);
    if (!query->prepare(sql))
        return StoreResult<QSqlQuery*>::failure(engineText(query->lastError()));
    QSqlQuery* kept = query.get();
    m_statements.emplace(sql, std::move(query));
    return StoreResult<QSqlQuery*>::success(kept);
}

StoreResult<QSqlQuery*> Database::run(const QString& sql, const QVariantList& binds) const {
    auto prepared = this->prepared(sql);
    if (!prepared)
        return prepared;
    QSqlQuery& query = *prepared.value();
    for (int i = 0; i < binds.size(); ++i)
        query.bindValue(i, binds.at(i));
    if (!query.exec()) {
        const QString error = engineText(query.lastError());
        query.finish();
        return StoreResult<QSqlQuery*>::failure(error);
    }
    return prepared;
}

StoreError Database::execute(const QString& sql, const QVariantList& binds) const {
    auto query = run(sql, binds);
    if (!query)
        return query.error();
    query.value()->finish();
    return std::nullopt;
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

std::optional<QString> Database::open(const QString& path) {
    if (m_connectionName.isEmpty())
        return QStringLiteral("The database connection was moved away");
    close();
    m_path = path;
    const QFileInfo info(path);
    if (!info.exists())
        return QStringLiteral("unable to open database file: %1 does not exist").arg(path);
    if (!info.isFile())
        return QStringLiteral("unable to open database file: %1 is not a file").arg(path);

    QSqlDatabase db = connection();
    // mode=rw: the engine refuses to create the file should it vanish between the check and here.
    QUrl uri = QUrl::fromLocalFile(info.absoluteFilePath());
    uri.setQuery(QStringLiteral("mode=rw"));
    db.setDatabaseName(uri.toString(QUrl::FullyEncoded));
    db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=5000"));
    if (!db.open()) {
        const QString error = engineText(db.lastError());
        db.close();
        return error;
    }
    if (auto error = prepare()) {
        db.close();
        return error;
    }
    return std::nullopt;
}

void Database::setDurableCommits(bool durable) const {
    if (!isOpen() || !isWorkingDatabase(m_kind))
        return;
    (void)execute(durable ? QStringLiteral("PRAGMA synchronous=FULL")
                          : QStringLiteral("PRAGMA synchronous=NORMAL"));
}

std::optional<QString> Database::prepare() {
    QSqlDatabase db = connection();
    QSqlQuery query(db);
    // The engine reads the file lazily; this first read is what finds a damaged or foreign file.
    if (!query.exec(QStringLiteral("SELECT count(*) FROM sqlite_master")))
        return engineText(query.lastError());
    if (isWorkingDatabase(m_kind)) {
        if (!query.exec(QStringLiteral("PRAGMA journal_mode=WAL")))
            return engineText(query.lastError());
        if (!query.exec(QStringLiteral("PRAGMA synchronous=FULL")))
            return engineText(query.lastError());
    }
    query.finish();
    return Migrations::apply(db, m_kind);
}

std::optional<QString> createDatabase(const QString& path, DatabaseKind kind) {
    if (kind == DatabaseKind::ThermoTypes)
        return QStringLiteral("ThermoTypes.db is built from the thermocouple reference table, not here");
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly,
                       QFileDevice::ReadOwner | QFileDevice::WriteOwner))
            return QStringLiteral("Could not create %1: %2").arg(path, file.errorString());
    }
    std::optional<QString> error;
    {
        Database db(kind);
        error = db.open(path);
        if (!error && kind == DatabaseKind::Kvr)
            error = SystemStore(db).ensureRow();
    }
    if (error)
        removeWithCompanions(path);
    return error;
}

} // namespace kelvara::store
