#pragma once

#include "base/Result.h"
#include "store/CompanyInfo.h"
#include "store/Database.h"
#include "store/SqlTable.h"

#include <QString>
#include <optional>
#include <vector>

namespace kelvara::store {

// The cook database's site row.
struct CookSettingsRow {
    qint64 id = 0;
    CompanyInfo company;
    // Null: no password is set and the login of a cook-only site accepts any entry.
    std::optional<QString> Password;
    // Number of cook sensors installed.
    int houses = 0;
};

// Reads and writes the cook side's Settings table, which holds one row for the whole site.
class CookSettingsStore {
public:
    explicit CookSettingsStore(const Database& database);

    // The site row; a table without one fails with kNoRowText.
    [[nodiscard]] base::Result<CookSettingsRow> load() const;
    [[nodiscard]] base::Result<std::vector<CookSettingsRow>> loadAll() const;
    // When the table has no row, adds one with a single space in every text column and 0 in every
    // other, so that every reader of Settings finds a row.
    [[nodiscard]] base::Result<void> ensureRow() const;

    [[nodiscard]] base::Result<qint64> insert(const CookSettingsRow& row) const;
    [[nodiscard]] base::Result<void> update(const CookSettingsRow& row) const;
    [[nodiscard]] base::Result<void> remove(qint64 id) const;

    // Single-column write to the site row: the number of cook sensors the installation saved.
    [[nodiscard]] base::Result<void> saveHouses(int houses) const;

    static inline const QString kNoRowText = QStringLiteral("The Settings table has no row.");

private:
    SqlTable m_table;
};

} // namespace kelvara::store
