#pragma once

#include "store/MonitorSetsStore.h"

#include <QString>
#include <array>
#include <vector>

namespace kelvara::monitoring {

// What the zone alarms hand on to the lamps and the notification dispatcher, per pass and per zone.
struct ZoneAlarmState {
    static constexpr int kMaxZones = 20;

    bool AlarmCondition = false; // some zone was outside its limits in this pass
    bool AlarmRaised = false;    // some zone's alarm was raised in this pass
    QString AlarmRooms; // "3,7," for rooms 3 and 7 raised in this pass; "SensorRead" after a failed search

    // Per zone, by its position in the pass (0 for the first zone row):
    std::array<QString, kMaxZones> AlarmTexts{};     // the alarm text while the zone is out of its limits
    std::array<bool, kMaxZones> ZoneAlarmRaised{};   // its lamp must be lit
    std::array<bool, kMaxZones> ZoneAlarmDisabled{}; // its alarm is temporarily disabled; its lamp stays dark
    std::array<QString, kMaxZones> ZoneLampSerial{}; // the ROM id of its lamp switch (empty: no lamp)

    // Cleared at the start of every reading pass; the per-zone texts and flags carry over.
    void startPass() {
        AlarmCondition = false;
        AlarmRaised = false;
        AlarmRooms.clear();
    }

    // Takes the zones as they are stored now, in Room order. A zone the state already held (the same room
    // read by the same sensor) keeps its alarm where it now stands; a new, moved or re-numbered zone starts
    // clear. Each zone's lamp switch and temporary disable come from its row.
    void loadZones(const std::vector<store::MonitorSetsRow>& zones);

    [[nodiscard]] static bool validZone(int index) { return index >= 0 && index < kMaxZones; }

private:
    struct Identity {
        int room = 0;
        QString sensor;
        bool operator==(const Identity&) const = default;
    };
    std::array<Identity, kMaxZones> m_identity{};
    int m_zones = 0;
};

} // namespace kelvara::monitoring
