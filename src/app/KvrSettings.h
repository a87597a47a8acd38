#pragma once

#include <QString>
#include <cstdint>

namespace kelvara::app {

// The values of KVR.INI that start-up keeps: units, zone count, read/record intervals, alarm sound.
struct KvrSettings {
    QString TempType = QStringLiteral("C"); // "F" or "C", see temperatureUnit()
    bool AudibleAlarmOff = false;
    std::int16_t ColdReadHours = 0;
    double ColdReadMins = 0;
    std::int16_t ColdRecHours = 0;
    double ColdRecMins = 0;
    std::int16_t Zones = 0;
    std::int16_t HotReadHours = 0;
    double HotReadMins = 0;
    std::int16_t HotRecHours = 0;
    double HotRecMins = 0;
};

} // namespace kelvara::app
