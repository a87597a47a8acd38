#pragma once

#include <QFile>
#include <memory>

namespace kelvara::app {

// The "TempLog" file of the current folder, opened for appending; null when it cannot be opened.
[[nodiscard]] std::unique_ptr<QFile> OpenTempLog();

} // namespace kelvara::app
