#pragma once

#include "sim/Device.h"
#include "sim/DeviceConfig.h"

#include <memory>

namespace kelvara::sim {

// Builds the device model for a configuration from its family code: 10 half-degree thermometer; 28, 22 and
// 3B sixteenth-degree thermometers; 05 switch; 30 thermocouple interface; any other a plain device.
class DeviceFactory {
public:
    [[nodiscard]] static std::unique_ptr<Device> make(const DeviceConfig& config);
};

} // namespace kelvara::sim
