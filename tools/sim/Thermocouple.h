#pragma once

#include <optional>

namespace kelvara::sim {

// Thermoelectric voltage of the letter-designated thermocouple types (B, E, J, K, N, R, S, T) from the
// ITS-90 reference functions, reference junction at 0 °C. Temperatures outside a type's range are held at
// the range's ends.
class Thermocouple {
public:
    [[nodiscard]] static bool knownType(char type);
    // Microvolts at the hot junction for a cold junction at 0 °C; nullopt for an unknown type.
    [[nodiscard]] static std::optional<double> emfMicrovolts(char type, double celsius);
    // Microvolts across the pair with both junctions at the given temperatures.
    [[nodiscard]] static std::optional<double> emfMicrovolts(char type, double hotCelsius,
                                                             double coldCelsius);
};

} // namespace kelvara::sim
