#pragma once

#include "base/Result.h"
#include "store/Database.h"
#include "store/SqlTable.h"

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

    [[nodiscard]] base::Result<std::vector<ProductsRow>> loadAll() const;
    // The product of this name, letter case ignored (so a name differing only in case is a duplicate).
    [[nodiscard]] base::Result<std::optional<ProductsRow>>
    findByDescription(const QString& description) const;

    // The new ProductID.
    [[nodiscard]] base::Result<qint64> insert(const ProductsRow& row) const;
    [[nodiscard]] base::Result<void> update(const ProductsRow& row) const;
    [[nodiscard]] base::Result<void> remove(qint64 productId) const;

private:
    SqlTable m_table;
};

} // namespace kelvara::store
