#pragma once

#include "base/Clock.h"
#include "notify/SmsGateway.h"
#include "sensornet/SerialPort.h"

#include <atomic>

namespace kelvara::notify {

// One send from start to end on the calling thread: a fresh log, the request's checks, the port opened and
// closed around the driver its mode needs.
class ModemSend {
public:
    ModemSend(sensornet::SerialPort& port, const base::Clock& clock,
              const std::atomic<bool>* abandon = nullptr)
        : m_port(port), m_clock(clock), m_abandon(abandon) {}

    [[nodiscard]] SmsOutcome run(const SmsRequest& request);

private:
    sensornet::SerialPort& m_port;
    const base::Clock& m_clock;
    const std::atomic<bool>* m_abandon;
};

} // namespace kelvara::notify
