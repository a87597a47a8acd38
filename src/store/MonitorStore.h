#pragma once

#include "base/Result.h"
#include "store/Database.h"
#include "store/Schema.h"
#include "store/SqlTable.h"

#include <QDate>
#include <QString>
#include <QTime>
#include <array>
#include <optional>
#include <vector>

namespace kelvara::store {

// The readings of one recording pass.
struct MonitorRow {
    qint64 id = 0;
    QDate RecDate;
    QTime RecTime;
    bool Alarm = false;
    QString TempType;
    // Columns "temp1", "temp2", "Temp3" … "Temp20", by Room − 1. Null for a zone the pass did not record.
    std::array<std::optional<QString>, Schema::kMonitorTempColumns> Temps;

    // The value of a zone by its Room (1 to 20); nullopt outside that range too.
    [[nodiscard]] std::optional<QString> temp(int room) const;
    // Sets the value of a zone by its Room; a Room outside 1 to 20 stores nothing.
    void setTemp(int room, const QString& value);
};

// Reads and appends the recorded readings (table Monitor), in RecDate, RecTime order.
class MonitorStore {
public:
    explicit MonitorStore(const Database& database);

    [[nodiscard]] base::Result<std::vector<MonitorRow>> loadAll() const;
    // Rows whose RecDate lies from `from` to `to`, both included.
    [[nodiscard]] base::Result<std::vector<MonitorRow>> loadBetween(const QDate& from, const QDate& to) const;

    [[nodiscard]] base::Result<qint64> insert(const MonitorRow& row) const;
    [[nodiscard]] base::Result<void> update(const MonitorRow& row) const;
    // Writes one zone's value (by its Room; outside 1 to 20 only the flag) and the row's alarm flag.
    [[nodiscard]] base::Result<void> updateZone(qint64 id, int room, const QString& value, bool alarm) const;
    [[nodiscard]] base::Result<void> remove(qint64 id) const;
    // Deletes every row recorded on or before `last`.
    [[nodiscard]] base::Result<int> removeUpTo(const QDate& last) const;

private:
    SqlTable m_table;
};

} // namespace kelvara::store
