#pragma once

#include "monitoring/ZoneAlarmState.h"

namespace kelvara::app {
struct AppContext;
}

namespace kelvara::sensornet {
class AdapterLink;
class SensorBus;
} // namespace kelvara::sensornet

namespace kelvara::monitoring {

// The alarm panel: one lamp switch per zone, lit while the zone's alarm is raised and not disabled.
class PanelLamps {
public:
    PanelLamps(app::AppContext& ctx, sensornet::AdapterLink& link, sensornet::SensorBus& bus);

    // Brings every zone lamp to its zone's state, switching only the lamps that differ from the active-switch
    // list. A port whose device failed is opened again first; nothing happens when it cannot be opened.
    void Light_Panel(const ZoneAlarmState& state);
    // Puts out every lit switch of the alarm panel's family.
    void AlarmPanelOff();

private:
    bool ensurePortOpen();

    app::AppContext& m_ctx;
    sensornet::AdapterLink& m_link;
    sensornet::SensorBus& m_bus;
};

} // namespace kelvara::monitoring
