#pragma once

#include <limits>

namespace kelvara::sim {

enum class FaultKind {
    Absent,  // the device leaves the bus: no presence pulse, no search answer, nothing driven
    AllF,    // the device takes part in resets, selects and searches but drives no data
    PowerOn, // a temperature conversion leaves the power-on value in the scratchpad
    Garbled, // one character of each answer about the device is replaced
    Delay,   // answers about the device leave the adapter late
};

// One injected fault: what, from when until when on the scenario clock, and how often it strikes.
struct Fault {
    FaultKind kind = FaultKind::Absent;
    double from = -std::numeric_limits<double>::infinity();
    double until = std::numeric_limits<double>::infinity();
    double probability = 1.0;
    int delayMs = 0;
};

} // namespace kelvara::sim
