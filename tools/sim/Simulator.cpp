#include "sim/Simulator.h"

#include "sim/DeviceFactory.h"

namespace kelvara::sim {

Simulator::Simulator(const Scenario& scenario) : m_adapter(m_bus, m_env) {
    m_env.random.reseed(scenario.seed);
    m_env.conversionScale = scenario.conversionScale;
    for (const DeviceConfig& config : scenario.devices)
        addDevice(config);
    m_adapter.setMode(scenario.adapter);
    m_adapter.setChecksumAnswers(scenario.checksum);
}

std::vector<Answer> Simulator::feed(QByteArrayView bytes) {
    syncClock();
    return m_adapter.feed(bytes);
}

std::vector<Answer> Simulator::feed(QByteArrayView bytes, double nowSeconds) {
    setElapsed(nowSeconds);
    return feed(bytes);
}

void Simulator::setElapsed(double seconds) {
    m_elapsed = seconds;
    syncClock();
}

void Simulator::freezeTime(std::optional<double> seconds) {
    m_frozen = seconds;
    syncClock();
}

void Simulator::addDevice(const DeviceConfig& config) {
    m_bus.add(DeviceFactory::make(config));
}

} // namespace kelvara::sim
