#pragma once

#include "monitoring/ZoneAlarmState.h"
#include "store/MonitorSetsStore.h"

#include <QString>
#include <QTime>
#include <optional>

namespace kelvara::monitoring {

// An alarm raised by one zone in one pass: what the Alarms row stores.
struct RaisedAlarm {
    QString AlarmType; // "High" or "Low"
    int AlarmTemp = 0; // the limit that was crossed, rounded
};

// Applies a zone's limits, delay and temporary disable to one good reading.
class ZoneAlarmEvaluator {
public:
    // `zone` is updated in place (the caller saves it); `index` is the zone's position in the pass.
    // Returns the alarm when this reading raised it.
    static std::optional<RaisedAlarm> evaluate(store::MonitorSetsRow& zone, int index, int value,
                                               const QTime& now, const QString& tempType,
                                               ZoneAlarmState& state);

    // "Kelvara Cooler 1  High Alarm  41F"
    [[nodiscard]] static QString alarmText(const QString& name, const QString& alarmType, int value,
                                           const QString& tempType);
};

} // namespace kelvara::monitoring
