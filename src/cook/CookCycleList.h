#pragma once

#include "cook/ThermoRow.h"

#include <QAbstractTableModel>
#include <QString>
#include <QStringList>
#include <array>
#include <vector>

namespace kelvara::store {
struct ThermoSensorsRow;
}

namespace kelvara::cook {

// The running cook cycles in SensorNo order, with the hand-off of the latest reading pass to the cook panel's
// lamps and the cook-done sound. The cook grid shows it: done, sensor, product, target, current reading.
class CookCycleList final : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit CookCycleList(QObject* parent = nullptr);

    enum Column { ColCookDone, ColSensorNo, ColProduct, ColTarget, ColCurrent, ColumnCount };

    [[nodiscard]] int rowCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] int columnCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex& index, int role) const override;
    [[nodiscard]] QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    [[nodiscard]] const std::vector<ThermoRow>& rows() const { return m_rows; }
    [[nodiscard]] int size() const { return static_cast<int>(m_rows.size()); }
    [[nodiscard]] const ThermoRow& row(int i) const { return m_rows.at(static_cast<std::size_t>(i)); }
    // Replaces a row's values and tells the views.
    void setRow(int i, const ThermoRow& row);
    // Position of the cycle on this sensor, or -1.
    [[nodiscard]] int indexOfSensor(int sensorNo) const;

    // A running cycle as its sensor row stores it; the reading starts as "NR".
    [[nodiscard]] static ThermoRow fromSensor(const store::ThermoSensorsRow& sensor);
    // Every started sensor, in SensorNo order; the hand-off of sensors no longer running is cleared.
    void replaceAll(std::vector<ThermoRow> rows);
    void append(const ThermoRow& row);
    void removeAt(int i);

    // The cycle the cook panel shows (-1: none). Passes leave it alone, so the user's choice holds.
    [[nodiscard]] int current() const { return m_current; }
    void setCurrent(int i);

    // Hand-off, by SensorNo 1..kMaxSensor.
    static constexpr int kMaxSensor = 10;
    [[nodiscard]] static bool validSensorNo(int sensorNo) { return sensorNo >= 1 && sensorNo <= kMaxSensor; }
    std::array<bool, kMaxSensor + 1> ThermoDone{};
    std::array<bool, kMaxSensor + 1> ThermoSound{};
    // The lamp switch to light: the lamp's ROM id while its cycle is done, else empty.
    std::array<QString, kMaxSensor + 1> LightSerial;
    // Some done cycle asks for the cook-done sound.
    bool CookDone = false;
    // Lamps of stopped cycles, put out by the next lamp update (never in the middle of a pass's exchange).
    QStringList LampsToPutOut;

    // Clears a sensor's hand-off (its cycle stopped) and recomputes CookDone from the rest.
    void clearHandOff(int sensorNo);
    void recomputeCookDone();

Q_SIGNALS:
    void currentChanged(int current);

private:
    std::vector<ThermoRow> m_rows;
    int m_current = -1;
};

} // namespace kelvara::cook
