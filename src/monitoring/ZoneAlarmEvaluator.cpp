#include "monitoring/ZoneAlarmEvaluator.h"

#include "monitoring/TimeOfDay.h"

#include <cmath>

namespace kelvara::monitoring {

namespace {
int roundHalfEven(double v) {
    return static_cast<int>(std::nearbyint(v));
}

QString withoutLeadingBlanks(const QString& text) {
    qsizetype i = 0;
    while (i < text.size() && text.at(i) == QLatin1Char(' '))
        ++i;
    return text.mid(i);
}
} // namespace

QString ZoneAlarmEvaluator::alarmText(const QString& name, const QString& alarmType, int value,
                                      const QString& tempType) {
    return QStringLiteral("Kelvara ") + withoutLeadingBlanks(name) + QStringLiteral("  ") + alarmType +
           QStringLiteral(" Alarm  ") + QString::number(value) + tempType;
}

std::optional<RaisedAlarm> ZoneAlarmEvaluator::evaluate(store::MonitorSetsRow& zone, int index, int value,
                                                        const QTime& now, const QString& tempType,
                                                        ZoneAlarmState& state) {
    const bool valid = ZoneAlarmState::validZone(index);
    const bool high = zone.HighAlarm && value > *zone.HighAlarm;
    const bool low = zone.LowAlarm && value < *zone.LowAlarm;
    const bool outside = zone.Alarm && (high || low);
    const QTime alarmOn = zone.AlarmOn.value_or(QTime(0, 0));

    if (!outside) {
        if (valid) {
            state.AlarmTexts[index].clear();
            state.ZoneAlarmRaised[index] = false;
        }
        const int elapsed = TimeOfDay::secondsSince(alarmOn, now);
        if (zone.DisableAlarm && elapsed >= zone.Duration * 3600) {
            zone.DisableAlarm = false; // the temporary disable has run out
            zone.Duration = 0;
            zone.Alarmstarted = false;
            if (valid)
                state.ZoneAlarmDisabled[index] = false;
        } else if (zone.Alarmstarted && !zone.DisableAlarm) {
            zone.Alarmstarted = false; // back inside: the delay is abandoned
        }
        return std::nullopt;
    }

    state.AlarmCondition = true;
    int elapsed = 0;
    if (!zone.Alarmstarted) {
        zone.AlarmOn = now;
        zone.Alarmstarted = true;
    } else {
        elapsed = TimeOfDay::secondsSince(alarmOn, now);
    }
    const bool raise = (!zone.DisableAlarm && elapsed >= zone.AlarmDelay * 60) ||
                       (zone.DisableAlarm && elapsed >= zone.Duration * 3600);
    if (!raise)
        return std::nullopt;

    // Raising ends a temporary disable and restarts the delay, so a zone that stays outside is raised
    // again after another delay.
    zone.DisableAlarm = false;
    zone.Duration = 0;
    zone.Alarmstarted = false;
    RaisedAlarm raised;
    raised.AlarmType = high ? QStringLiteral("High") : QStringLiteral("Low");
    raised.AlarmTemp = roundHalfEven(high ? *zone.HighAlarm : *zone.LowAlarm);
    if (valid) {
        state.ZoneAlarmRaised[index] = true;
        state.ZoneAlarmDisabled[index] = false;
        state.AlarmTexts[index] = alarmText(zone.Name, raised.AlarmType, value, tempType);
    }
    state.AlarmRaised = true;
    state.AlarmRooms += QString::number(zone.Room) + QLatin1Char(',');
    return raised;
}

} // namespace kelvara::monitoring
