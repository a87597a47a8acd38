#pragma once

#include "sensornet/Pause.h"
#include "sensornet/SerialPort.h"
#include "support/FakeClock.h"

#include <QByteArray>
#include <QList>
#include <QMap>
#include <deque>
#include <functional>
#include <vector>

namespace kelvara::test {

// A serial port that answers scripted commands on a fake clock: waits and pauses move the clock on, and
// answers arrive when their time has come.
class ScriptedPort final : public sensornet::SerialPort, public sensornet::Pause {
public:
    // A piece of an answer and how long after the command it arrives.
    struct Chunk {
        QByteArray bytes;
        qint64 afterMs = 0;
    };

    explicit ScriptedPort(FakeClock& clock) : m_clock(clock) {}

    // Each write of exactly this command takes the next reply scripted for it; the last one then repeats
    // until a new one is scripted. Commands without a reply get silence.
    void on(const QByteArray& command, const QByteArray& reply, qint64 afterMs = 0);
    void on(const QByteArray& command, std::vector<Chunk> reply);
    // The next openings fail like this.
    void failOpen(sensornet::PortFailure failure, const QString& text = QStringLiteral("scripted failure"));
    // The port reports this failure on every read and wait from now on and gives no more bytes, as a device
    // pulled out would.
    void breakDown(const QString& error) { m_brokenWith = error; }

    [[nodiscard]] base::Result<void> open(const sensornet::LineSettings& settings) override;
    // Closing drops whatever was still on its way, as a real port does.
    void close() override;
    [[nodiscard]] bool isOpen() const override { return m_open; }
    bool write(const QByteArray& bytes) override;
    QByteArray readAll() override;
    bool waitForReadyRead(int ms) override;
    QString takeError() override;
    [[nodiscard]] bool failed() const override { return m_failed; }

    void wait(qint64 ms) override;

    // A port and a pause that pass everything on to this one, for code that owns its port (a window, the
    // monitoring job); the factories make one of each per call.
    [[nodiscard]] std::unique_ptr<sensornet::SerialPort> handle();
    [[nodiscard]] std::unique_ptr<sensornet::Pause> pauseHandle();
    [[nodiscard]] sensornet::PortFactory portFactory();
    [[nodiscard]] sensornet::PauseFactory pauseFactory();

    // What the port was asked to do, for the test to look at.
    QList<QByteArray> written;
    QList<sensornet::LineSettings> openings;
    QList<qint64> pauses;
    int waits = 0;
    // Set when a reader polled a thousand times without waiting: a loop that would spin a real processor.
    bool spinDetected = false;
    // Runs in every pause, where a real wait would serve the window's events.
    std::function<void()> duringPause;

private:
    struct Pending {
        QByteArray bytes;
        qint64 dueMs = 0;
    };
    void schedule(const std::vector<Chunk>& reply);
    void collectDue();

    FakeClock& m_clock;
    bool m_open = false;
    sensornet::PortFailure m_openFailure = sensornet::PortFailure::None;
    QString m_openFailureText;
    QString m_error;
    QString m_brokenWith;
    bool m_failed = false;
    struct Replies {
        std::deque<std::vector<Chunk>> queue;
        bool lastUsed = false; // the one reply left has answered already and gives way to a newer one
    };
    QMap<QByteArray, Replies> m_replies;
    std::vector<Pending> m_pending; // in order of arrival
    QByteArray m_arrived;
    int m_readsWithoutWait = 0;
};

} // namespace kelvara::test
