#include "store/MonitorStore.h"

namespace kelvara::store {

using namespace sqlvalue;

namespace {

const QString kOrder = QStringLiteral("ORDER BY \"RecDate\", \"RecTime\", rowid");

MonitorRow fromRecord(const QSqlRecord& r) {
    MonitorRow row;
    row.id = rowid(r);
    row.RecDate = toDate(r.value(QStringLiteral("RecDate"))).value_or(QDate());
    row.RecTime = toTime(r.value(QStringLiteral("RecTime"))).value_or(QTime());
    row.Alarm = toFlag(r.value(QStringLiteral("Alarm")));
    row.TempType = toText(r.value(QStringLiteral("TempType")));
    for (int room = 1; room <= Schema::kMonitorTempColumns; ++room)
        row.Temps[static_cast<std::size_t>(room - 1)] =
            toOptionalText(r.value(Schema::monitorTempColumn(room)));
    return row;
}

ColumnValues columns(const MonitorRow& row) {
    ColumnValues values{{QStringLiteral("RecDate"), date(row.RecDate)},
                        {QStringLiteral("RecTime"), time(row.RecTime)},
                        {QStringLiteral("Alarm"), flag(row.Alarm)},
                        {QStringLiteral("TempType"), row.TempType}};
    for (int room = 1; room <= Schema::kMonitorTempColumns; ++room)
        values.emplace_back(Schema::monitorTempColumn(room),
                            text(row.Temps[static_cast<std::size_t>(room - 1)]));
    return values;
}

} // namespace

std::optional<QString> MonitorRow::temp(int room) const {
    if (room < 1 || room > Schema::kMonitorTempColumns)
        return std::nullopt;
    return Temps[static_cast<std::size_t>(room - 1)];
}

void MonitorRow::setTemp(int room, const QString& value) {
    if (room >= 1 && room <= Schema::kMonitorTempColumns)
        Temps[static_cast<std::size_t>(room - 1)] = value;
}

MonitorStore::MonitorStore(const Database& database) : m_table(database, QStringLiteral("Monitor")) {}

base::Result<std::vector<MonitorRow>> MonitorStore::loadAll() const {
    return m_table.selectRows(kOrder, {}, fromRecord);
}

base::Result<std::vector<MonitorRow>> MonitorStore::loadBetween(const QDate& from, const QDate& to) const {
    return m_table.selectRows(QStringLiteral("WHERE \"RecDate\" >= ? AND \"RecDate\" <= ? ") + kOrder,
                              {date(from), date(to)}, fromRecord);
}

base::Result<qint64> MonitorStore::insert(const MonitorRow& row) const {
    return m_table.insert(columns(row));
}

base::Result<void> MonitorStore::update(const MonitorRow& row) const {
    return m_table.update(row.id, columns(row));
}

base::Result<void> MonitorStore::remove(qint64 id) const {
    return m_table.remove(id);
}

base::Result<int> MonitorStore::removeUpTo(const QDate& last) const {
    return m_table.changes(QStringLiteral("DELETE FROM %1 WHERE \"RecDate\" <= ?").arg(m_table.quotedName()),
                           {date(last)});
}

base::Result<void> MonitorStore::updateZone(qint64 id, int room, const QString& value, bool alarm) const {
    ColumnValues values{{QStringLiteral("Alarm"), sqlvalue::flag(alarm)}};
    if (room >= 1 && room <= Schema::kMonitorTempColumns)
        values.emplace_back(Schema::monitorTempColumn(room), value);
    return m_table.update(id, values);
}

} // namespace kelvara::store
