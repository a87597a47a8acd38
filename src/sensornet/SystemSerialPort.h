#pragma once

#include "sensornet/SerialPort.h"

#include <memory>

namespace kelvara::sensornet {

// The serial port to the adapter on this platform, closed; callers need not know which kind it is.
[[nodiscard]] std::unique_ptr<SerialPort> makeSystemSerialPort();

} // namespace kelvara::sensornet
