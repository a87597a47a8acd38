#pragma once

#include "sensornet/Pause.h"

namespace kelvara::sensornet {

// Waits in a local event loop, so windows repaint, timers tick and serial notifications arrive meanwhile.
class EventLoopPause final : public Pause {
public:
    void wait(qint64 ms) override;
};

} // namespace kelvara::sensornet
