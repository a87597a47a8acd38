#pragma once

#include "base/Clock.h"
#include "notify/SmsGateway.h"
#include "sensornet/SerialPort.h"

#include <QObject>
#include <QThread>
#include <atomic>
#include <deque>
#include <memory>
#include <optional>

namespace kelvara::notify {

// Sends through a modem on the serial line: each send runs on a worker thread of its own, one at a time,
// and its outcome comes back on the thread the gateway was made in, which is the one that asks.
class ModemSmsGateway final : public SmsGateway {
public:
    using ClockFactory = std::function<std::unique_ptr<base::Clock>()>;

    // Both factories are called on the worker thread, so the port and the clock live there only.
    explicit ModemSmsGateway(sensornet::PortFactory ports = defaultPorts(),
                             ClockFactory clocks = defaultClocks());
    // Abandons a running send (its done never runs) and waits for its thread.
    ~ModemSmsGateway() override;

    ModemSmsGateway(const ModemSmsGateway&) = delete;
    ModemSmsGateway& operator=(const ModemSmsGateway&) = delete;

    // A send asked for while one runs waits for its turn.
    void send(const SmsRequest& request, Done done) override;
    [[nodiscard]] QStringList devices() const override;

    [[nodiscard]] static sensornet::PortFactory defaultPorts();
    [[nodiscard]] static ClockFactory defaultClocks();

private:
    struct Job {
        SmsRequest request;
        Done done;
    };
    void startNext();
    void finished(const SmsOutcome& outcome);

    sensornet::PortFactory m_ports;
    ClockFactory m_clocks;
    // Lives on the caller's thread: the worker posts the outcome to it.
    std::unique_ptr<QObject> m_home;
    std::deque<Job> m_waiting;
    std::optional<Job> m_running;
    std::atomic<bool> m_abandon{false};
    std::unique_ptr<QThread> m_worker;
};

} // namespace kelvara::notify
