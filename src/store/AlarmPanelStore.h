#pragma once

#include "base/Result.h"
#include "store/Database.h"
#include "store/SqlTable.h"

#include <QString>
#include <optional>
#include <vector>

namespace kelvara::store {

// One lamp of the alarm panel and the switch that drives it.
struct AlarmPanelRow {
    qint64 id = 0;
    int AlarmLedNo = 0;
    QString ALarmSerialNo;
    int ALarmPanelID = 0;
};

// Reads and writes the alarm-panel lamps (table AlarmPanel), in AlarmLedNo order.
class AlarmPanelStore {
public:
    explicit AlarmPanelStore(const Database& database);

    [[nodiscard]] base::Result<std::vector<AlarmPanelRow>> loadAll() const;
    // The lamp whose switch has this ROM id.
    [[nodiscard]] base::Result<std::optional<AlarmPanelRow>> findBySerialNo(const QString& serialNo) const;

    [[nodiscard]] base::Result<qint64> insert(const AlarmPanelRow& row) const;
    [[nodiscard]] base::Result<void> update(const AlarmPanelRow& row) const;
    [[nodiscard]] base::Result<void> remove(qint64 id) const;

private:
    SqlTable m_table;
};

} // namespace kelvara::store
