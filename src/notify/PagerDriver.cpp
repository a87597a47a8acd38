#include "notify/PagerDriver.h"

#include "notify/ModemCommands.h"
#include "notify/SmsError.h"

namespace kelvara::notify {

SmsOutcome PagerDriver::send(const SmsRequest& request) {
    int error = wakeModem(m_session);
    if (error == kSmsSent) {
        // The page is taken once the modem has dialled every digit and answers OK.
        error = dial(m_session, request.recipientNumber, true);
        hangUp(m_session, false);
    }
    return {error, smsErrorText(error), {}};
}

} // namespace kelvara::notify
