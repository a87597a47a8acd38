#pragma once

#include "base/Result.h"
#include "store/Database.h"
#include "store/SqlTable.h"

#include <QString>
#include <QTime>
#include <optional>
#include <vector>

namespace kelvara::store {

// One zone: its sensor, its last reading, its alarm settings and state, and its alarm-panel lamp.
struct MonitorSetsRow {
    qint64 id = 0;
    int Room = 0;
    QString Name;
    QString SerialNo;
    double Calibration = 0.0;
    bool Record = false;
    QString CurrentTemp;
    std::optional<QTime> TimeRead;
    bool Alarm = false;
    // A Null limit takes part in no comparison.
    std::optional<double> HighAlarm;
    std::optional<double> LowAlarm;
    int AlarmDelay = 0;
    bool Alarmstarted = false;
    std::optional<QTime> AlarmOn;
    bool DisableAlarm = false;
    int Duration = 0;
    QString ALarmSerialNo;
    int AlarmLedNo = 0;
    int ALarmPanelID = 0;
};

// Reads and writes the zones (table MonitorSets), always in Room order.
class MonitorSetsStore {
public:
    explicit MonitorSetsStore(const Database& database);

    [[nodiscard]] base::Result<std::vector<MonitorSetsRow>> loadAll() const;
    // Number of zone rows.
    [[nodiscard]] base::Result<int> count() const;
    [[nodiscard]] base::Result<std::optional<MonitorSetsRow>> findByRoom(int room) const;
    // The zone whose sensor has this ROM id.
    [[nodiscard]] base::Result<std::optional<MonitorSetsRow>> findBySerialNo(const QString& serialNo) const;
    // The zone whose alarm-panel lamp switch has this ROM id.
    [[nodiscard]] base::Result<std::optional<MonitorSetsRow>>
    findByAlarmSerialNo(const QString& serialNo) const;

    [[nodiscard]] base::Result<qint64> insert(const MonitorSetsRow& row) const;
    [[nodiscard]] base::Result<void> update(const MonitorSetsRow& row) const;
    // Stores only the reading and the alarm state (CurrentTemp, TimeRead, Alarmstarted, AlarmOn,
    // DisableAlarm, Duration): the columns a reading pass changes. Settings edited meanwhile stay.
    [[nodiscard]] base::Result<void> updateReading(const MonitorSetsRow& row) const;
    [[nodiscard]] base::Result<void> remove(qint64 id) const;

private:
    SqlTable m_table;
};

} // namespace kelvara::store
