#include "sim/Thermocouple.h"

#include "thermocouple/ThermocoupleReference.h"

#include <algorithm>

namespace kelvara::sim {

bool Thermocouple::knownType(char type) {
    return thermocouple::isThermocoupleType(type);
}

std::optional<double> Thermocouple::emfMicrovolts(char type, double celsius) {
    const auto range = thermocouple::thermocoupleRange(type);
    if (!range)
        return std::nullopt;
    return thermocouple::referenceEmfMicrovolts(
        type, std::clamp(celsius, range->lowestCelsius, range->highestCelsius));
}

std::optional<double> Thermocouple::emfMicrovolts(char type, double hotCelsius, double coldCelsius) {
    const auto hot = emfMicrovolts(type, hotCelsius);
    const auto cold = emfMicrovolts(type, coldCelsius);
    if (!hot || !cold)
        return std::nullopt;
    return *hot - *cold;
}

} // namespace kelvara::sim
