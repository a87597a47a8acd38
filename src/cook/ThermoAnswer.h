#pragma once

#include <QString>
#include <optional>

namespace kelvara::cook {

// What a thermocouple interface's register answer says: the EMF between the hot and the cold junction, and
// the cold junction's own temperature.
struct ThermoRegisters {
    double emfMicrovolts = 0.0;
    double coldJunctionCelsius = 0.0;
};

// Reads the answer to the thermocouple read command, which the adapter gives as hex text ending in the
// carriage return that closed the exchange: four characters echoing the command, the current register
// (four digits, 15.625 µV a count in the top 13 bits), eight digits of other registers, twelve reserved
// digits that read F, and the temperature register (four digits, 0.125 °C a count in the top 11 bits).
// Both registers are the device's two's complement.
namespace ThermoAnswer {

// Whether an attempt got an answer worth decoding: the reserved digits read F while the temperature register
// does not, which a missing or silent device cannot give.
[[nodiscard]] bool accepted(const QString& answer);

// The two registers, or nothing when the answer carries no reading: too short, not hex where a digit is
// read, its first ten characters all F, or a register reading all ones (the device drives no data; its low
// bits are always 0 in a real reading).
[[nodiscard]] std::optional<ThermoRegisters> decode(const QString& answer);

inline constexpr double kMicrovoltsPerCount = 15.625;
inline constexpr double kCelsiusPerCount = 0.125;
// Characters before the carriage return: echo, two words, eight digits, twelve reserved, the temperature
// word.
inline constexpr int kAnswerLength = 28;

} // namespace ThermoAnswer

} // namespace kelvara::cook
