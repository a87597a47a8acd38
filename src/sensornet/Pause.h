#pragma once

#include <QtGlobal>

namespace kelvara::sensornet {

// Lets a given time pass while the rest of the program keeps running (the adapter link's one-second waits).
class Pause {
public:
    virtual ~Pause() = default;
    virtual void wait(qint64 ms) = 0;
};

} // namespace kelvara::sensornet
