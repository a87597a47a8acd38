#pragma once

#include <QSqlError>
#include <QString>

namespace kelvara::store {

// What a failed database call reports: the engine's own words where it gave some ("no such column: …",
// "database is locked"), since they say more than the driver's summary; otherwise the summary, and when
// neither says anything, the engine's error number.
[[nodiscard]] inline QString engineText(const QSqlError& error) {
    if (!error.databaseText().trimmed().isEmpty())
        return error.databaseText();
    if (!error.text().trimmed().isEmpty())
        return error.text();
    return QStringLiteral("database error %1")
        .arg(error.nativeErrorCode().isEmpty() ? QStringLiteral("without a number")
                                               : error.nativeErrorCode());
}

} // namespace kelvara::store
