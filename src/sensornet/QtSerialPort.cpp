#include "sensornet/QtSerialPort.h"

#include <QDeadlineTimer>
#include <QThread>
#include <array>
#include <utility>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <poll.h>
#include <sys/ioctl.h>
#include <unistd.h>
#endif

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
    return {};
}

void QtSerialPort::close() {
    m_readable = false;
    if (m_port.isOpen())
        m_port.close();
    m_port.clearError();
}

bool QtSerialPort::isOpen() const {
    return m_port.isOpen();
}

bool QtSerialPort::write(const QByteArray& bytes) {
    if (!m_port.isOpen()) {
        m_error = QStringLiteral("The port is not open.");
        return false;
    }
    qint64 sent = 0;
#ifdef Q_OS_UNIX
    // A command is a few bytes that the driver takes at once: handing them to the device directly spares
    // the write buffer, its notifier and the wake-up of the event loop on every exchange. Anything the
    // device does not take goes the buffered way, behind what is already queued.
    if (m_port.bytesToWrite() == 0) {
        const ssize_t n =
            ::write(static_cast<int>(m_port.handle()), bytes.constData(), static_cast<size_t>(bytes.size()));
        if (n > 0)
            sent = n;
    }
#endif
    if (sent == bytes.size())
        return true;
    const QByteArray rest = bytes.mid(sent);
    if (m_port.write(rest) != rest.size()) {
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
#ifdef Q_OS_UNIX
    const bool readable = std::exchange(m_readable, false);
    if (!readable && !deviceHoldsInput())
        return {};
    if (std::optional<QByteArray> bytes = readDirect())
        return *bytes;
#endif
    // The driver fills its buffer only from its notifier or a wait; a zero wait collects what the
    // device already holds without blocking, and names a failing device.
    while (m_port.waitForReadyRead(0)) {
    }
    noteError();
    return m_port.readAll();
}

#ifdef Q_OS_UNIX
bool QtSerialPort::deviceHoldsInput() {
    // Asking for the count is cheaper than a zero wait: a poll on a terminal first waits for the
    // driver's pending input work, a context switch on every exchange when nothing is there.
    int count = 0;
    if (::ioctl(static_cast<int>(m_port.handle()), FIONREAD, &count) == 0)
        return count > 0;
    return true;
}

std::optional<QByteArray> QtSerialPort::readDirect() {
    // An answer is a few bytes: reading them straight from the device spares the driver's buffering on
    // every exchange. A short read took everything; reading on would only find the device empty.
    const int fd = static_cast<int>(m_port.handle());
    QByteArray bytes;
    std::array<char, 4096> chunk{};
    for (;;) {
        const ssize_t n = ::read(fd, chunk.data(), chunk.size());
        if (n > 0) {
            bytes.append(chunk.data(), n);
            if (static_cast<size_t>(n) < chunk.size())
                break;
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
            break;
        // End of file (the device hung up) or a read error: the driver's own read names it.
        if (bytes.isEmpty())
            return std::nullopt;
        break;
    }
    return bytes;
}
#endif

bool QtSerialPort::waitForReadyRead(int ms) {
    if (!m_port.isOpen())
        return false;
    if (m_port.bytesAvailable() > 0)
        return true;
    const QDeadlineTimer deadline(ms);
#ifdef Q_OS_UNIX
    // Waiting on the device itself; a device that reports a failure or hung up is left to the driver's own
    // wait, which names it and does not return at once again.
    pollfd device{static_cast<int>(m_port.handle()), POLLIN, 0};
    const timespec slice{ms / 1000, static_cast<long>(ms % 1000) * 1'000'000L};
    const int ready = ::ppoll(&device, 1, ms < 0 ? nullptr : &slice, nullptr);
    if (ready == 0 || (ready < 0 && errno == EINTR))
        return false;
    if (ready > 0 && (device.revents & POLLIN) != 0 &&
        (device.revents & (POLLERR | POLLHUP | POLLNVAL)) == 0) {
        m_readable = true;
        return true;
    }
    if (ms >= 0)
        ms = static_cast<int>(qMax<qint64>(0, deadline.remainingTime()));
#endif
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
    if (error != QSerialPort::TimeoutError)
        m_error = m_port.errorString();
    m_port.clearError();
}

} // namespace kelvara::sensornet
