#pragma once

#include <QStringList>
#include <optional>

namespace kelvara::sensornet {

// The choice lists of the COM port settings: ports, speeds, data bits, parities and stop bits.
struct PortLists {
    QStringList ports;
    QStringList baudRates;
    QStringList dataBits;
    QStringList parities;
    QStringList stopBits;

    // The lists with the ports given: leading devices (a modem component's own), then the system's serial
    // ports by device path, then "Com1" to "Com15".
    [[nodiscard]] static PortLists build(const QStringList& leadingDevices, const QStringList& systemPorts);
};

// The lists with the serial ports this machine has now.
[[nodiscard]] PortLists fillPortLists(const QStringList& leadingDevices = {});

// The device paths of the machine's serial ports, in the driver's order.
[[nodiscard]] QStringList systemSerialPorts();

// The port number of a "ComN" entry (stored as "CommPort"); empty for a device path (stored as "PortName").
[[nodiscard]] std::optional<int> comPortNumber(const QString& entry);

} // namespace kelvara::sensornet
