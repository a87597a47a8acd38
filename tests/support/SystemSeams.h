#pragma once

#include "sensornet/EventLoopPause.h"
#include "sensornet/Pause.h"
#include "sensornet/SerialPort.h"
#include "sensornet/SystemSerialPort.h"

#include <memory>

namespace kelvara::test {

// The program's own ports and waits, for walks against the simulator.
inline sensornet::PortFactory systemPorts() {
    return &sensornet::makeSystemSerialPort;
}

inline sensornet::PauseFactory eventLoopPauses() {
    return [] { return std::unique_ptr<sensornet::Pause>(std::make_unique<sensornet::EventLoopPause>()); };
}

} // namespace kelvara::test
