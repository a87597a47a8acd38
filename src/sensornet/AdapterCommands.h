#pragma once

#include <QString>

namespace kelvara::sensornet {

// The bus adapter's command texts, ready to send, as SensorReader.ini gives them for the chosen model.
struct AdapterCommands {
    QString AdapterName;
    QString CmdTerminator;
    QString SearchCmd;
    QString ResetCmd;
    QString AddressCmd; // the caller appends the ROM id and a carriage return
    QString ConvertCmd;
    // Sent after a reset: Skip ROM and Convert T as one block, so every sensor on the bus converts at once.
    // Empty: each reading converts its own sensor.
    QString ConvertAllCmd;
    QString NextSensorCmd;
    QString AlarmSensorCmd;
    QString TempSensorCmd;
    QString TemperatureCmd;
    QString ThermoSensorCmd;
    QString ThermoTempCmd;
};

} // namespace kelvara::sensornet
