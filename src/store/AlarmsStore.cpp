#include "store/AlarmsStore.h"

namespace kelvara::store {

using namespace sqlvalue;

namespace {

const QString kOrder = QStringLiteral("ORDER BY \"Date\", \"Time\", \"Room\", rowid");

AlarmsRow fromRecord(const QSqlRecord& r) {
    AlarmsRow row;
    row.id = rowid(r);
    row.Room = toInteger(r.value(QStringLiteral("Room")));
    row.Date = toDate(r.value(QStringLiteral("Date"))).value_or(QDate());
    row.Time = toTime(r.value(QStringLiteral("Time"))).value_or(QTime());
    row.Temp = toText(r.value(QStringLiteral("Temp")));
    row.AlarmTemp = toInteger(r.value(QStringLiteral("AlarmTemp")));
    row.AlarmType = toText(r.value(QStringLiteral("AlarmType")));
    row.TempType = toText(r.value(QStringLiteral("TempType")));
    return row;
}

ColumnValues columns(const AlarmsRow& row) {
    return {{QStringLiteral("Room"), row.Room},           {QStringLiteral("Date"), date(row.Date)},
            {QStringLiteral("Time"), time(row.Time)},     {QStringLiteral("Temp"), row.Temp},
            {QStringLiteral("AlarmTemp"), row.AlarmTemp}, {QStringLiteral("AlarmType"), row.AlarmType},
            {QStringLiteral("TempType"), row.TempType}};
}

} // namespace

AlarmsStore::AlarmsStore(const Database& database) : m_table(database, QStringLiteral("Alarms")) {}

base::Result<std::vector<AlarmsRow>> AlarmsStore::loadAll() const {
    return m_table.selectRows(kOrder, {}, fromRecord);
}

base::Result<std::vector<AlarmsRow>> AlarmsStore::loadBetween(const QDate& from, const QDate& to) const {
    return m_table.selectRows(QStringLiteral("WHERE \"Date\" >= ? AND \"Date\" <= ? ") + kOrder,
                              {date(from), date(to)}, fromRecord);
}

base::Result<std::vector<AlarmsRow>> AlarmsStore::loadWhere(const QString& condition,
                                                            const QVariantList& binds) const {
    return m_table.selectRows(QStringLiteral("WHERE (%1) ").arg(condition) + kOrder, binds, fromRecord);
}

base::Result<qint64> AlarmsStore::insert(const AlarmsRow& row) const {
    return m_table.insert(columns(row));
}

base::Result<void> AlarmsStore::update(const AlarmsRow& row) const {
    return m_table.update(row.id, columns(row));
}

base::Result<void> AlarmsStore::remove(qint64 id) const {
    return m_table.remove(id);
}

} // namespace kelvara::store
