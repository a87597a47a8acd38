#pragma once

#include "base/Clock.h"
#include "base/Result.h"
#include "store/AlarmPanelStore.h"
#include "store/Database.h"
#include "store/MonitorSetsStore.h"

#include <QStringList>
#include <QVariant>
#include <optional>

namespace kelvara::install {

// The zone configuration's rules: the alarm-panel lamp serials in lamp order, handing them to the zones by
// their lamp numbers, and what an edited cell does to a zone's alarm delay.
class ZoneConfiguration {
public:
    explicit ZoneConfiguration(const store::Database& kvr);

    // Reads the alarm panel in AlarmLedNo order; the lamps are numbered by their position among the rows
    // whose AlarmLedNo is not 0. Lamps beyond the twentieth are not kept (no zone can ask for them).
    [[nodiscard]] base::Result<void> loadLampSerials();
    [[nodiscard]] int LedCount() const { return static_cast<int>(m_ledSerial.size()); }
    // The ROM id of lamp lampNo (1 to LedCount); empty outside that range.
    [[nodiscard]] QString LedSerial(int lampNo) const;

    // The lamp serial a zone with this lamp number is given: empty for 0 (no lamp), nothing when the number
    // names no loaded lamp, in which case the zone keeps its serial.
    [[nodiscard]] std::optional<QString> lampSerialFor(int alarmLedNo) const;

    // Gives every zone the serial of its lamp number and stores the zones that changed. Every zone is tried;
    // the first failure is returned.
    [[nodiscard]] base::Result<void> saveLampSerials() const;

    // After the user changed a cell of the zone grid to value: a delay above 0 starts the zone's delay now;
    // any other change to 0 sets AlarmOn to midnight. True when the row changed and must be stored.
    static bool applyDelayRule(store::MonitorSetsRow& row, int column, const QVariant& value,
                               const base::Clock& clock);

    static constexpr int kMaxLamps = 20;

private:
    store::MonitorSetsStore m_zones;
    store::AlarmPanelStore m_panel;
    QStringList m_ledSerial; // lamp 1 first
};

} // namespace kelvara::install
