#pragma once

#include "monitoring/ZoneAlarmState.h"

#include <functional>

namespace kelvara::app {
struct AppContext;
}

namespace kelvara::sensornet {
class AdapterLink;
class SensorBus;
class SwitchList;
} // namespace kelvara::sensornet

namespace kelvara::monitoring {

// The alarm panel: one lamp switch per zone, lit while the zone's alarm is raised and not disabled.
class PanelLamps {
public:
    PanelLamps(app::AppContext& ctx, sensornet::AdapterLink& link, sensornet::SensorBus& bus);

    // The cook cycle panel's lamps, handed the active-switch list; the cook side sets it when it runs.
    using CookHalf = std::function<void(const sensornet::SwitchList& lit)>;
    void setCookHalf(CookHalf cookHalf) { m_cookHalf = std::move(cookHalf); }

    // Brings every zone lamp to its zone's state, switching only the lamps that differ from the active-switch
    // list, then the cook panel's lamps. A port whose device failed is opened again first; nothing happens
    // when it cannot be opened.
    void Light_Panel(const ZoneAlarmState& state);
    // Puts out every lit switch of the alarm panel's family.
    void AlarmPanelOff();

private:
    bool ensurePortOpen();
    void lightZones(const ZoneAlarmState& state, const sensornet::SwitchList& lit);

    app::AppContext& m_ctx;
    sensornet::AdapterLink& m_link;
    sensornet::SensorBus& m_bus;
    CookHalf m_cookHalf;
};

} // namespace kelvara::monitoring
