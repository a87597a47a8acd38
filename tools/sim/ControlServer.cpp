#include "sim/ControlServer.h"

#include <QFile>
#include <QSocketNotifier>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace kelvara::sim {

ControlServer::ControlServer(Handler handler, QObject* parent)
    : QObject(parent), m_handler(std::move(handler)) {}

ControlServer::~ControlServer() {
    while (!m_clients.empty())
        dropClient(m_clients.back().fd);
    if (m_listener >= 0) {
        ::close(m_listener);
        ::unlink(QFile::encodeName(m_socketPath).constData());
    }
}

void ControlServer::writeStandardOutput(const QString& line) {
    const QByteArray bytes = line.toUtf8() + '\n';
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stdout);
    std::fflush(stdout);
}

void ControlServer::readStandardInput() {
    m_stdinNotifier = new QSocketNotifier(STDIN_FILENO, QSocketNotifier::Read, this);
    connect(m_stdinNotifier, &QSocketNotifier::activated, this, &ControlServer::onStandardInput);
}

void ControlServer::onStandardInput() {
    char buffer[4096];
    const ssize_t n = ::read(STDIN_FILENO, buffer, sizeof buffer);
    if (n <= 0) {
        if (n < 0 && errno == EINTR)
            return;
        // End of input (or a terminal we may not read from): keep serving the port without control.
        m_stdinNotifier->setEnabled(false);
        return;
    }
    m_stdinBuffer.append(buffer, n);
    const QByteArray replies = answerLines(m_stdinBuffer);
    std::fwrite(replies.constData(), 1, static_cast<size_t>(replies.size()), stdout);
    std::fflush(stdout);
}

QByteArray ControlServer::answerLines(QByteArray& buffer) {
    QByteArray replies;
    for (qsizetype end = buffer.indexOf('\n'); end >= 0; end = buffer.indexOf('\n')) {
        const QString line = QString::fromUtf8(buffer.first(end)).trimmed();
        buffer.remove(0, end + 1);
        if (!line.isEmpty())
            replies += m_handler(line).toUtf8() + '\n';
    }
    return replies;
}

bool ControlServer::listen(const QString& path, QString* error) {
    const QByteArray name = QFile::encodeName(path);
    sockaddr_un address{};
    if (static_cast<size_t>(name.size()) >= sizeof address.sun_path) {
        *error = QStringLiteral("control socket path too long: %1").arg(path);
        return false;
    }
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, name.constData(), static_cast<size_t>(name.size()));
    m_listener = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    ::unlink(name.constData());
    if (m_listener < 0 || ::bind(m_listener, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(m_listener, 4) != 0) {
        *error =
            QStringLiteral("control socket %1: %2").arg(path, QString::fromLocal8Bit(std::strerror(errno)));
        return false;
    }
    m_socketPath = path;
    m_listenNotifier = new QSocketNotifier(m_listener, QSocketNotifier::Read, this);
    connect(m_listenNotifier, &QSocketNotifier::activated, this, &ControlServer::onConnection);
    return true;
}

void ControlServer::onConnection() {
    const int fd = ::accept4(m_listener, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
    if (fd < 0)
        return;
    Client client;
    client.fd = fd;
    client.notifier = new QSocketNotifier(fd, QSocketNotifier::Read, this);
    connect(client.notifier, &QSocketNotifier::activated, this, [this, fd] { onClientReadable(fd); });
    m_clients.push_back(client);
}

void ControlServer::onClientReadable(int fd) {
    const auto it =
        std::find_if(m_clients.begin(), m_clients.end(), [fd](const Client& c) { return c.fd == fd; });
    if (it == m_clients.end())
        return;
    char buffer[4096];
    const ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
    if (n == 0 || (n < 0 && errno != EAGAIN && errno != EINTR)) {
        dropClient(fd);
        return;
    }
    if (n < 0)
        return;
    it->buffer.append(buffer, n);
    const QByteArray replies = answerLines(it->buffer);
    if (!replies.isEmpty())
        ::send(fd, replies.constData(), static_cast<size_t>(replies.size()), MSG_NOSIGNAL);
}

void ControlServer::dropClient(int fd) {
    const auto it =
        std::find_if(m_clients.begin(), m_clients.end(), [fd](const Client& c) { return c.fd == fd; });
    if (it == m_clients.end())
        return;
    it->notifier->setEnabled(false);
    it->notifier->deleteLater();
    ::close(fd);
    m_clients.erase(it);
}

} // namespace kelvara::sim
