#pragma once

#include <QSqlError>
#include <QString>

namespace kelvara::store {

// What a failed database call reports: the engine's own words where it gave some ("no such column: …",
// "database is locked"), since they say more than the driver's summary; otherwise the summary.
[[nodiscard]] inline QString engineText(const QSqlError& error) {
    return error.databaseText().isEmpty() ? error.text() : error.databaseText();
}

} // namespace kelvara::store
