#include "store/SqlTable.h"

#include "store/EngineText.h"
#include "store/Schema.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>

namespace kelvara::store {

SqlTable::SqlTable(const Database& database, QString table)
    : m_database(database), m_table(std::move(table)) {}

QString SqlTable::quotedName() const {
    return Schema::quoted(m_table);
}

base::Result<std::vector<QSqlRecord>> SqlTable::select(const QString& tail, const QVariantList& binds) const {
    const QString sql = QStringLiteral("SELECT rowid AS \"rowid\", * FROM %1 %2").arg(quotedName(), tail);
    auto query = m_database.run(sql, binds);
    if (!query)
        return query.failure();
    QSqlQuery& q = *query.value();
    std::vector<QSqlRecord> records;
    while (q.next())
        records.push_back(q.record());
    const QSqlError error = q.lastError();
    q.finish();
    if (error.isValid())
        return base::fail(engineText(error));
    return records;
}

base::Result<int> SqlTable::count(const QString& tail, const QVariantList& binds) const {
    auto query = m_database.run(QStringLiteral("SELECT count(*) FROM %1 %2").arg(quotedName(), tail), binds);
    if (!query)
        return query.failure();
    QSqlQuery& q = *query.value();
    if (!q.next()) {
        const QString error = engineText(q.lastError());
        q.finish();
        return base::fail(error);
    }
    const int n = q.value(0).toInt();
    q.finish();
    return n;
}

base::Result<qint64> SqlTable::insert(const ColumnValues& values) const {
    QStringList names;
    QStringList marks;
    for (const auto& [name, value] : values) {
        names << Schema::quoted(name);
        marks << QStringLiteral("?");
    }
    QVariantList binds;
    for (const auto& [name, value] : values)
        binds << value;
    const QString sql = values.empty() ? QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(quotedName())
                                       : QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                             .arg(quotedName(), names.join(QStringLiteral(", ")),
                                                  marks.join(QStringLiteral(", ")));
    auto query = m_database.run(sql, binds);
    if (!query)
        return query.failure();
    const qint64 id = query.value()->lastInsertId().toLongLong();
    query.value()->finish();
    return id;
}

base::Result<void> SqlTable::update(qint64 rowid, const ColumnValues& values) const {
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

base::Result<void> SqlTable::remove(qint64 rowid) const {
    return execute(QStringLiteral("DELETE FROM %1 WHERE rowid = ?").arg(quotedName()), {rowid});
}

base::Result<void> SqlTable::insertIfEmpty(const ColumnValues& values) const {
    const base::Result<int> rows = count();
    if (!rows)
        return rows.failure();
    if (*rows > 0)
        return {};
    const base::Result<qint64> added = insert(values);
    if (!added)
        return added.failure();
    return {};
}

base::Result<void> SqlTable::execute(const QString& sql, const QVariantList& binds) const {
    return m_database.execute(sql, binds);
}

base::Result<int> SqlTable::changes(const QString& sql, const QVariantList& binds) const {
    return m_database.changes(sql, binds);
}

namespace sqlvalue {

QVariant date(const QDate& date) {
    return date.isValid() ? QVariant(date.toString(Qt::ISODate)) : QVariant(QMetaType::fromType<QString>());
}

QVariant date(const std::optional<QDate>& value) {
    return value ? date(*value) : date(QDate());
}

QVariant time(const QTime& time) {
    // The ISO form is HH:mm:ss, and spares the parse of a format pattern on every stored time.
    return time.isValid() ? QVariant(time.toString(Qt::ISODate)) : QVariant(QMetaType::fromType<QString>());
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
