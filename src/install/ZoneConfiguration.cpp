#include "install/ZoneConfiguration.h"

#include "base/Clock.h"
#include "install/ZoneGridColumn.h"

namespace kelvara::install {

namespace {

// A value counts as 0 when it is a false flag or reads as the number 0.
bool isZero(const QVariant& value) {
    if (value.typeId() == QMetaType::Bool)
        return !value.toBool();
    bool ok = false;
    const double number = value.toString().trimmed().toDouble(&ok);
    return ok && number == 0.0;
}

} // namespace

ZoneConfiguration::ZoneConfiguration(const store::Database& kvr) : m_zones(kvr), m_panel(kvr) {}

base::Result<void> ZoneConfiguration::loadLampSerials() {
    m_ledSerial.clear();
    const auto lamps = m_panel.loadAll();
    if (!lamps)
        return lamps.failure();
    for (const store::AlarmPanelRow& lamp : *lamps) {
        if (lamp.AlarmLedNo == 0)
            continue;
        if (m_ledSerial.size() == kMaxLamps)
            break;
        m_ledSerial << lamp.ALarmSerialNo;
    }
    return {};
}

QString ZoneConfiguration::LedSerial(int lampNo) const {
    if (lampNo < 1 || lampNo > LedCount())
        return {};
    return m_ledSerial[lampNo - 1];
}

std::optional<QString> ZoneConfiguration::lampSerialFor(int alarmLedNo) const {
    // A negative number names no lamp either; it is left alone rather than read as "no lamp".
    if (alarmLedNo < 0 || alarmLedNo > LedCount() || alarmLedNo > kMaxLamps)
        return std::nullopt;
    return LedSerial(alarmLedNo);
}

base::Result<void> ZoneConfiguration::saveLampSerials() const {
    const auto zones = m_zones.loadAll();
    if (!zones)
        return zones.failure();
    base::Result<void> first;
    for (store::MonitorSetsRow zone : *zones) {
        const std::optional<QString> serial = lampSerialFor(zone.AlarmLedNo);
        if (!serial || *serial == zone.ALarmSerialNo)
            continue;
        zone.ALarmSerialNo = *serial;
        if (auto saved = m_zones.update(zone); !saved.ok() && first.ok())
            first = saved;
    }
    return first;
}

bool ZoneConfiguration::applyDelayRule(store::MonitorSetsRow& row, int column, const QVariant& value,
                                       const base::Clock& clock) {
    if (column == static_cast<int>(ZoneGridColumn::Delay) && value.toInt() > 0) {
        const QTime now = clock.currentTime();
        row.AlarmOn = QTime(now.hour(), now.minute(), now.second()); // stored to the second
        row.Alarmstarted = true;
        return true;
    }
    if (isZero(value)) {
        row.AlarmOn = QTime(0, 0);
        return true;
    }
    return false;
}

} // namespace kelvara::install
