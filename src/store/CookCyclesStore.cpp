#include "store/CookCyclesStore.h"

namespace kelvara::store {

using namespace sqlvalue;

namespace {

// The stored time is display text that does not sort; rowid keeps the order of recording.
const QString kOrder = QStringLiteral("ORDER BY \"BatchNo\", rowid");

CookCyclesRow fromRecord(const QSqlRecord& r) {
    CookCyclesRow row;
    row.id = rowid(r);
    row.BatchNo = toInteger(r.value(QStringLiteral("BatchNo")));
    row.Date = toDate(r.value(QStringLiteral("Date"))).value_or(QDate());
    row.Time = toText(r.value(QStringLiteral("Time")));
    row.Temperature = toText(r.value(QStringLiteral("Temperature")));
    row.DayTime = toText(r.value(QStringLiteral("DayTime")));
    return row;
}

ColumnValues columns(const CookCyclesRow& row) {
    return {{QStringLiteral("BatchNo"), row.BatchNo},
            {QStringLiteral("Date"), date(row.Date)},
            {QStringLiteral("Time"), row.Time},
            {QStringLiteral("Temperature"), row.Temperature},
            {QStringLiteral("DayTime"), row.DayTime}};
}

} // namespace

CookCyclesStore::CookCyclesStore(const Database& database)
    : m_table(database, QStringLiteral("CookCycles")) {}

base::Result<std::vector<CookCyclesRow>> CookCyclesStore::loadAll() const {
    return m_table.selectRows(kOrder, {}, fromRecord);
}

base::Result<std::vector<CookCyclesRow>> CookCyclesStore::loadByBatchNo(int batchNo) const {
    return m_table.selectRows(QStringLiteral("WHERE \"BatchNo\" = ? ") + kOrder, {batchNo}, fromRecord);
}

base::Result<std::vector<CookCyclesRow>> CookCyclesStore::loadBetween(const QDate& from,
                                                                      const QDate& to) const {
    return m_table.selectRows(QStringLiteral("WHERE \"Date\" >= ? AND \"Date\" <= ? ") + kOrder,
                              {date(from), date(to)}, fromRecord);
}

base::Result<std::vector<CookCyclesRow>> CookCyclesStore::loadWhere(const QString& condition,
                                                                    const QVariantList& binds) const {
    return m_table.selectRows(QStringLiteral("WHERE (%1) ").arg(condition) + kOrder, binds, fromRecord);
}

base::Result<qint64> CookCyclesStore::insert(const CookCyclesRow& row) const {
    return m_table.insert(columns(row));
}

base::Result<void> CookCyclesStore::update(const CookCyclesRow& row) const {
    return m_table.update(row.id, columns(row));
}

base::Result<void> CookCyclesStore::remove(qint64 id) const {
    return m_table.remove(id);
}

} // namespace kelvara::store
