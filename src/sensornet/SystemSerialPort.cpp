#include "sensornet/SystemSerialPort.h"

#include "sensornet/QtSerialPort.h"

namespace kelvara::sensornet {

std::unique_ptr<SerialPort> makeSystemSerialPort() {
    // Qt's driver on every platform: reading, writing and polling the device past it saved too little
    // processor time per reading pass to be worth a port of its own (bench/run.sh measures it).
    return std::make_unique<QtSerialPort>();
}

} // namespace kelvara::sensornet
