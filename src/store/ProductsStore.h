#pragma once

#include "store/Database.h"
#include "store/SqlTable.h"
#include "store/StoreResult.h"

#include <QString>
#include <optional>
#include <vector>

namespace kelvara::store {

// One product of the catalogue with the cook time and temperature a cycle copies from it.
struct ProductsRow {
    // Assigned by the database on insert and never reused, since sensors and batches keep it.
    qint64 ProductID = 0;
    QString Description;
    double CookHours = 0.0;
    double CookMins = 0.0;
    double DesiredTemp = 0.0;
};

// Reads and writes the product catalogue (table Products), in Description order.
class ProductsStore {
public:
    explicit ProductsStore(const Database& database);

    [[nodiscard]] StoreResult<std::vector<ProductsRow>> loadAll() const;
    // The product of this name, letter case ignored (so a name differing only in case is a duplicate).
    [[nodiscard]] StoreResult<std::optional<ProductsRow>> findByDescription(const QString& description) const;

    // The new ProductID.
    [[nodiscard]] StoreResult<qint64> insert(const ProductsRow& row) const;
    [[nodiscard]] StoreError update(const ProductsRow& row) const;
    [[nodiscard]] StoreError remove(qint64 productId) const;

private:
    SqlTable m_table;
};

} // namespace kelvara::store
