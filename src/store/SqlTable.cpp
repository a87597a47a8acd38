#include "store/SqlTable.h"

#include "store/Schema.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>

namespace kelvara::store {

namespace {

QString engineText(const QSqlError& error) {
    return error.databaseText().isEmpty() ? error.text() : error.databaseText();
}

const QString kTimeFormat = QStringLiteral("HH:mm:ss");

} // namespace

SqlTable::SqlTable(const Database& database, QString table)
    : m_database(database), m_table(std::move(table)) {}

QString SqlTable::quotedName() const {
    return Schema::quoted(m_table);
}

StoreResult<std::vector<QSqlRecord>> SqlTable::select(const QString& tail, const QVariantList& binds) const {
    QSqlQuery query(m_database.connection());
    query.setForwardOnly(true);
    const QString sql = QStringLiteral("SELECT rowid AS \"rowid\", * FROM %1 %2").arg(quotedName(), tail);
    if (!query.prepare(sql))
        return StoreResult<std::vector<QSqlRecord>>::failure(engineText(query.lastError()));
    for (const QVariant& value : binds)
        query.addBindValue(value);
    if (!query.exec())
        return StoreResult<std::vector<QSqlRecord>>::failure(engineText(query.lastError()));
    std::vector<QSqlRecord> records;
    while (query.next())
        records.push_back(query.record());
    if (query.lastError().isValid())
        return StoreResult<std::vector<QSqlRecord>>::failure(engineText(query.lastError()));
    return StoreResult<std::vector<QSqlRecord>>::success(std::move(records));
}

StoreResult<int> SqlTable::count(const QString& tail, const QVariantList& binds) const {
    QSqlQuery query(m_database.connection());
    if (!query.prepare(QStringLiteral("SELECT count(*) FROM %1 %2").arg(quotedName(), tail)))
        return StoreResult<int>::failure(engineText(query.lastError()));
    for (const QVariant& value : binds)
        query.addBindValue(value);
    if (!query.exec() || !query.next())
        return StoreResult<int>::failure(engineText(query.lastError()));
    return StoreResult<int>::success(query.value(0).toInt());
}

StoreResult<qint64> SqlTable::insert(const ColumnValues& values) const {
    QStringList names;
    QStringList marks;
    for (const auto& [name, value] : values) {
        names << Schema::quoted(name);
        marks << QStringLiteral("?");
    }
    QSqlQuery query(m_database.connection());
    const QString sql = values.empty() ? QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(quotedName())
                                       : QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                             .arg(quotedName(), names.join(QStringLiteral(", ")),
                                                  marks.join(QStringLiteral(", ")));
    if (!query.prepare(sql))
        return StoreResult<qint64>::failure(engineText(query.lastError()));
    for (const auto& [name, value] : values)
        query.addBindValue(value);
    if (!query.exec())
        return StoreResult<qint64>::failure(engineText(query.lastError()));
    return StoreResult<qint64>::success(query.lastInsertId().toLongLong());
}

StoreError SqlTable::update(qint64 rowid, const ColumnValues& values) const {
    QStringList assignments;
    QVariantList binds;
    for (const auto& [name, value] : values) {
        assignments << Schema::quoted(name) + QStringLiteral(" = ?");
        binds << value;
    }
    binds << rowid;
    return execute(QStringLiteral("UPDATE %1 SET %2 WHERE rowid = ?")
                       .arg(quotedName(), assignments.join(QStringLiteral(", "))),
                   binds);
}

StoreError SqlTable::remove(qint64 rowid) const {
    return execute(QStringLiteral("DELETE FROM %1 WHERE rowid = ?").arg(quotedName()), {rowid});
}

StoreError SqlTable::execute(const QString& sql, const QVariantList& binds) const {
    QSqlQuery query(m_database.connection());
    if (!query.prepare(sql))
        return engineText(query.lastError());
    for (const QVariant& value : binds)
        query.addBindValue(value);
    if (!query.exec())
        return engineText(query.lastError());
    return std::nullopt;
}

namespace sqlvalue {

QVariant date(const QDate& date) {
    return date.isValid() ? QVariant(date.toString(Qt::ISODate)) : QVariant(QMetaType::fromType<QString>());
}

QVariant date(const std::optional<QDate>& value) {
    return value ? date(*value) : date(QDate());
}

QVariant time(const QTime& time) {
    return time.isValid() ? QVariant(time.toString(kTimeFormat)) : QVariant(QMetaType::fromType<QString>());
}

QVariant time(const std::optional<QTime>& value) {
    return value ? time(*value) : time(QTime());
}

QVariant flag(bool value) {
    return value ? 1 : 0;
}

QVariant text(const std::optional<QString>& text) {
    return text ? QVariant(*text) : QVariant(QMetaType::fromType<QString>());
}

QVariant number(const std::optional<double>& value) {
    return value ? QVariant(*value) : QVariant(QMetaType::fromType<double>());
}

QVariant integer(const std::optional<int>& value) {
    return value ? QVariant(*value) : QVariant(QMetaType::fromType<int>());
}

std::optional<QDate> toDate(const QVariant& value) {
    if (value.isNull())
        return std::nullopt;
    const QDate date = QDate::fromString(value.toString(), Qt::ISODate);
    return date.isValid() ? std::optional<QDate>(date) : std::nullopt;
}

std::optional<QTime> toTime(const QVariant& value) {
    if (value.isNull())
        return std::nullopt;
    const QTime time = QTime::fromString(value.toString(), Qt::ISODate);
    return time.isValid() ? std::optional<QTime>(time) : std::nullopt;
}

std::optional<QString> toOptionalText(const QVariant& value) {
    return value.isNull() ? std::nullopt : std::optional<QString>(value.toString());
}

std::optional<double> toOptionalNumber(const QVariant& value) {
    return value.isNull() ? std::nullopt : std::optional<double>(value.toDouble());
}

std::optional<int> toOptionalInteger(const QVariant& value) {
    return value.isNull() ? std::nullopt : std::optional<int>(value.toInt());
}

QString toText(const QVariant& value) {
    return value.isNull() ? QString() : value.toString();
}
double toNumber(const QVariant& value) {
    return value.isNull() ? 0.0 : value.toDouble();
}
int toInteger(const QVariant& value) {
    return value.isNull() ? 0 : value.toInt();
}
bool toFlag(const QVariant& value) {
    return !value.isNull() && value.toLongLong() != 0;
}
qint64 rowid(const QSqlRecord& record) {
    return record.value(QStringLiteral("rowid")).toLongLong();
}

} // namespace sqlvalue

} // namespace kelvara::store
