#pragma once

namespace kelvara::sensornet {
class SensorBus;
class SwitchList;
} // namespace kelvara::sensornet

namespace kelvara::cook {

class CookCycleList;

// The cook cycle panel's half of the lamp update: the lamp of every done cycle is lit, and the lamp of a
// stopped cycle goes out, so a lamp left lit never says that the next product on its sensor is done.
class CookLamps {
public:
    CookLamps(sensornet::SensorBus& bus, CookCycleList& cycles);

    // `lit` is the active-switch list the zone half fetched for this update.
    void Light_Panel(const sensornet::SwitchList& lit);

private:
    sensornet::SensorBus& m_bus;
    CookCycleList& m_cycles;
};

} // namespace kelvara::cook
