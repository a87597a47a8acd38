#include "monitoring/TemporaryDisable.h"

#include "app/AppContext.h"
#include "base/Clock.h"
#include "monitoring/MonitoringCycle.h"
#include "monitoring/ZoneListModel.h"
#include "sensornet/AdapterLink.h"
#include "sensornet/SensorBus.h"
#include "store/MonitorSetsStore.h"

namespace kelvara::monitoring {

TemporaryDisable::TemporaryDisable(app::AppContext& ctx, sensornet::AdapterLink& link,
                                   sensornet::SensorBus& bus, const base::Clock& clock,
                                   MonitoringCycle& cycle, ZoneListModel& zones)
    : m_ctx(ctx), m_link(link), m_bus(bus), m_clock(clock), m_cycle(cycle), m_zones(zones) {}

void TemporaryDisable::setDisabled(int row, bool disabled) {
    if (!ZoneAlarmState::validZone(row))
        return;
    ZoneAlarmState& state = m_cycle.alarmState();
    const auto at = static_cast<std::size_t>(row);
    if (disabled) {
        m_link.resetAdapter(m_ctx.commands.ResetCmd); // a port that will not open has been explained already
        if (!state.ZoneLampSerial[at].isEmpty())
            m_bus.toggleSwitch(state.ZoneLampSerial[at]);
    }
    state.ZoneAlarmDisabled[at] = disabled;
    m_zones.alarmStateChanged();
}

base::Result<std::optional<int>> TemporaryDisable::saveDuration(int room, bool disabled, int hours) {
    // A pass has the zone rows open for writing; the hours wait for the next chance.
    if (!m_cycle.timerEnabled())
        return std::nullopt;
    if (!m_ctx.databases.kvr || !m_ctx.databases.kvr->isOpen())
        return std::nullopt;
    const store::MonitorSetsStore zones(*m_ctx.databases.kvr);
    auto found = zones.findByRoom(room);
    if (!found)
        return found.failure();
    if (!found->has_value())
        return std::nullopt;
    store::MonitorSetsRow zone = **found;
    if (disabled)
        zone.AlarmOn = m_clock.currentTime(); // the temporary disable counts from now
    else
        hours = 0;
    zone.Duration = hours;
    zone.DisableAlarm = disabled;
    if (const auto stored = zones.update(zone); !stored)
        return stored.failure();
    m_zones.setDuration(m_zones.rowOfRoom(room), hours);
    return hours;
}

} // namespace kelvara::monitoring
