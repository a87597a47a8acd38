#pragma once

#include <QString>

namespace kelvara::install {

// One cook sensor found on the bus, with the settings it will be saved with.
struct CookWorkingRow {
    int SensorNo = 0;
    QString SensorType;
    QString Name;
    QString SerialNo;
    int LightNo = 0;
    QString LightSerialNo;
    int LightPanelID = 0;
};

} // namespace kelvara::install
