#include "store/ProductsStore.h"

namespace kelvara::store {

using namespace sqlvalue;

namespace {

const QString kOrder = QStringLiteral("ORDER BY \"Description\" COLLATE NOCASE, \"ProductID\"");

ProductsRow fromRecord(const QSqlRecord& r) {
    ProductsRow row;
    row.ProductID = r.value(QStringLiteral("ProductID")).toLongLong();
    row.Description = toText(r.value(QStringLiteral("Description")));
    row.CookHours = toNumber(r.value(QStringLiteral("CookHours")));
    row.CookMins = toNumber(r.value(QStringLiteral("CookMins")));
    row.DesiredTemp = toNumber(r.value(QStringLiteral("DesiredTemp")));
    return row;
}

// ProductID is left out: the database assigns it, and an update never changes it.
ColumnValues columns(const ProductsRow& row) {
    return {{QStringLiteral("Description"), row.Description},
            {QStringLiteral("CookHours"), row.CookHours},
            {QStringLiteral("CookMins"), row.CookMins},
            {QStringLiteral("DesiredTemp"), row.DesiredTemp}};
}

} // namespace

ProductsStore::ProductsStore(const Database& database) : m_table(database, QStringLiteral("Products")) {}

base::Result<std::vector<ProductsRow>> ProductsStore::loadAll() const {
    return m_table.selectRows(kOrder, {}, fromRecord);
}

base::Result<std::optional<ProductsRow>> ProductsStore::findByDescription(const QString& description) const {
    return m_table.selectFirst(QStringLiteral("WHERE \"Description\" = ? COLLATE NOCASE ") + kOrder,
                               {description}, fromRecord);
}

base::Result<qint64> ProductsStore::insert(const ProductsRow& row) const {
    return m_table.insert(columns(row));
}

// ProductID is the table's rowid.
base::Result<void> ProductsStore::update(const ProductsRow& row) const {
    return m_table.update(row.ProductID, columns(row));
}

base::Result<void> ProductsStore::remove(qint64 productId) const {
    return m_table.remove(productId);
}

} // namespace kelvara::store
