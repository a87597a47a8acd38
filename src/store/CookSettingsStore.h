#pragma once

#include "store/Database.h"
#include "store/SqlTable.h"
#include "store/StoreResult.h"

#include <QString>
#include <optional>
#include <vector>

namespace kelvara::store {

// The cook database's site row.
struct CookSettingsRow {
    qint64 id = 0;
    QString BusinessName;
    QString Address;
    QString Town;
    QString Prov;
    QString PostalCode;
    QString WorkPhone;
    QString FaxNumber;
    // Null: no password is set and the login of a cook-only site accepts any entry.
    std::optional<QString> Password;
    // Number of cook sensors installed.
    int houses = 0;
};

// Reads and writes the cook side's Settings table, which holds one row for the whole site.
class CookSettingsStore {
public:
    explicit CookSettingsStore(const Database& database);

    // The site row; nullopt when the table is empty or cannot be read.
    [[nodiscard]] std::optional<CookSettingsRow> load() const;
    [[nodiscard]] StoreResult<std::vector<CookSettingsRow>> loadAll() const;
    // When the table has no row, adds one with a single space in every text column and 0 in every
    // other, so that every reader of Settings finds a row.
    [[nodiscard]] StoreError ensureRow() const;

    [[nodiscard]] StoreResult<qint64> insert(const CookSettingsRow& row) const;
    [[nodiscard]] StoreError update(const CookSettingsRow& row) const;
    [[nodiscard]] StoreError remove(qint64 id) const;

    // Single-column write to the site row: the number of cook sensors the installation saved.
    [[nodiscard]] StoreError saveHouses(int houses) const;

private:
    SqlTable m_table;
};

} // namespace kelvara::store
