#pragma once

#include "sensornet/EventLoopPause.h"
#include "sensornet/Pause.h"
#include "sensornet/QtSerialPort.h"
#include "sensornet/SerialPort.h"

#include <memory>

namespace kelvara::test {

// The program's own ports and waits, for walks against the simulator.
inline sensornet::PortFactory systemPorts() {
    return [] { return std::unique_ptr<sensornet::SerialPort>(std::make_unique<sensornet::QtSerialPort>()); };
}

inline sensornet::PauseFactory eventLoopPauses() {
    return [] { return std::unique_ptr<sensornet::Pause>(std::make_unique<sensornet::EventLoopPause>()); };
}

} // namespace kelvara::test
