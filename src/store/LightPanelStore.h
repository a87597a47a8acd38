#pragma once

#include "base/Result.h"
#include "store/Database.h"
#include "store/SqlTable.h"

#include <QString>
#include <optional>
#include <vector>

namespace kelvara::store {

// One lamp of the cook cycle panel and the switch that drives it.
struct LightPanelRow {
    qint64 id = 0;
    int LightNo = 0;
    QString LightSerialNo;
    int LightPanelID = 0;
};

// Reads and writes the cook-panel lamps (table LightPanel), in LightNo order.
class LightPanelStore {
public:
    explicit LightPanelStore(const Database& database);

    [[nodiscard]] base::Result<std::vector<LightPanelRow>> loadAll() const;
    // The lamp whose switch has this ROM id.
    [[nodiscard]] base::Result<std::optional<LightPanelRow>> findBySerialNo(const QString& serialNo) const;

    [[nodiscard]] base::Result<qint64> insert(const LightPanelRow& row) const;
    [[nodiscard]] base::Result<void> update(const LightPanelRow& row) const;
    [[nodiscard]] base::Result<void> remove(qint64 id) const;

private:
    SqlTable m_table;
};

} // namespace kelvara::store
