#pragma once

#include "sensornet/SerialPort.h"

#include <QSerialPort>

namespace kelvara::sensornet {

// The serial line over the platform's serial port driver.
class QtSerialPort final : public SerialPort {
public:
    QtSerialPort();
    ~QtSerialPort() override;
    QtSerialPort(const QtSerialPort&) = delete;
    QtSerialPort& operator=(const QtSerialPort&) = delete;

    [[nodiscard]] base::Result<void> open(const LineSettings& settings) override;
    void close() override;
    [[nodiscard]] bool isOpen() const override;
    bool write(const QByteArray& bytes) override;
    QByteArray readAll() override;
    bool waitForReadyRead(int ms) override;
    QString takeError() override;
    [[nodiscard]] bool failed() const override { return m_failed; }

    // How the driver's failure to open a device reads as the link's failure kinds.
    [[nodiscard]] static PortFailure failureOf(QSerialPort::SerialPortError error);

private:
    void noteError();

    QSerialPort m_port;
    QString m_error;
    bool m_failed = false;
};

} // namespace kelvara::sensornet
