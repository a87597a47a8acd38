#pragma once

#include <QTime>

namespace kelvara::monitoring {

// Times of day without a date: last reads, last records and alarm starts are kept this way.
namespace TimeOfDay {

// Whole seconds from `from` to `to`; negative when midnight has passed in between.
[[nodiscard]] inline int secondsBetween(const QTime& from, const QTime& to) {
    const QTime f(from.hour(), from.minute(), from.second());
    const QTime t(to.hour(), to.minute(), to.second());
    return f.secsTo(t);
}

// The same, with a day added when midnight has passed (how long a delay has been running).
[[nodiscard]] inline int secondsSince(const QTime& from, const QTime& to) {
    const int s = secondsBetween(from, to);
    return s < 0 ? s + 86400 : s;
}

// An interval from its hour and minute settings, in seconds (hours of any size, minutes with fractions).
[[nodiscard]] inline double intervalSeconds(int hours, double minutes) {
    return static_cast<double>(hours) * 3600.0 + minutes * 60.0;
}

// Due when a whole interval has passed since `last`, or at once when midnight has passed since.
[[nodiscard]] inline bool intervalDue(const QTime& last, const QTime& now, double interval) {
    const int elapsed = secondsBetween(last, now);
    return elapsed < 0 || elapsed >= interval;
}

} // namespace TimeOfDay

} // namespace kelvara::monitoring
