#pragma once

#include <QString>

namespace kelvara::install {

// One lamp switch found on the bus and the zone or cook sensor number its lamp belongs to (0: none yet).
struct LampRow {
    int AlarmLedNo = 0;
    QString AlarmSerialNo;
};

} // namespace kelvara::install
