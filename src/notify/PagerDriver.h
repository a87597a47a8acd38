#pragma once

#include "notify/ModemSession.h"
#include "notify/SmsGateway.h"

namespace kelvara::notify {

// Pages by a voice call: the modem dials the pager service and keys in the page digits held in the number.
class PagerDriver {
public:
    explicit PagerDriver(ModemSession& session) : m_session(session) {}

    [[nodiscard]] SmsOutcome send(const SmsRequest& request);

private:
    ModemSession& m_session;
};

} // namespace kelvara::notify
