#include "store/ProviderStore.h"

namespace kelvara::store {

using namespace sqlvalue;

namespace {

// Names sort and match without regard to letter case, as users expect of a list of names.
const QString kOrder = QStringLiteral("ORDER BY \"Provider\" COLLATE NOCASE, rowid");

ProviderRow fromRecord(const QSqlRecord& r) {
    ProviderRow row;
    row.id = rowid(r);
    row.Provider = toText(r.value(QStringLiteral("Provider")));
    row.AccessNo = toText(r.value(QStringLiteral("AccessNo")));
    row.Device = toText(r.value(QStringLiteral("Device")));
    row.Speed = toText(r.value(QStringLiteral("Speed")));
    row.DataBits = toText(r.value(QStringLiteral("DataBits")));
    row.Parity = toText(r.value(QStringLiteral("Parity")));
    row.StopBits = toText(r.value(QStringLiteral("StopBits")));
    row.Password = toText(r.value(QStringLiteral("Password")));
    row.Protocol = toText(r.value(QStringLiteral("Protocol")));
    return row;
}

ColumnValues columns(const ProviderRow& row) {
    return {{QStringLiteral("Provider"), row.Provider}, {QStringLiteral("AccessNo"), row.AccessNo},
            {QStringLiteral("Device"), row.Device},     {QStringLiteral("Speed"), row.Speed},
            {QStringLiteral("DataBits"), row.DataBits}, {QStringLiteral("Parity"), row.Parity},
            {QStringLiteral("StopBits"), row.StopBits}, {QStringLiteral("Password"), row.Password},
            {QStringLiteral("Protocol"), row.Protocol}};
}

} // namespace

ProviderStore::ProviderStore(const Database& database) : m_table(database, QStringLiteral("Provider")) {}

base::Result<std::vector<ProviderRow>> ProviderStore::loadAll() const {
    return m_table.selectRows(kOrder, {}, fromRecord);
}

base::Result<std::optional<ProviderRow>> ProviderStore::findByName(const QString& provider) const {
    return m_table.selectFirst(QStringLiteral("WHERE \"Provider\" = ? COLLATE NOCASE ") + kOrder, {provider},
                               fromRecord);
}

base::Result<qint64> ProviderStore::insert(const ProviderRow& row) const {
    return m_table.insert(columns(row));
}

base::Result<void> ProviderStore::update(const ProviderRow& row) const {
    return m_table.update(row.id, columns(row));
}

base::Result<void> ProviderStore::remove(qint64 id) const {
    return m_table.remove(id);
}

} // namespace kelvara::store
