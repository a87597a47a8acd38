#pragma once

#include "base/Result.h"

#include <QSerialPort>
#include <QString>
#include <optional>

namespace kelvara::sensornet {

// Baud rate, parity, data bits and stop bits, as the "Settings" text gives them.
struct LineParameters {
    qint32 baudRate = 9600;
    QSerialPort::Parity parity = QSerialPort::NoParity;
    QSerialPort::DataBits dataBits = QSerialPort::Data8;
    QSerialPort::StopBits stopBits = QSerialPort::OneStop;

    bool operator==(const LineParameters&) const = default;
};

// Everything a port needs to open: device, line parameters and flow control. The defaults are a fresh
// port's: the first serial port at 9600 baud, no parity, 8 data bits, 1 stop bit, no flow control.
struct LineSettings {
    QString portName;
    LineParameters parameters;
    QSerialPort::FlowControl flowControl = QSerialPort::NoFlowControl;
    // Whether the adapter ends each answer line with a checksum, which the link checks and removes.
    bool answerChecksums = false;

    LineSettings();
    bool operator==(const LineSettings&) const = default;
};

// The port settings as the user stored them; a part that is not stored leaves the port's own as it is.
struct StoredLineSettings {
    std::optional<LineParameters> parameters; // none: the line was never set up
    std::optional<QString> portName;
    std::optional<QSerialPort::FlowControl> flowControl;
    bool answerChecksums = false;
};

// The fewest data bits a port can be set to; the platform's drivers take 5 to 8.
inline constexpr int kFewestDataBits = 5;

// The highest number "CommPort" may hold.
inline constexpr int kHighestPortNumber = 255;

// Reads a settings text such as "115200,n,8,1" (parity by its first letter: e, o, n, m or s; stop bits 1, 1.5
// or 2). Spaces around each part are ignored; anything else that does not fit gives an error text.
[[nodiscard]] base::Result<LineParameters> parseLineParameters(const QString& text);

// The platform's device for a port number counted from 1: /dev/ttyS0 for 1 on Linux, COM1 on Windows.
[[nodiscard]] QString portNameForNumber(int number);

// Reads a "CommPort" value (a decimal number from 1 to kHighestPortNumber) into the device it stands for.
[[nodiscard]] base::Result<QString> parsePortNumber(const QString& text);

// Reads a "Handshaking" value: 0 none, 1 Xon/Xoff, 2 RTS/CTS, 3 Xon/RTS. The platform cannot combine software
// and hardware flow control, so 3 runs as RTS/CTS, the half of it that protects the adapter's input.
[[nodiscard]] base::Result<QSerialPort::FlowControl> parseHandshaking(const QString& text);

} // namespace kelvara::sensornet
