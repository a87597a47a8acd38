#pragma once

namespace kelvara::install {

// The columns of the zone configuration grid, in the order the user sees them.
enum class ZoneGridColumn {
    Zone,      // Room
    Name,      // Name
    SerialNo,  // SerialNo
    Alarm,     // Alarm
    Low,       // LowAlarm
    High,      // HighAlarm
    Delay,     // AlarmDelay, in minutes
    Record,    // Record
    Calibrate, // Calibration
    AlarmLed,  // AlarmLedNo
    Count
};

} // namespace kelvara::install
