#pragma once

#include "base/Result.h"

#include <optional>

namespace kelvara::app {
struct AppContext;
}

namespace kelvara::base {
class Clock;
}

namespace kelvara::sensornet {
class AdapterLink;
class SensorBus;
} // namespace kelvara::sensornet

namespace kelvara::monitoring {

class MonitoringCycle;
class ZoneListModel;

// A zone's alarm switched off for some hours from the zone details: its lamp, the pass's flag and the hours
// stored with the zone.
class TemporaryDisable {
public:
    TemporaryDisable(app::AppContext& ctx, sensornet::AdapterLink& link, sensornet::SensorBus& bus,
                     const base::Clock& clock, MonitoringCycle& cycle, ZoneListModel& zones);

    // The "Disable" box of the zone at this place: disabling first resets the adapter and addresses the
    // zone's lamp switch (which switches it); the lamp then follows the disable at the next Light_Panel.
    void setDisabled(int row, bool disabled);

    // Stores the temporary disable of the zone of this room, only while the monitoring timer runs (never
    // during a pass). Disabling counts from now; clearing stores 0 hours. The hours stored, or nullopt when
    // nothing was (a pass runs, or no zone has the room).
    [[nodiscard]] base::Result<std::optional<int>> saveDuration(int room, bool disabled, int hours);

private:
    app::AppContext& m_ctx;
    sensornet::AdapterLink& m_link;
    sensornet::SensorBus& m_bus;
    const base::Clock& m_clock;
    MonitoringCycle& m_cycle;
    ZoneListModel& m_zones;
};

} // namespace kelvara::monitoring
