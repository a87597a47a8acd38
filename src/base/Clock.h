#pragma once

#include <QDateTime>

namespace kelvara::base {

// Source of the wall-clock time and of a monotonic count for waits and deadlines.
class Clock {
public:
    virtual ~Clock() = default;
    // Local date and time of day, with milliseconds.
    [[nodiscard]] virtual QDateTime now() const = 0;
    // Milliseconds from an arbitrary origin; never goes back, never wraps at midnight.
    [[nodiscard]] virtual qint64 monotonicMs() const = 0;

    [[nodiscard]] QDate currentDate() const { return now().date(); }
    [[nodiscard]] QTime currentTime() const { return now().time(); }
};

} // namespace kelvara::base
