#pragma once

#include "base/Result.h"

#include <QString>
#include <array>
#include <optional>
#include <vector>

namespace kelvara::cook {

// The thermocouple conversion table of ThermoTypes.db, read once and kept in memory: each type's EMF at
// each whole degree, cold junction at 0 °C.
class ThermoTable {
public:
    ThermoTable() = default;

    // Reads the table of the file at path; the file is closed again before this returns.
    [[nodiscard]] static base::Result<ThermoTable> load(const QString& path);

    // The hot junction's temperature in whole °C for an EMF measured against a cold junction at the given
    // temperature. The cold junction's own EMF is interpolated between the neighbouring degrees (its register
    // moves in eighths); the hot junction is the degree whose EMF is the greatest at or below the compensated
    // EMF, which the interface rounds up to. Nothing when the type has no column, or either temperature lies
    // outside the type's table.
    [[nodiscard]] std::optional<int> celsius(const QString& sensorType, double emfMicrovolts,
                                             double coldJunctionCelsius) const;

    [[nodiscard]] bool isEmpty() const;

    struct Point {
        int celsius;
        double microvolts;
    };
    // Adds a row of one type; rows come in rising temperature (for tests that build a small table).
    void add(char type, int celsius, double microvolts);

private:
    [[nodiscard]] const std::vector<Point>* column(const QString& sensorType) const;

    std::array<std::vector<Point>, 8> m_columns;
};

} // namespace kelvara::cook
