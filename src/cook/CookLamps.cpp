#include "cook/CookLamps.h"

#include "cook/CookCycleList.h"
#include "sensornet/SensorBus.h"
#include "sensornet/SwitchList.h"

namespace kelvara::cook {

CookLamps::CookLamps(sensornet::SensorBus& bus, CookCycleList& cycles) : m_bus(bus), m_cycles(cycles) {}

void CookLamps::Light_Panel(const sensornet::SwitchList& lit) {
    // A switch toggles when addressed, so each one is addressed only when its lamp differs from its state.
    const QStringList putOut = std::exchange(m_cycles.LampsToPutOut, {});
    for (const QString& rom : putOut)
        if (!rom.isEmpty() && lit.isOn(rom))
            m_bus.toggleSwitch(rom);
    for (int s = 1; s <= CookCycleList::kMaxSensor; ++s) {
        const QString& rom = m_cycles.LightSerial[s];
        if (m_cycles.ThermoDone[s] && !rom.isEmpty() && !lit.isOn(rom)) {
            m_bus.busReset();
            m_bus.toggleSwitch(rom);
        }
    }
}

} // namespace kelvara::cook
