#pragma once

#include "sensornet/AdapterCommands.h"

namespace kelvara::test {

// The command set the shipped SensorReader.ini gives for the HA5 adapter, terminators included, less the
// pass-wide conversion: readings convert their own sensor unless a test sets ConvertAllCmd.
inline sensornet::AdapterCommands ha5Commands() {
    sensornet::AdapterCommands c;
    c.AdapterName = QStringLiteral("HA5");
    c.CmdTerminator = QStringLiteral("\r");
    c.SearchCmd = QStringLiteral("aS\r");
    c.ResetCmd = QStringLiteral("aR\r");
    c.AddressCmd = QStringLiteral("aA");
    c.ConvertCmd = QStringLiteral("aW0144\r");
    c.NextSensorCmd = QStringLiteral("as\r");
    c.AlarmSensorCmd = QStringLiteral("aF05\r");
    c.TempSensorCmd = QStringLiteral("10,28,22,3B\r");
    c.TemperatureCmd = QStringLiteral("aW0ABEFFFFFFFFFFFFFFFFFF\r");
    c.ThermoSensorCmd = QStringLiteral("aF30\r");
    c.ThermoTempCmd = QStringLiteral("aW0E690EFFFFFFFFFFFFFFFFFFFFFFFF\r");
    return c;
}

} // namespace kelvara::test
