#include "store/Compaction.h"

#include "store/CookSettingsStore.h"
#include "store/DatabaseKind.h"
#include "store/EngineText.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QUrl>
#include <QUuid>
#include <filesystem>
#include <system_error>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>
#endif

namespace kelvara::store {

namespace {

// A plain connection of our own to one file, without the schema work of Database: compaction must see the
// file as it is and hold it without anything else of ours touching it.
class FileConnection {
public:
    FileConnection(const QString& path, bool readOnly, int busyTimeoutMs)
        : m_name(QStringLiteral("kelvara-compaction-") + QUuid::createUuid().toString(QUuid::WithoutBraces)) {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
        QUrl uri = QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath());
        uri.setQuery(readOnly ? QStringLiteral("mode=ro") : QStringLiteral("mode=rw"));
        db.setDatabaseName(uri.toString(QUrl::FullyEncoded));
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=%1").arg(busyTimeoutMs));
        if (!db.open())
            m_error = engineText(db.lastError());
    }
    ~FileConnection() {
        {
            QSqlDatabase db = QSqlDatabase::database(m_name, false);
            db.close();
        }
        QSqlDatabase::removeDatabase(m_name);
    }
    FileConnection(const FileConnection&) = delete;
    FileConnection& operator=(const FileConnection&) = delete;

    [[nodiscard]] base::Result<void> opened() const {
        return m_error.isEmpty() ? base::Result<void>() : base::fail(m_error);
    }

    // The first column of the first row, as text (empty when there is no row).
    [[nodiscard]] base::Result<QString> value(const QString& sql, const QVariantList& binds = {}) const {
        QSqlQuery query(QSqlDatabase::database(m_name, false));
        if (!query.prepare(sql))
            return base::fail(engineText(query.lastError()));
        for (int i = 0; i < binds.size(); ++i)
            query.bindValue(i, binds.at(i));
        if (!query.exec())
            return base::fail(engineText(query.lastError()));
        return query.next() ? query.value(0).toString() : QString();
    }

private:
    QString m_name;
    QString m_error;
};

void removeWithCompanions(const QString& path) {
    for (const QString& suffix :
         {QString(), QStringLiteral("-journal"), QStringLiteral("-wal"), QStringLiteral("-shm")})
        QFile::remove(path + suffix);
}

qint64 fileSize(const QString& path) {
    const QFileInfo info(path);
    return info.exists() ? info.size() : 0;
}

// The engine writes the copy without syncing it: it must be on the disk before it takes the original's place,
// and the folder's new entry with it.
base::Result<void> syncToDisk(const QString& path, bool folder) {
#ifdef Q_OS_UNIX
    const int fd = ::open(QFile::encodeName(path).constData(), folder ? (O_RDONLY | O_DIRECTORY) : O_RDWR);
    if (fd < 0)
        return base::fail(QString::fromLocal8Bit(std::strerror(errno)));
    const int synced = ::fsync(fd);
    const int error = errno;
    ::close(fd);
    if (synced != 0)
        return base::fail(QString::fromLocal8Bit(std::strerror(error)));
#else
    Q_UNUSED(path);
    Q_UNUSED(folder);
#endif
    return {};
}

} // namespace

Compaction::Compaction(QString siteDir, Observer observer)
    : m_siteDir(std::move(siteDir)), m_observer(std::move(observer)) {}

