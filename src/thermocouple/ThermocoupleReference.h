// ITS-90 reference functions of the letter-designated thermocouple types: EMF against temperature.
#pragma once

#include <array>
#include <optional>

namespace kelvara::thermocouple {

// The eight types a cook sensor may carry, in the column order of the conversion table.
inline constexpr std::array<char, 8> kThermocoupleTypes{'B', 'E', 'J', 'K', 'N', 'R', 'S', 'T'};

// Temperatures (°C) over which a type's reference function is defined, both ends included.
struct ThermocoupleRange {
    double lowestCelsius = 0.0;
    double highestCelsius = 0.0;

    [[nodiscard]] bool contains(double celsius) const {
        return celsius >= lowestCelsius && celsius <= highestCelsius;
    }
};

// True for the eight upper-case type letters above.
[[nodiscard]] bool isThermocoupleType(char type);

// The defined range of a type; nullopt for any other letter.
[[nodiscard]] std::optional<ThermocoupleRange> thermocoupleRange(char type);

// Thermoelectric voltage in microvolts with the reference junction at 0 °C; nullopt for an unknown
// type or a temperature outside the type's range (or not a number).
[[nodiscard]] std::optional<double> referenceEmfMicrovolts(char type, double celsius);

} // namespace kelvara::thermocouple
