#include "sensornet/PortLists.h"

#include "sensornet/LineSettings.h"

#include <QRegularExpression>
#include <QSerialPortInfo>

namespace kelvara::sensornet {

PortLists PortLists::build(const QStringList& leadingDevices, const QStringList& systemPorts) {
    PortLists lists;
    lists.ports << leadingDevices << systemPorts;
    for (int n = 1; n <= 15; ++n)
        lists.ports << QStringLiteral("Com%1").arg(n);
    lists.baudRates = {"110",   "300",   "600",   "1200",  "2400",  "4800",   "9600",   "14400",
                       "19200", "28800", "38400", "56000", "57600", "115200", "128000", "256000"};
    // The drivers take 5 to 8 data bits; an entry every port refuses is not offered.
    for (int bits = kFewestDataBits; bits <= 8; ++bits)
        lists.dataBits << QString::number(bits);
    lists.parities = {"even", "odd", "none", "mark", "space"};
    lists.stopBits = {"1", "1.5", "2"};
    return lists;
}

QStringList systemSerialPorts() {
    QStringList ports;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts())
        ports << info.systemLocation();
    return ports;
}

PortLists fillPortLists(const QStringList& leadingDevices) {
    return PortLists::build(leadingDevices, systemSerialPorts());
}

std::optional<int> comPortNumber(const QString& entry) {
    static const QRegularExpression com(QStringLiteral("^Com([1-9][0-9]*)$"));
    const QRegularExpressionMatch m = com.match(entry);
    if (!m.hasMatch())
        return std::nullopt;
    return m.captured(1).toInt();
}

} // namespace kelvara::sensornet
