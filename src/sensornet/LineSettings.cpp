#include "sensornet/LineSettings.h"

#include <QStringList>

namespace kelvara::sensornet {

namespace {

constexpr qint32 kHighestBaudRate = 4'000'000;

QString settingsError(const QString& text, const QString& why) {
    return QStringLiteral("The COM port settings \"%1\" cannot be used: %2.").arg(text, why);
}

std::optional<QSerialPort::Parity> parityFromLetter(const QString& part) {
    if (part.size() != 1)
        return std::nullopt;
    switch (part.at(0).toLower().unicode()) {
    case 'e':
        return QSerialPort::EvenParity;
    case 'o':
        return QSerialPort::OddParity;
    case 'n':
        return QSerialPort::NoParity;
    case 'm':
        return QSerialPort::MarkParity;
    case 's':
        return QSerialPort::SpaceParity;
    default:
        return std::nullopt;
    }
}

} // namespace

LineSettings::LineSettings() : portName(portNameForNumber(1)) {}

base::Result<LineParameters> parseLineParameters(const QString& text) {
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() != 4)
        return base::fail(settingsError(text, QStringLiteral("expected the baud rate, parity, data bits and "
                                                             "stop bits separated by commas, as in "
                                                             "115200,n,8,1")));
    LineParameters p;

    bool isNumber = false;
    const QString baud = parts[0].trimmed();
    p.baudRate = baud.toInt(&isNumber);
    if (!isNumber || p.baudRate <= 0 || p.baudRate > kHighestBaudRate)
        return base::fail(settingsError(text, QStringLiteral("\"%1\" is not a baud rate").arg(baud)));

    const QString parity = parts[1].trimmed();
    const auto parsedParity = parityFromLetter(parity);
    if (!parsedParity)
        return base::fail(
            settingsError(text, QStringLiteral("the parity \"%1\" is not one of e, o, n, m, s").arg(parity)));
    p.parity = *parsedParity;

    const QString dataBits = parts[2].trimmed();
    const int bits = dataBits.toInt(&isNumber);
    if (!isNumber || bits < kFewestDataBits || bits > 8)
        return base::fail(
            settingsError(text, QStringLiteral("%1 data bits are not supported (5 to 8)").arg(dataBits)));
    p.dataBits = static_cast<QSerialPort::DataBits>(bits);

    const QString stop = parts[3].trimmed();
    if (stop == QLatin1String("1"))
        p.stopBits = QSerialPort::OneStop;
    else if (stop == QLatin1String("1.5"))
        p.stopBits = QSerialPort::OneAndHalfStop;
    else if (stop == QLatin1String("2"))
        p.stopBits = QSerialPort::TwoStop;
    else
        return base::fail(
            settingsError(text, QStringLiteral("the stop bits \"%1\" are not 1, 1.5 or 2").arg(stop)));
    return p;
}

QString portNameForNumber(int number) {
#ifdef Q_OS_WIN
    return QStringLiteral("COM%1").arg(number);
#else
    return QStringLiteral("/dev/ttyS%1").arg(number - 1);
#endif
}

base::Result<QString> parsePortNumber(const QString& text) {
    bool isNumber = false;
    const int number = text.trimmed().toInt(&isNumber);
    if (!isNumber || number < 1 || number > kHighestPortNumber)
        return base::fail(
            QStringLiteral("Invalid port number \"%1\" (1 to %2).").arg(text).arg(kHighestPortNumber));
    return portNameForNumber(number);
}

base::Result<QSerialPort::FlowControl> parseHandshaking(const QString& text) {
    bool isNumber = false;
    const int choice = text.trimmed().toInt(&isNumber);
    if (isNumber) {
        switch (choice) {
        case 0:
            return QSerialPort::NoFlowControl;
        case 1:
            return QSerialPort::SoftwareControl;
        case 2:
        case 3:
            return QSerialPort::HardwareControl;
        default:
            break;
        }
    }
    return base::fail(QStringLiteral("Invalid handshaking choice \"%1\" (0 to 3).").arg(text));
}

} // namespace kelvara::sensornet
