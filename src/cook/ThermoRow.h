#pragma once

#include <QString>

namespace kelvara::cook {

// One running cook cycle as the reading pass and the cook panel see it.
struct ThermoRow {
    int SensorNo = 0;
    QString Name;
    int Target = 0;
    int ProductID = 0;
    QString Product;
    double Hours = 0.0;
    double Minutes = 0.0;
    QString StartTime;
    QString EndTime;
    // The cycle has reached its target at least once; kept in ThermoSensors.Cookdone across restarts.
    bool CookDone = false;
    int BatchNo = 0;
    QString BatchID;
    QString SerialNo;
    QString LightSerialNo;
    // Sound the cook-done sound when the target is reached.
    bool Alarm = false;
    // The last reading as a whole number in the display unit, or "NR" before the first and after a failed
    // one.
    QString CurrentTemp = QStringLiteral("NR");
    QString SensorType;
};

} // namespace kelvara::cook
