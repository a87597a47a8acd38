#pragma once

#include <QtGlobal>
#include <functional>
#include <memory>

namespace kelvara::sensornet {

// Lets a given time pass while the rest of the program keeps running (the adapter link's one-second waits).
class Pause {
public:
    virtual ~Pause() = default;
    virtual void wait(qint64 ms) = 0;
};

// Makes the waits of one window's link to the adapter.
using PauseFactory = std::function<std::unique_ptr<Pause>()>;

} // namespace kelvara::sensornet
