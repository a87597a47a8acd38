#include "notify/DueRule.h"

namespace kelvara::notify::DueRule {

double repeatSeconds(const store::CallAlarmRow& row) {
    return row.Repeat && *row.Repeat > 0 ? *row.Repeat * 60.0 : 60.0;
}

std::optional<qint64> secondsSinceLastCall(const store::CallAlarmRow& row, const QDateTime& now) {
    if (!row.LastCall)
        return std::nullopt;
    const QTime last(row.LastCall->hour(), row.LastCall->minute(), row.LastCall->second());
    if (row.LastCallDate)
        return QDateTime(*row.LastCallDate, last).secsTo(now);
    const QTime at(now.time().hour(), now.time().minute(), now.time().second());
    return last.secsTo(at);
}

bool isDue(const store::CallAlarmRow& row, const QString& alarmRooms, const QDateTime& now) {
    if (!row.Active)
        return false;
    const bool changed = !row.Rooms || *row.Rooms != alarmRooms;
    const bool owed = row.Repeat && *row.Repeat > 0 && row.Actual && row.Retry && *row.Actual < *row.Retry;
    if (!changed && !owed)
        return false;
    const std::optional<qint64> since = secondsSinceLastCall(row, now);
    // A clock set back makes the difference negative as well: the call is let through rather than held.
    return !since || *since < 0 || static_cast<double>(*since) >= repeatSeconds(row);
}

} // namespace kelvara::notify::DueRule
