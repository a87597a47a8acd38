#pragma once

#include <QString>
#include <QTime>
#include <optional>

namespace kelvara::install {

// One temperature sensor found on the bus, with the zone settings it will be saved with.
struct ZoneWorkingRow {
    int Room = 0;
    QString Name;
    QString SerialNo;
    bool Alarm = false;
    // A limit stored as Null stays Null: it takes part in no comparison.
    std::optional<double> LowAlarm = 0.0;
    std::optional<double> HighAlarm = 0.0;
    bool Record = true;
    bool AlarmStarted = false;
    int AlarmDelay = 0;
    std::optional<QTime> AlarmOn = QTime(0, 0);
    bool DisableAlarm = false;
    int Duration = 0;
    double Calibration = 0.0;
    QString AlarmSerialNo;
    int AlarmPanelID = 0;
};

} // namespace kelvara::install
