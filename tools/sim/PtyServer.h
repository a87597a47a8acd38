#pragma once

#include "sim/Answer.h"
#include "sim/PortEngine.h"

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>
#include <deque>
#include <vector>

class QSocketNotifier;

namespace kelvara::sim {

// The simulator's serial port: a pseudo-terminal in raw mode whose master end carries the traffic of the
// engine behind it (the bus adapter or the modem).
// Answers leave no sooner than the line could carry them at the chosen baud rate. The server keeps a slave
// descriptor of its own so the port survives a client closing and reopening it, and watches the clients'
// opens and closes: answers a client has not read when it closes, and answers made while no client has the
// port open, are dropped, as a real port loses them.
class PtyServer final : public QObject {
    Q_OBJECT
public:
    PtyServer(PortEngine& engine, const QElapsedTimer& clock, QObject* parent = nullptr);
    ~PtyServer() override;

    // 0: no pacing.
    void setBaud(int baud) { m_baud = baud; }
    // A symbolic link kept pointing at the current slave path.
    void setLinkPath(const QString& path) { m_linkPath = path; }
    // Logs every command and answer on standard error.
    void setTrace(bool on) { m_trace = on; }

    bool open(QString* error);
    void close();
    [[nodiscard]] bool isOpen() const { return m_master >= 0; }
    [[nodiscard]] QString path() const { return m_path; }
    // Takes in everything the port has received so far (and the clients' opens and closes before it).
    void takeInput();

private:
    struct Pending {
        QByteArray bytes;
        qint64 dueMs = 0;
    };

    void onClientEvents();
    void clientClosed();
    void schedule(const std::vector<Answer>& answers, qint64 receivedMs);
    void deliver();
    void wake();
    void armWake();
    void flush();
    void trace(const char* direction, const QByteArray& bytes) const;

    PortEngine& m_engine;
    const QElapsedTimer& m_clock;
    int m_baud = 0;
    QString m_linkPath;
    bool m_trace = false;

    int m_master = -1;
    int m_slave = -1;
    int m_inotify = -1;
    // Clients holding the port open, as far as the watch has told; without a watch, always taken as one.
    int m_clients = 1;
    QString m_path;
    QSocketNotifier* m_readNotifier = nullptr;
    QSocketNotifier* m_writeNotifier = nullptr;
    QSocketNotifier* m_inotifyNotifier = nullptr;
    QTimer m_deliveryTimer;
    QTimer m_wakeTimer; // for an engine that acts when time passes without input
    std::deque<Pending> m_pending;
    QByteArray m_out; // delivered but not yet taken by the terminal
    qint64 m_lineFreeMs = 0;
};

} // namespace kelvara::sim
