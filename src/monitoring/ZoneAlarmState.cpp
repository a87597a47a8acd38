#include "monitoring/ZoneAlarmState.h"

namespace kelvara::monitoring {

void ZoneAlarmState::loadZones(const std::vector<store::MonitorSetsRow>& zones) {
    const ZoneAlarmState before = *this;
    m_zones = std::min(static_cast<int>(zones.size()), kMaxZones);
    for (int i = 0; i < kMaxZones; ++i) {
        const auto at = static_cast<std::size_t>(i);
        const bool present = i < m_zones;
        const Identity identity =
            present ? Identity{zones[at].Room, zones[at].SerialNo.trimmed().toUpper()} : Identity{};
        m_identity[at] = identity;
        ZoneLampSerial[at] = present ? zones[at].ALarmSerialNo.trimmed() : QString();
        ZoneAlarmDisabled[at] = present && zones[at].DisableAlarm;
        ZoneAlarmRaised[at] = false;
        AlarmTexts[at].clear();
        if (!present)
            continue;
        for (int j = 0; j < before.m_zones; ++j) {
            const auto was = static_cast<std::size_t>(j);
            if (before.m_identity[was] == identity) {
                ZoneAlarmRaised[at] = before.ZoneAlarmRaised[was];
                AlarmTexts[at] = before.AlarmTexts[was];
                break;
            }
        }
    }
}

} // namespace kelvara::monitoring
