#pragma once

#include <QObject>

class QSocketNotifier;

namespace kelvara::main {

// Turns SIGINT and SIGTERM into a Qt signal on the event loop, so a headless run stops cleanly.
class SignalWatcher final : public QObject {
    Q_OBJECT
public:
    explicit SignalWatcher(QObject* parent = nullptr);
    ~SignalWatcher() override;

Q_SIGNALS:
    void stopRequested(int signalNumber);

private:
    void onReadable();
    QSocketNotifier* m_notifier = nullptr;
};

} // namespace kelvara::main
