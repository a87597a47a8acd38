#pragma once

#include "sim/Random.h"

namespace kelvara::sim {

// What every device sees besides the bus: the scenario clock in seconds, the seconds the caller has fed
// since the start (which run on while the scenario clock is held), the seeded generator, and how long a
// thermometer's conversion takes as a share of its own time (0: it ends at once).
struct Environment {
    double now = 0.0;
    double elapsed = 0.0;
    Random random;
    double conversionScale = 0.0;
};

} // namespace kelvara::sim
