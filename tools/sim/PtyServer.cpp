#include "sim/PtyServer.h"

#include <QFileInfo>
#include <QSocketNotifier>
#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/inotify.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace kelvara::sim {

namespace {
constexpr int kBitsPerByte = 10; // start bit, eight data bits, stop bit

QString systemError(const char* what) {
    return QStringLiteral("%1: %2").arg(QLatin1String(what), QString::fromLocal8Bit(std::strerror(errno)));
}
} // namespace

PtyServer::PtyServer(PortEngine& engine, const QElapsedTimer& clock, QObject* parent)
    : QObject(parent), m_engine(engine), m_clock(clock) {
    for (QTimer* timer : {&m_deliveryTimer, &m_wakeTimer}) {
        timer->setSingleShot(true);
        timer->setTimerType(Qt::PreciseTimer);
    }
    connect(&m_deliveryTimer, &QTimer::timeout, this, &PtyServer::deliver);
    connect(&m_wakeTimer, &QTimer::timeout, this, &PtyServer::wake);
}

PtyServer::~PtyServer() {
    close();
}

bool PtyServer::open(QString* error) {
    close();
    m_master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (m_master < 0) {
        *error = systemError("posix_openpt");
        return false;
    }
    char name[128] = {};
    if (::grantpt(m_master) != 0 || ::unlockpt(m_master) != 0 ||
        ::ptsname_r(m_master, name, sizeof name) != 0) {
        *error = systemError("pseudo-terminal");
        close();
        return false;
    }
    m_path = QString::fromLocal8Bit(name);
    m_slave = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (m_slave < 0) {
        *error = systemError("open slave");
        close();
        return false;
    }
    termios settings{};
    ::tcgetattr(m_slave, &settings);
    ::cfmakeraw(&settings);
    ::cfsetispeed(&settings, B115200);
    ::cfsetospeed(&settings, B115200);
    ::tcsetattr(m_slave, TCSANOW, &settings);
    ::fcntl(m_master, F_SETFL, ::fcntl(m_master, F_GETFL) | O_NONBLOCK);

    // Our own slave descriptor hides the clients' opens and closes from the master, so they are watched here.
    // The watch starts after our own open, so it counts clients only.
    m_clients = 1;
    m_inotify = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (m_inotify >= 0 &&
        ::inotify_add_watch(m_inotify, name, IN_OPEN | IN_CLOSE_WRITE | IN_CLOSE_NOWRITE) >= 0) {
        m_clients = 0;
        m_inotifyNotifier = new QSocketNotifier(m_inotify, QSocketNotifier::Read, this);
        connect(m_inotifyNotifier, &QSocketNotifier::activated, this, &PtyServer::onClientEvents);
    }
    m_readNotifier = new QSocketNotifier(m_master, QSocketNotifier::Read, this);
    connect(m_readNotifier, &QSocketNotifier::activated, this, &PtyServer::takeInput);
    m_writeNotifier = new QSocketNotifier(m_master, QSocketNotifier::Write, this);
    m_writeNotifier->setEnabled(false);
    connect(m_writeNotifier, &QSocketNotifier::activated, this, &PtyServer::flush);

    if (!m_linkPath.isEmpty()) {
        const QFileInfo existing(m_linkPath);
        if (existing.exists() && !existing.isSymLink()) {
            *error = QStringLiteral("%1 exists and is not a symbolic link").arg(m_linkPath);
            close();
            return false;
        }
        const QByteArray link = QFile::encodeName(m_linkPath);
        ::unlink(link.constData());
        if (::symlink(name, link.constData()) != 0) {
            *error = systemError("symlink");
            close();
            return false;
        }
    }
    return true;
}

void PtyServer::close() {
    delete m_readNotifier;
    m_readNotifier = nullptr;
    delete m_writeNotifier;
    m_writeNotifier = nullptr;
    delete m_inotifyNotifier;
    m_inotifyNotifier = nullptr;
    m_deliveryTimer.stop();
    m_wakeTimer.stop();
    m_pending.clear();
    m_out.clear();
    m_lineFreeMs = 0;
    for (int* fd : {&m_inotify, &m_slave, &m_master}) {
        if (*fd >= 0)
            ::close(*fd);
        *fd = -1;
    }
    if (!m_linkPath.isEmpty() && QFileInfo(m_linkPath).isSymLink())
        ::unlink(QFile::encodeName(m_linkPath).constData());
    m_engine.clientGone();
}

