#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

namespace kelvara::app {

// Line and entry rules shared by KVR.INI and SensorReader.ini: plain text, one "key=value" per line.
namespace IniText {

// The file's lines without their line ends (CR LF, LF or a lone CR), bytes taken one to one as characters.
[[nodiscard]] QStringList splitLines(const QByteArray& bytes);

struct Entry {
    QString key;   // everything before the first "="
    QString value; // everything after it, untouched
};
// Splits at the first "="; a line without one is no entry.
[[nodiscard]] std::optional<Entry> entry(const QString& line);

// The longest leading part of text that reads as a decimal number (sign, digits, point, exponent); 0 when
// none.
[[nodiscard]] double leadingNumber(const QString& text);

// Rounds to the nearest whole number, halves to the even neighbour, clamped to the 16-bit range.
[[nodiscard]] qint16 toInt16(double value);

// "True"/"False" in any letter case, or a number (0 false, anything else true); nullopt for other text.
[[nodiscard]] std::optional<bool> truthValue(const QString& text);

inline const QString kDone = QStringLiteral("DONE");

} // namespace IniText

} // namespace kelvara::app
