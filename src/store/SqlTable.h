#pragma once

#include "base/Result.h"
#include "store/Database.h"

#include <QDate>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QString>
#include <QTime>
#include <QVariant>
#include <QVariantList>
#include <optional>
#include <type_traits>
#include <utility>
#include <vector>

namespace kelvara::store {

// Column name and the value to store in it.
using ColumnValues = std::vector<std::pair<QString, QVariant>>;

// Runs the statements the typed stores share on one table; every value travels as a bound parameter.
class SqlTable {
public:
    SqlTable(const Database& database, QString table);

    // Rows as records, each with the row's rowid as field "rowid" in front of the table's columns.
    // `tail` is the WHERE/ORDER BY part, with '?' for each of `binds`.
    [[nodiscard]] base::Result<std::vector<QSqlRecord>> select(const QString& tail,
                                                               const QVariantList& binds = {}) const;

    // `read` turns a record of select() into the store's row value.
    template <typename Read>
    [[nodiscard]] auto selectRows(const QString& tail, const QVariantList& binds, Read read) const
        -> base::Result<std::vector<std::invoke_result_t<Read, const QSqlRecord&>>> {
        using Rows = std::vector<std::invoke_result_t<Read, const QSqlRecord&>>;
        auto records = select(tail, binds);
        if (!records)
            return records.failure();
        Rows rows;
        rows.reserve(records->size());
        for (const QSqlRecord& record : *records)
            rows.push_back(read(record));
        return rows;
    }

    // The first row of selectRows(), or nullopt when there is none.
    template <typename Read>
    [[nodiscard]] auto selectFirst(const QString& tail, const QVariantList& binds, Read read) const
        -> base::Result<std::optional<std::invoke_result_t<Read, const QSqlRecord&>>> {
        auto records = select(tail + QStringLiteral(" LIMIT 1"), binds);
        if (!records)
            return records.failure();
        if (records->empty())
            return std::nullopt;
        return read(records->front());
    }

    // The first row of selectRows(); a table without one fails with `noRowText` (the tables that hold one
    // row for the whole site).
    template <typename Read>
    [[nodiscard]] auto selectSiteRow(const QString& tail, Read read, const QString& noRowText) const
        -> base::Result<std::invoke_result_t<Read, const QSqlRecord&>> {
        auto row = selectFirst(tail, {}, read);
        if (!row)
            return row.failure();
        if (!row->has_value())
            return base::fail(noRowText);
        return std::move(**row);
    }

    [[nodiscard]] base::Result<int> count(const QString& tail = {}, const QVariantList& binds = {}) const;
    // The new row's rowid.
    [[nodiscard]] base::Result<qint64> insert(const ColumnValues& values) const;
    [[nodiscard]] base::Result<void> update(qint64 rowid, const ColumnValues& values) const;
    [[nodiscard]] base::Result<void> remove(qint64 rowid) const;
    // Adds the row only when the table has none (the tables that hold one row for the whole site).
    [[nodiscard]] base::Result<void> insertIfEmpty(const ColumnValues& values) const;
    // A statement of the store's own; `sql` names the table itself.
    [[nodiscard]] base::Result<void> execute(const QString& sql, const QVariantList& binds = {}) const;
    // execute() that gives the number of rows the statement changed.
    [[nodiscard]] base::Result<int> changes(const QString& sql, const QVariantList& binds = {}) const;

    [[nodiscard]] QString quotedName() const;

private:
    const Database& m_database;
    QString m_table;
};

// Conversions between the stored forms (ISO date text, HH:MM:SS time text, 0/1 flags) and values.
namespace sqlvalue {

QVariant date(const QDate& date);
QVariant date(const std::optional<QDate>& date);
QVariant time(const QTime& time);
QVariant time(const std::optional<QTime>& time);
QVariant flag(bool value);
QVariant text(const std::optional<QString>& text);
QVariant number(const std::optional<double>& value);
QVariant integer(const std::optional<int>& value);

std::optional<QDate> toDate(const QVariant& value);
std::optional<QTime> toTime(const QVariant& value);
std::optional<QString> toOptionalText(const QVariant& value);
std::optional<double> toOptionalNumber(const QVariant& value);
std::optional<int> toOptionalInteger(const QVariant& value);
// Null reads as the empty text, 0 or false.
QString toText(const QVariant& value);
double toNumber(const QVariant& value);
int toInteger(const QVariant& value);
bool toFlag(const QVariant& value);
qint64 rowid(const QSqlRecord& record);

} // namespace sqlvalue

} // namespace kelvara::store
