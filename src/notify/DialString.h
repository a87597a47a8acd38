#pragma once

#include <QString>

namespace kelvara::notify {

// A subscriber's number: digits, optionally after one leading "+".
[[nodiscard]] bool isSubscriberNumber(const QString& number);

// A number the modem dials: a subscriber's number that may also hold the pauses and tones , W P T * #.
[[nodiscard]] bool isDialString(const QString& number);

} // namespace kelvara::notify
