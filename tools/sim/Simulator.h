#pragma once

#include "sim/Adapter.h"
#include "sim/Answer.h"
#include "sim/Bus.h"
#include "sim/Environment.h"
#include "sim/PortEngine.h"
#include "sim/Scenario.h"

#include <QByteArrayView>
#include <optional>
#include <vector>

namespace kelvara::sim {

// The simulated installation behind the serial port: the bus with the scenario's devices, the adapter in
// front of it and the scenario clock. Bytes in, answers out; the caller owns the port and the real time.
class Simulator final : public PortEngine {
public:
    explicit Simulator(const Scenario& scenario);

    [[nodiscard]] std::vector<Answer> feed(QByteArrayView bytes);
    // The port's view: the bytes and the real time they came at.
    [[nodiscard]] std::vector<Answer> feed(QByteArrayView bytes, double nowSeconds) override;
    void clientGone() override { m_adapter.clientGone(); }

    // Seconds of real time since the start; the courses follow it unless the clock is frozen.
    void setElapsed(double seconds);
    // Holds the scenario clock at the given second; nullopt lets it follow real time again.
    void freezeTime(std::optional<double> seconds);
    [[nodiscard]] double now() const { return m_frozen.value_or(m_elapsed); }

    void addDevice(const DeviceConfig& config);
    [[nodiscard]] Bus& bus() { return m_bus; }
    [[nodiscard]] Adapter& adapter() { return m_adapter; }
    [[nodiscard]] Environment& environment() { return m_env; }

private:
    void syncClock() {
        m_env.now = now();
        m_env.elapsed = m_elapsed;
    }

    Environment m_env;
    Bus m_bus;
    Adapter m_adapter;
    double m_elapsed = 0.0;
    std::optional<double> m_frozen;
};

} // namespace kelvara::sim
