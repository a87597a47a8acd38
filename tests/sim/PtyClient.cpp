#include "PtyClient.h"

#include <QElapsedTimer>
#include <QFile>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace kelvara::sim::test {

namespace {
constexpr int kDeadlineMs = 10000;
}

PtyClient::PtyClient(const QString& path) {
    m_fd = ::open(QFile::encodeName(path).constData(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (m_fd < 0)
        return;
    termios settings{};
    ::tcgetattr(m_fd, &settings);
    ::cfmakeraw(&settings);
    ::tcsetattr(m_fd, TCSANOW, &settings);
}

PtyClient::~PtyClient() {
    if (m_fd >= 0)
        ::close(m_fd);
}

QByteArray PtyClient::exchange(const QByteArray& command, const QByteArray& terminator) {
    QByteArray answer;
    if (m_fd < 0 || ::write(m_fd, command.constData(), static_cast<size_t>(command.size())) != command.size())
        return answer;
    QElapsedTimer timer;
    timer.start();
    while (!answer.endsWith(terminator) && timer.elapsed() < kDeadlineMs) {
        pollfd p{m_fd, POLLIN, 0};
        if (::poll(&p, 1, 50) <= 0)
            continue;
        char buffer[512];
        const ssize_t n = ::read(m_fd, buffer, sizeof buffer);
        if (n <= 0)
            break;
        answer.append(buffer, n);
    }
    return answer;
}

} // namespace kelvara::sim::test
