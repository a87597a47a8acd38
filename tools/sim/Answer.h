#pragma once

#include <QByteArray>

namespace kelvara::sim {

// What the adapter sends back for one command, and how much later than usual (a device's delay fault).
struct Answer {
    QByteArray bytes;
    int delayMs = 0;
};

} // namespace kelvara::sim
