#pragma once

#include "sim/Random.h"

namespace kelvara::sim {

// What every device sees besides the bus: the scenario clock in seconds and the seeded generator.
struct Environment {
    double now = 0.0;
    Random random;
};

} // namespace kelvara::sim
