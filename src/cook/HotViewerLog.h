#pragma once

#include "cook/ThermoRow.h"

#include <QString>
#include <vector>

namespace kelvara::cook {

// HotViewer.log: a snapshot of the running cycles that other programs read, one line per cycle.
namespace HotViewerLog {

inline const QString kFileName = QStringLiteral("HotViewer.log");

// "SensorNo,Name,CurrentTemp,Target", nothing else between the commas.
[[nodiscard]] QString line(const ThermoRow& row);
// Replaces the file whole (written beside it, then renamed over it), so a reader never sees half of it.
[[nodiscard]] bool write(const QString& path, const std::vector<ThermoRow>& rows);

} // namespace HotViewerLog

} // namespace kelvara::cook
