#pragma once

#include <QString>

namespace kelvara::sensornet {

// The fixed texts and answer rules every adapter exchange shares; pure text in, text out.
namespace protocol {

inline constexpr QChar kCarriageReturn = QChar(13);
// Asks the adapter for the switches whose output is on, all at once.
inline const QString kSwitchListCommand = QStringLiteral("aC,FF\r");
// Re-selects the device addressed last; the adapter echoes its ROM id.
inline const QString kReselectCommand = QStringLiteral("M");
// One write-1 time slot, which reads the line: "1" once every sensor has finished its conversion.
inline const QString kReadSlotCommand = QStringLiteral("aB1\r");
// What a caller compares with to learn that an echo was missing or too short to be a ROM id.
inline const QString kErrorAnswer = QStringLiteral("Error");
// The start of a temperature answer from a sensor that did not drive the bus.
inline const QString kNoDataPrefix = QStringLiteral("FFFFFFFFFF");

// Removes every carriage return; a remainder shorter than 4 characters becomes kErrorAnswer.
[[nodiscard]] QString cleanAnswer(const QString& answer);

// The shape of a block command ("aW" or "aJ", a two-digit hex byte count, then the bytes as hex): the bytes
// it writes before its first read slot (an FF byte), as hex, and the number of bytes from that slot on.
struct BlockShape {
    QString written;
    int readSlots = 0;
};
// Empty for commands of any other form.
[[nodiscard]] BlockShape blockShape(const QString& command);

// The answer without the echo of the bytes the command wrote before its first read slot, when it begins
// with that echo. An answer of exactly the read slots' length carries no echo (an adapter that does not
// repeat written bytes) and stays whole, even if its data happen to begin like the echo.
[[nodiscard]] QString withoutWriteEcho(const QString& answer, const QString& command);

// For an adapter that closes every answer line with a checksum (two hex digits, the sum of the line's other
// characters modulo 256, before the carriage return): the answer with each complete line's checksum checked
// and removed. A line whose checksum does not match is emptied, so the checks that follow see a missing
// answer rather than a damaged one. Lines of one character (reset, bit and error answers) carry none; an
// unfinished last line stays as it is until its carriage return arrives.
[[nodiscard]] QString withoutLineChecksums(const QString& answer);

} // namespace protocol

} // namespace kelvara::sensornet
