#pragma once

#include "base/Result.h"

#include <QString>
#include <QStringList>

namespace kelvara::notify {

// The most characters one GSM or UCP part may hold.
inline constexpr int kPartLength = 160;
// The most parts (or TAP blocks) one send may have.
inline constexpr int kMostParts = 5;

// The text without control characters; CR and LF stay when keepLineBreaks is set.
[[nodiscard]] QString withoutControlCharacters(const QString& text, bool keepLineBreaks);

// The message's lines without their CR LF, control characters removed, empty lines left out.
[[nodiscard]] QStringList messageLines(const QString& message);

// The message cut into parts of at most partLength characters: a message that fits is one part as it is;
// a longer one is split after its line breaks, a line longer than a part being cut. Fails with kSmsTooLong
// (as the code) when it needs more than kMostParts.
[[nodiscard]] base::Result<QStringList> splitIntoParts(const QString& message, int partLength = kPartLength);

} // namespace kelvara::notify