void PtyServer::takeInput() {
    if (m_master < 0)
        return;
    // A close that happened before these bytes were written must be handled before them.
    onClientEvents();
    for (;;) {
        char buffer[4096];
        const ssize_t n = ::read(m_master, buffer, sizeof buffer);
        if (n > 0) {
            const QByteArray bytes(buffer, n);
            trace("<-", bytes);
            const qint64 received = m_clock.elapsed();
            const std::vector<Answer> answers = m_engine.feed(bytes, static_cast<double>(received) / 1000.0);
            // The commands of a client that has gone still reach the bus; their answers reach nobody.
            if (m_clients > 0)
                schedule(answers, received);
            armWake();
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno != EAGAIN) {
            // With our own slave open this does not happen; stop listening rather than spin on the error.
            std::fprintf(stderr, "kelvara-sim: reading the pseudo-terminal failed: %s\n",
                         std::strerror(errno));
            m_readNotifier->setEnabled(false);
        }
        return;
    }
}

void PtyServer::onClientEvents() {
    if (m_inotify < 0)
        return;
    alignas(inotify_event) char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(m_inotify, buffer, sizeof buffer);
        if (n <= 0)
            return;
        for (ssize_t at = 0; at < n;) {
            const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
            if (event->mask & IN_OPEN)
                ++m_clients;
            if (event->mask & (IN_CLOSE_WRITE | IN_CLOSE_NOWRITE)) {
                m_clients = std::max(0, m_clients - 1);
                if (m_clients == 0)
                    clientClosed();
            }
            at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
        }
    }
}

void PtyServer::clientClosed() {
    m_deliveryTimer.stop();
    m_pending.clear();
    m_out.clear();
    m_lineFreeMs = 0;
    if (m_writeNotifier)
        m_writeNotifier->setEnabled(false);
    ::tcflush(m_slave, TCIFLUSH);
    // A client that asked for exclusive use and died without giving it back would lock the next one out.
    ::ioctl(m_slave, TIOCNXCL);
    m_engine.clientGone();
}

void PtyServer::schedule(const std::vector<Answer>& answers, qint64 receivedMs) {
    for (const Answer& answer : answers) {
        const qint64 start = std::max(receivedMs + answer.delayMs, m_lineFreeMs);
        qint64 transfer = 0;
        if (m_baud > 0)
            transfer = static_cast<qint64>(
                std::ceil(static_cast<double>(answer.bytes.size()) * kBitsPerByte * 1000.0 / m_baud));
        m_lineFreeMs = start + transfer;
        m_pending.push_back({answer.bytes, m_lineFreeMs});
    }
    deliver();
}

void PtyServer::armWake() {
    const auto at = m_engine.wakeAt();
    if (!at) {
        m_wakeTimer.stop();
        return;
    }
    const auto atMs = static_cast<qint64>(std::ceil(*at * 1000.0));
    m_wakeTimer.start(static_cast<int>(std::max<qint64>(0, atMs - m_clock.elapsed())));
}

void PtyServer::wake() {
    const qint64 now = m_clock.elapsed();
    const std::vector<Answer> answers = m_engine.due(static_cast<double>(now) / 1000.0);
    if (m_clients > 0 && m_master >= 0)
        schedule(answers, now);
    armWake();
}

void PtyServer::deliver() {
    const qint64 now = m_clock.elapsed();
    while (!m_pending.empty() && m_pending.front().dueMs <= now) {
        trace("->", m_pending.front().bytes);
        m_out += m_pending.front().bytes;
        m_pending.pop_front();
    }
    flush();
    if (!m_pending.empty())
        m_deliveryTimer.start(static_cast<int>(m_pending.front().dueMs - now));
}

void PtyServer::flush() {
    while (!m_out.isEmpty() && m_master >= 0) {
        const ssize_t n = ::write(m_master, m_out.constData(), static_cast<size_t>(m_out.size()));
        if (n > 0) {
            m_out.remove(0, n);
            continue;
        }
        if (n < 0 && (errno == EAGAIN || errno == EINTR)) {
            // The terminal's buffer is full because nobody reads; carry on when it has room.
            m_writeNotifier->setEnabled(true);
            return;
        }
        m_out.clear();
    }
    if (m_writeNotifier)
        m_writeNotifier->setEnabled(false);
}

void PtyServer::trace(const char* direction, const QByteArray& bytes) const {
    if (!m_trace)
        return;
    // Control characters (the modem's centres use several) are shown as escapes.
    QByteArray shown;
    for (char c : bytes) {
        if (c == '\r')
            shown += "\\r";
        else if (c == '\n')
            shown += "\\n";
        else if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            shown += "\\x" + QByteArray::number(static_cast<unsigned char>(c), 16).rightJustified(2, '0');
        else
            shown += c;
    }
    std::fprintf(stderr, "%.3f %s %s\n", static_cast<double>(m_clock.elapsed()) / 1000.0, direction,
                 shown.constData());
}

} // namespace kelvara::sim
