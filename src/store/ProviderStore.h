#pragma once

#include "base/Result.h"
#include "store/Database.h"
#include "store/SqlTable.h"

#include <QString>
#include <optional>
#include <vector>

namespace kelvara::store {

// One SMS/pager access provider and the line settings its message centre needs.
struct ProviderRow {
    qint64 id = 0;
    QString Provider;
    QString AccessNo;
    QString Device;
    QString Speed;
    QString DataBits;
    QString Parity;
    QString StopBits;
    QString Password;
    QString Protocol;
};

// Reads and writes the access providers (table Provider), in order of their names.
class ProviderStore {
public:
    explicit ProviderStore(const Database& database);

    [[nodiscard]] base::Result<std::vector<ProviderRow>> loadAll() const;
    // The first provider of this name, letter case ignored.
    [[nodiscard]] base::Result<std::optional<ProviderRow>> findByName(const QString& provider) const;

    [[nodiscard]] base::Result<qint64> insert(const ProviderRow& row) const;
    [[nodiscard]] base::Result<void> update(const ProviderRow& row) const;
    [[nodiscard]] base::Result<void> remove(qint64 id) const;

private:
    SqlTable m_table;
};

} // namespace kelvara::store
