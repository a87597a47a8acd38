#include "monitoring/PanelLamps.h"

#include "app/AppContext.h"
#include "sensornet/AdapterLink.h"
#include "sensornet/SensorBus.h"

namespace kelvara::monitoring {

PanelLamps::PanelLamps(app::AppContext& ctx, sensornet::AdapterLink& link, sensornet::SensorBus& bus)
    : m_ctx(ctx), m_link(link), m_bus(bus) {}

bool PanelLamps::ensurePortOpen() {
    if (!m_link.isOpen() || m_link.failed())
        m_link.resetAdapter(m_ctx.commands.ResetCmd);
    return m_link.isOpen();
}

void PanelLamps::Light_Panel(const ZoneAlarmState& state) {
    if (!ensurePortOpen())
        return;
    const sensornet::SwitchList lit = m_bus.activeSwitches();
    if (m_ctx.hasZoneSide())
        lightZones(state, lit);
    if (m_cookHalf && m_ctx.hasCookSide())
        m_cookHalf(lit);
}

void PanelLamps::lightZones(const ZoneAlarmState& state, const sensornet::SwitchList& lit) {
    for (int i = 0; i < ZoneAlarmState::kMaxZones; ++i) {
        const QString& rom = state.ZoneLampSerial[i];
        if (rom.isEmpty())
            continue; // a zone without a lamp switch has nothing to switch
        const bool mustBeDark = !state.ZoneAlarmRaised[i] || state.ZoneAlarmDisabled[i];
        if (mustBeDark && lit.isOn(rom)) {
            m_bus.toggleSwitch(rom);
        } else if (!mustBeDark && !lit.isOn(rom)) {
            m_bus.busReset();
            m_bus.toggleSwitch(rom);
        }
    }
}

void PanelLamps::AlarmPanelOff() {
    if (!ensurePortOpen())
        return;
    const QString family = m_ctx.commands.AlarmSensorCmd.mid(2, 2);
    for (const auto& entry : m_bus.activeSwitches().ofFamily(family))
        m_bus.address(entry.text);
}

} // namespace kelvara::monitoring
