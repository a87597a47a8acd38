// Builds the thermocouple conversion table: every type's reference EMF at each whole degree Celsius.
#pragma once

#include "base/Result.h"

#include <QSqlDatabase>
#include <QString>
#include <optional>

namespace kelvara::store {

// Names the cook conversion looks up. The temperature column's index is named like the column; each
// type's column (its letter, see kThermocoupleTypes) has an index named by that letter.
inline constexpr char kThermoTypesTable[] = "ThermoTypes";
inline constexpr char kThermoTypesTemperature[] = "Temperature";

// Creates the table in an open database, one row per degree from the lowest to the highest temperature
// any type covers, with NULL where a temperature lies outside a type's range, then its indexes; all in
// one transaction. Returns the engine's error text on failure (nothing is left behind then).
[[nodiscard]] base::Result<void> writeThermoTypesTable(QSqlDatabase db);

// Writes a new SQLite file at path holding only that table, readable and writable by the owner alone.
// The file is built beside the target and moved over it when complete, so an existing file is either
// replaced whole or left untouched. Returns the error text on failure.
[[nodiscard]] base::Result<void> createThermoTypesDatabase(const QString& path);

} // namespace kelvara::store
