#include "store/AlarmPanelStore.h"

namespace kelvara::store {

using namespace sqlvalue;

namespace {

const QString kOrder = QStringLiteral("ORDER BY \"AlarmLedNo\", rowid");

AlarmPanelRow fromRecord(const QSqlRecord& r) {
    AlarmPanelRow row;
    row.id = rowid(r);
    row.AlarmLedNo = toInteger(r.value(QStringLiteral("AlarmLedNo")));
    row.ALarmSerialNo = toText(r.value(QStringLiteral("ALarmSerialNo")));
    row.ALarmPanelID = toInteger(r.value(QStringLiteral("ALarmPanelID")));
    return row;
}

ColumnValues columns(const AlarmPanelRow& row) {
    return {{QStringLiteral("AlarmLedNo"), row.AlarmLedNo},
            {QStringLiteral("ALarmSerialNo"), row.ALarmSerialNo},
            {QStringLiteral("ALarmPanelID"), row.ALarmPanelID}};
}

} // namespace

AlarmPanelStore::AlarmPanelStore(const Database& database)
    : m_table(database, QStringLiteral("AlarmPanel")) {}

base::Result<std::vector<AlarmPanelRow>> AlarmPanelStore::loadAll() const {
    return m_table.selectRows(kOrder, {}, fromRecord);
}

base::Result<std::optional<AlarmPanelRow>> AlarmPanelStore::findBySerialNo(const QString& serialNo) const {
    return m_table.selectFirst(QStringLiteral("WHERE \"ALarmSerialNo\" = ? COLLATE NOCASE ") + kOrder,
                               {serialNo}, fromRecord);
}

base::Result<qint64> AlarmPanelStore::insert(const AlarmPanelRow& row) const {
    return m_table.insert(columns(row));
}

base::Result<void> AlarmPanelStore::update(const AlarmPanelRow& row) const {
    return m_table.update(row.id, columns(row));
}

base::Result<void> AlarmPanelStore::remove(qint64 id) const {
    return m_table.remove(id);
}

} // namespace kelvara::store
