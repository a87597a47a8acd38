#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <functional>
#include <vector>

class QSocketNotifier;

namespace kelvara::sim {

// The control channel: command lines from standard input and, when asked, from clients of a Unix socket.
// Each line gets one reply line on the channel it came from.
class ControlServer final : public QObject {
    Q_OBJECT
public:
    using Handler = std::function<QString(const QString& line)>;

    explicit ControlServer(Handler handler, QObject* parent = nullptr);
    ~ControlServer() override;

    void readStandardInput();
    bool listen(const QString& path, QString* error);
    // One line on standard output, flushed at once (the reader is usually a pipe).
    static void writeStandardOutput(const QString& line);

private:
    struct Client {
        int fd = -1;
        QSocketNotifier* notifier = nullptr;
        QByteArray buffer;
    };

    void onStandardInput();
    void onConnection();
    void onClientReadable(int fd);
    void dropClient(int fd);
    [[nodiscard]] QByteArray answerLines(QByteArray& buffer);

    Handler m_handler;
    QSocketNotifier* m_stdinNotifier = nullptr;
    QByteArray m_stdinBuffer;
    int m_listener = -1;
    QString m_socketPath;
    QSocketNotifier* m_listenNotifier = nullptr;
    std::vector<Client> m_clients;
};

} // namespace kelvara::sim
