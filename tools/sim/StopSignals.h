#pragma once

#include <QObject>

class QSocketNotifier;

namespace kelvara::sim {

// Turns SIGINT and SIGTERM into a Qt signal through a signalfd, so the simulator stops cleanly from its
// event loop.
class StopSignals final : public QObject {
    Q_OBJECT
public:
    // Blocks the two signals for the calling thread and every thread it starts later; call first in main.
    static void blockInEveryThread();

    explicit StopSignals(QObject* parent = nullptr);
    ~StopSignals() override;

Q_SIGNALS:
    void stopRequested(int signalNumber);

private:
    void onReadable();
    int m_fd = -1;
    QSocketNotifier* m_notifier = nullptr;
};

} // namespace kelvara::sim
