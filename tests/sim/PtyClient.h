#pragma once

#include <QByteArray>
#include <QString>

namespace kelvara::sim::test {

// A client of the simulator's pseudo-terminal through plain POSIX calls, in raw mode.
class PtyClient {
public:
    explicit PtyClient(const QString& path);
    ~PtyClient();
    PtyClient(const PtyClient&) = delete;
    PtyClient& operator=(const PtyClient&) = delete;

    [[nodiscard]] bool isOpen() const { return m_fd >= 0; }
    // Sends the command and collects the answer until it ends with the terminator; gives up after a
    // generous deadline and returns what arrived.
    QByteArray exchange(const QByteArray& command, const QByteArray& terminator = "\r");

private:
    int m_fd = -1;
};

} // namespace kelvara::sim::test
