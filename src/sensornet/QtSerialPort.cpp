#include "sensornet/QtSerialPort.h"

#include <QDeadlineTimer>
#include <QThread>
#include <cerrno>

namespace kelvara::sensornet {

QtSerialPort::QtSerialPort() = default;

QtSerialPort::~QtSerialPort() {
    close();
}

PortFailure QtSerialPort::failureOf(QSerialPort::SerialPortError error) {
    switch (error) {
    case QSerialPort::NoError:
        return PortFailure::None;
    case QSerialPort::DeviceNotFoundError:
        return PortFailure::NotFound;
    case QSerialPort::PermissionError:
        return PortFailure::AccessDenied;
    case QSerialPort::OpenError:
        return PortFailure::AlreadyOpen;
    case QSerialPort::UnsupportedOperationError:
        return PortFailure::SettingsRefused;
    default:
        return PortFailure::Other;
    }
}

base::Result<void> QtSerialPort::open(const LineSettings& settings) {
    if (m_port.isOpen())
        return portFailure(PortFailure::AlreadyOpen, QStringLiteral("The port is already open."));
    if (settings.portName.isEmpty())
        return portFailure(PortFailure::NotFound,
                           QStringLiteral("No serial device is named in the settings."));

    m_port.setPortName(settings.portName);
    if (!m_port.open(QIODevice::ReadWrite)) {
        const base::Failure failure = portFailure(failureOf(m_port.error()), m_port.errorString());
        m_port.clearError();
        return failure;
    }
    // Applied after opening, so that a device refusing a setting is told apart from one that is missing.
    const LineParameters& p = settings.parameters;
    const bool applied = m_port.setBaudRate(p.baudRate) && m_port.setParity(p.parity) &&
                         m_port.setDataBits(p.dataBits) && m_port.setStopBits(p.stopBits) &&
                         m_port.setFlowControl(settings.flowControl);
    if (!applied) {
        const base::Failure failure = portFailure(PortFailure::SettingsRefused, m_port.errorString());
        m_port.close();
        m_port.clearError();
        return failure;
    }
    m_port.clearError();
    m_error.clear();
    m_failed = false;
    return {};
}

void QtSerialPort::close() {
    if (m_port.isOpen())
        m_port.close();
    m_port.clearError();
    m_failed = false;
}

bool QtSerialPort::isOpen() const {
    return m_port.isOpen();
}

bool QtSerialPort::write(const QByteArray& bytes) {
    if (!m_port.isOpen()) {
        m_error = QStringLiteral("The port is not open.");
        return false;
    }
    if (m_port.write(bytes) != bytes.size()) {
        noteError();
        return false;
    }
    // Start sending now: the exchange that follows waits on the port without running an event loop.
    m_port.flush();
    noteError();
    return true;
}

QByteArray QtSerialPort::readAll() {
    if (!m_port.isOpen())
        return {};
    // Bytes the driver already took in (its notifier runs whenever events are served) come first.
    if (m_port.bytesAvailable() > 0)
        return m_port.readAll();
    // The driver fills its buffer only from its notifier or a wait; a zero wait collects what the
    // device already holds without blocking, and names a failing device.
    while (m_port.waitForReadyRead(0)) {
    }
    noteError();
    return m_port.readAll();
}

bool QtSerialPort::waitForReadyRead(int ms) {
    if (!m_port.isOpen())
        return false;
    if (m_port.bytesAvailable() > 0)
        return true;
    const QDeadlineTimer deadline(ms);
    if (m_port.waitForReadyRead(ms))
        return true;
    if (m_port.error() == QSerialPort::TimeoutError || m_port.error() == QSerialPort::NoError) {
        noteError();
        return false;
    }
    // A failing device (unplugged, I/O error) returns at once; sleep out the slice so the caller's loop
    // does not spin.
    noteError();
    const qint64 left = deadline.remainingTime();
    if (left > 0)
        QThread::msleep(static_cast<unsigned long>(left));
    return false;
}

QString QtSerialPort::takeError() {
    QString e;
    e.swap(m_error);
    return e;
}

void QtSerialPort::noteError() {
    const QSerialPort::SerialPortError error = m_port.error();
    if (error == QSerialPort::NoError)
        return; // clearing builds a translated text each time: only when there is something to clear
    // The driver repeats interrupted reads and waits itself, so an interrupted call never fails one. Its
    // text reaches us from a read that found nothing (a read notification served after the bytes were
    // taken), which reports whatever error number an earlier call left behind: typically the wait that a
    // stop signal interrupted. Nothing failed and nothing was lost; the next wait reads on.
    if (m_port.errorString() == qt_error_string(EINTR)) {
        m_port.clearError();
        return;
    }
    if (error != QSerialPort::TimeoutError)
        m_error = m_port.errorString();
    // A device that hung up or was pulled out fails on reads, writes or both, and keeps failing.
    if (error == QSerialPort::ReadError || error == QSerialPort::WriteError ||
        error == QSerialPort::ResourceError)
        m_failed = true;
    m_port.clearError();
}

} // namespace kelvara::sensornet
