#include "store/LightPanelStore.h"

namespace kelvara::store {

using namespace sqlvalue;

namespace {

const QString kOrder = QStringLiteral("ORDER BY \"LightNo\", rowid");

LightPanelRow fromRecord(const QSqlRecord& r) {
    LightPanelRow row;
    row.id = rowid(r);
    row.LightNo = toInteger(r.value(QStringLiteral("LightNo")));
    row.LightSerialNo = toText(r.value(QStringLiteral("LightSerialNo")));
    row.LightPanelID = toInteger(r.value(QStringLiteral("LightPanelID")));
    return row;
}

ColumnValues columns(const LightPanelRow& row) {
    return {{QStringLiteral("LightNo"), row.LightNo},
            {QStringLiteral("LightSerialNo"), row.LightSerialNo},
            {QStringLiteral("LightPanelID"), row.LightPanelID}};
}

} // namespace

LightPanelStore::LightPanelStore(const Database& database)
    : m_table(database, QStringLiteral("LightPanel")) {}

base::Result<std::vector<LightPanelRow>> LightPanelStore::loadAll() const {
    return m_table.selectRows(kOrder, {}, fromRecord);
}

base::Result<std::optional<LightPanelRow>> LightPanelStore::findBySerialNo(const QString& serialNo) const {
    return m_table.selectFirst(QStringLiteral("WHERE \"LightSerialNo\" = ? COLLATE NOCASE ") + kOrder,
                               {serialNo}, fromRecord);
}

base::Result<qint64> LightPanelStore::insert(const LightPanelRow& row) const {
    return m_table.insert(columns(row));
}

base::Result<void> LightPanelStore::update(const LightPanelRow& row) const {
    return m_table.update(row.id, columns(row));
}

base::Result<void> LightPanelStore::remove(qint64 id) const {
    return m_table.remove(id);
}

} // namespace kelvara::store