base::Result<std::optional<Compaction::Compacted>> Compaction::compactFile(const QString& fileName) const {
    const QDir dir(m_siteDir);
    const QString path = dir.filePath(fileName);
    const QString scratch = dir.filePath(kCompactedFileName);
    if (!QFileInfo(path).isFile())
        return std::nullopt;
    // A copy left by a cut compaction is only ever a copy: the original is still in its place.
    removeWithCompanions(scratch);
    if (QFileInfo::exists(scratch))
        return base::fail(
            QStringLiteral("%1: the leftover %2 could not be removed").arg(fileName, kCompactedFileName));
    const auto failed = [&](const QString& why) {
        removeWithCompanions(scratch);
        return base::fail(QStringLiteral("%1 was not compacted: %2").arg(fileName, why));
    };
    const qint64 before = fileSize(path) + fileSize(path + QStringLiteral("-wal"));
    {
        FileConnection original(path, false, 1000);
        if (auto opened = original.opened(); !opened)
            return failed(opened.error());
        // Leaving the write-ahead log folds it into the file and removes it, and the engine does that only
        // with no other connection to the file: an old log beside the new file would be replayed into it.
        const auto mode = original.value(QStringLiteral("PRAGMA journal_mode=DELETE"));
        if (!mode || mode.value().compare(QLatin1String("delete"), Qt::CaseInsensitive) != 0)
            return base::fail(kInUseText.arg(fileName));
        // Held to the end, so nobody writes to the original between the copy and the rename.
        for (const char* sql : {"PRAGMA locking_mode=EXCLUSIVE", "BEGIN EXCLUSIVE", "COMMIT"}) {
            if (!original.value(QString::fromLatin1(sql)))
                return failed(kInUseText.arg(fileName));
        }
        const QFileDevice::Permissions permissions = QFile::permissions(path);
        {
            // The engine writes into an empty file; made first, it has the original's permissions from the
            // start.
            QFile copy(scratch);
            if (!copy.open(QIODevice::WriteOnly | QIODevice::NewOnly, permissions))
                return failed(copy.errorString());
        }
        if (auto copied = original.value(QStringLiteral("VACUUM INTO ?"), {scratch}); !copied)
            return failed(copied.error());
        QFile::setPermissions(scratch, permissions);
        if (auto synced = syncToDisk(scratch, false); !synced)
            return failed(synced.error());
        {
            const FileConnection copy(scratch, true, 0);
            const auto check = copy.opened().ok() ? copy.value(QStringLiteral("PRAGMA integrity_check"))
                                                  : base::Result<QString>(base::fail(copy.opened().error()));
            if (!check)
                return failed(
                    QStringLiteral("the compacted copy could not be checked (%1)").arg(check.error()));
            if (check.value() != QLatin1String("ok"))
                return failed(QStringLiteral("the compacted copy failed its check (%1)").arg(check.value()));
        }
        if (m_observer)
            m_observer(fileName, Step::Copied);
        std::error_code error;
        std::filesystem::rename(std::filesystem::path(QFile::encodeName(scratch).toStdString()),
                                std::filesystem::path(QFile::encodeName(path).toStdString()), error);
        if (error)
            return failed(QString::fromStdString(error.message()));
        // The new file is in place either way; a folder that cannot be synced only delays that on the disk.
        (void)syncToDisk(m_siteDir, true);
        if (m_observer)
            m_observer(fileName, Step::Replaced);
    }
    return Compacted{fileName, before, fileSize(path)};
}

Compaction::Report Compaction::repair(Databases& databases) const {
    Report report;
    const QDir dir(m_siteDir);
    const auto compact = [&](DatabaseKind kind) {
        const QString name = databaseFileName(kind);
        const auto done = compactFile(name);
        if (!done) {
            report.errors << done.error();
            report.failedFiles << name;
        } else if (done.value()) {
            report.compacted.push_back(**done);
        }
    };
    databases.closeDatabases();
    if (QFileInfo(dir.filePath(databaseFileName(DatabaseKind::Kvr))).isFile()) {
        compact(DatabaseKind::Kvr);
        compact(DatabaseKind::Archive);
    }
    compact(DatabaseKind::Thermo);

    // The same objects open the new files: every part of the program holding them works on those from here.
    const auto reopen = [&](Database& db, DatabaseKind kind) {
        const QString name = databaseFileName(kind);
        base::Result<void> opened = db.open(dir.filePath(name));
        if (opened.ok() && kind == DatabaseKind::Thermo)
            opened = CookSettingsStore(db).ensureRow();
        if (!opened.ok()) {
            report.errors << QStringLiteral("%1 could not be opened again: %2").arg(name, opened.error());
            if (!report.failedFiles.contains(name))
                report.failedFiles << name;
        }
    };
    if (databases.kvr)
        reopen(*databases.kvr, DatabaseKind::Kvr);
    if (databases.thermo)
        reopen(*databases.thermo, DatabaseKind::Thermo);
    return report;
}

QString Compaction::closingText(const Report& report) {
    if (report.ok())
        return kAllDoneText;
    QStringList files = report.failedFiles;
    const QString last = files.takeLast();
    const QString named =
        files.isEmpty() ? last : files.join(QStringLiteral(", ")) + QStringLiteral(" and ") + last;
    return files.isEmpty()
               ? QStringLiteral("Not done: %1 could not be compacted and was left as it was.").arg(named)
               : QStringLiteral("Not done: %1 could not be compacted and were left as they were.").arg(named);
}

} // namespace kelvara::store
