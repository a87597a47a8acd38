#include "store/CookSettingsStore.h"

#include "store/CompanyColumns.h"
#include "store/Schema.h"

#include <algorithm>

namespace kelvara::store {

using namespace sqlvalue;

namespace {

const QString kTableName = QStringLiteral("Settings");
const QString kFirst = QStringLiteral("ORDER BY rowid");

CookSettingsRow fromRecord(const QSqlRecord& r) {
    CookSettingsRow row;
    row.id = rowid(r);
    row.company = CompanyColumns::read(r);
    row.Password = toOptionalText(r.value(QStringLiteral("Password")));
    row.houses = toInteger(r.value(QStringLiteral("houses")));
    return row;
}

ColumnValues columns(const CookSettingsRow& row) {
    ColumnValues values{{QStringLiteral("Password"), text(row.Password)},
                        {QStringLiteral("houses"), row.houses}};
    CompanyColumns::append(values, row.company);
    return values;
}

// The placeholder row is derived from the schema so that a column added later gets its placeholder too.
ColumnValues placeholderRow() {
    const auto& tables = Schema::tables(DatabaseKind::Thermo);
    const auto settings =
        std::find_if(tables.begin(), tables.end(), [](const TableDef& t) { return t.name == kTableName; });
    ColumnValues values;
    if (settings == tables.end())
        return values;
    for (const ColumnDef& column : settings->columns) {
        if (column.type == ColumnType::Text)
            values.emplace_back(column.name, QStringLiteral(" "));
        else if (column.type != ColumnType::AutoKey)
            values.emplace_back(column.name, 0);
    }
    return values;
}

} // namespace

CookSettingsStore::CookSettingsStore(const Database& database) : m_table(database, kTableName) {}

base::Result<CookSettingsRow> CookSettingsStore::load() const {
    return m_table.selectSiteRow(kFirst, fromRecord, kNoRowText);
}

base::Result<std::vector<CookSettingsRow>> CookSettingsStore::loadAll() const {
    return m_table.selectRows(kFirst, {}, fromRecord);
}

base::Result<void> CookSettingsStore::ensureRow() const {
    return m_table.insertIfEmpty(placeholderRow());
}

base::Result<qint64> CookSettingsStore::insert(const CookSettingsRow& row) const {
    return m_table.insert(columns(row));
}

base::Result<void> CookSettingsStore::update(const CookSettingsRow& row) const {
    return m_table.update(row.id, columns(row));
}

base::Result<void> CookSettingsStore::remove(qint64 id) const {
    return m_table.remove(id);
}

base::Result<void> CookSettingsStore::saveHouses(int houses) const {
    const base::Result<CookSettingsRow> row = load();
    if (!row)
        return row.failure();
    return m_table.update(row->id, {{QStringLiteral("houses"), houses}});
}

} // namespace kelvara::store
