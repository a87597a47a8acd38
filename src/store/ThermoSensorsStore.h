#pragma once

#include "base/Result.h"
#include "store/Database.h"
#include "store/SqlTable.h"

#include <QString>
#include <optional>
#include <vector>

namespace kelvara::store {

// One installed cook sensor, its lamp, and the cook cycle it runs.
struct ThermoSensorsRow {
    qint64 id = 0;
    int SensorNo = 0;
    QString Name;
    QString SerialNo;
    QString LightSerialNo;
    QString SensorType;
    bool Alarm = false;
    bool Selected = false;
    bool Started = false;
    bool Cookdone = false;
    int Target = 0;
    // The reading text at stop: a number, or "NR" when the sensor had none.
    QString FinishTemp;
    int BatchNo = 0;
    QString BatchID;
    int ProductID = 0;
    QString Description;
    QString StartTime;
    QString EndTime;
    double CookHours = 0.0;
    double CookMins = 0.0;
    int LightNo = 0;
    int LightPanelID = 0;
};

// Reads and writes the cook sensors (table ThermoSensors), in SensorNo order.
class ThermoSensorsStore {
public:
    explicit ThermoSensorsStore(const Database& database);

    [[nodiscard]] base::Result<std::vector<ThermoSensorsRow>> loadAll() const;
    // Sensors not taken by a cook cycle, offered for a new one.
    [[nodiscard]] base::Result<std::vector<ThermoSensorsRow>> loadFree() const;
    // Sensors whose cycle runs; they survive a restart this way.
    [[nodiscard]] base::Result<std::vector<ThermoSensorsRow>> loadStarted() const;
    [[nodiscard]] base::Result<std::optional<ThermoSensorsRow>> findBySensorNo(int sensorNo) const;
    // The sensor with this ROM id.
    [[nodiscard]] base::Result<std::optional<ThermoSensorsRow>> findBySerialNo(const QString& serialNo) const;
    // The sensor whose lamp switch has this ROM id.
    [[nodiscard]] base::Result<std::optional<ThermoSensorsRow>>
    findByLightSerialNo(const QString& serialNo) const;

    [[nodiscard]] base::Result<qint64> insert(const ThermoSensorsRow& row) const;
    [[nodiscard]] base::Result<void> update(const ThermoSensorsRow& row) const;
    [[nodiscard]] base::Result<void> remove(qint64 id) const;

private:
    SqlTable m_table;
};

} // namespace kelvara::store
