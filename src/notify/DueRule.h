#pragma once

#include "store/CallAlarmStore.h"

#include <QDateTime>
#include <QString>

namespace kelvara::notify {

// Whether a recipient of the notification list is due to be told of the zones now in alarm.
namespace DueRule {

// The spacing between two notifications of one recipient: its repeat interval, or a minute without one.
[[nodiscard]] double repeatSeconds(const store::CallAlarmRow& row);

// Seconds since the row's last successful notification; none when it never had one. A call that still
// lacks its date (made before the list kept dates) counts by its time of day, and midnight makes it
// negative.
[[nodiscard]] std::optional<qint64> secondsSinceLastCall(const store::CallAlarmRow& row,
                                                         const QDateTime& now);

// An active row is due when the set of zones in alarm changed since it was last told, or when repeats are
// still owed for the same set; either way never sooner than its spacing after its last call. A Null
// column makes its comparison false.
[[nodiscard]] bool isDue(const store::CallAlarmRow& row, const QString& alarmRooms, const QDateTime& now);

} // namespace DueRule

} // namespace kelvara::notify
