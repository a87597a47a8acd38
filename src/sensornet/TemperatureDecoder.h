#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <optional>

namespace kelvara::sensornet {

// What a temperature answer (the sensor's scratchpad as hex, echo removed) is good for.
enum class TemperatureAnswerCheck {
    Usable,
    NoData,     // begins with ten F: nobody drove the bus
    Unreadable, // fewer than four hex digits where the temperature stands
    BadCrc,     // a whole scratchpad whose check byte does not match: the bytes were damaged on the way
};

// Turns temperature answers of the bus's temperature sensors into degrees Celsius; pure text in, numbers out.
namespace decoding {

// The family whose answers use the half-degree format; every other temperature family uses sixteenths.
inline const QString kHalfDegreeFamily = QStringLiteral("10");

// Degrees Celsius from the answer's first four hex characters (low byte, then high byte). Family "10":
// half degrees, -128.0 to +127.5. Any other family: sixteenths with the fraction dropped, so the result is
// the whole degrees rounded toward minus infinity, -128 to +127. Empty when those characters are not hex.
[[nodiscard]] std::optional<double> decodeTemperature(const QString& answer, const QString& family);

// Whether the answer holds the 85 °C a sensor reports after power-on, before it has converted anything
// ("AA00" in the half-degree format, "5005" in sixteenths). On the zone side this is a sensor fault, not a
// temperature.
[[nodiscard]] bool isPowerOnValue(const QString& answer, const QString& family);

// The bus's 8-bit check (x^8 + x^5 + x^4 + 1, least significant bit first, starting from 0). Over a block
// that ends in its own check byte the result is 0.
[[nodiscard]] std::uint8_t dallasCrc8(const QByteArray& bytes);

// The scratchpad is nine bytes; an answer that holds all of them is checked against its last byte, a shorter
// one (an adapter that stops early) is judged by its first bytes alone.
[[nodiscard]] TemperatureAnswerCheck checkTemperatureAnswer(const QString& answer);

} // namespace decoding

} // namespace kelvara::sensornet
