#pragma once

#include "sim/Course.h"
#include "sim/FaultPlan.h"
#include "sim/RomId.h"

namespace kelvara::sim {

// One device as a scenario describes it; the family code in its ROM id picks the model.
struct DeviceConfig {
    RomId rom;
    Course temperature = Course::constant(20.0); // a thermocouple's hot junction
    bool on = false;                             // a switch's output at start
    char thermocoupleType = 'K';
    Course coldJunction = Course::constant(25.0);
    bool parasitePower = false;
    int resolutionBits = 12;
    FaultPlan faults;
};

} // namespace kelvara::sim
