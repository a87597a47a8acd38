#pragma once

#include <QString>

namespace kelvara::notify {

// The gateway's error numbers. They are written into the communications log and documented for the
// site's staff, so a number keeps its meaning from release to release.
enum SmsError : int {
    kSmsSent = 0,
    kSmsPortNotOpened = 1001, // the modem's port would not open
    kSmsModemSilent = 1002,   // the modem answered nothing within its limit
    kSmsModemError = 1003,    // the modem answered ERROR to a command
    kSmsNoDialTone = 1004,
    kSmsBusy = 1005,
    kSmsNoAnswer = 1006,      // the far end did not pick up
    kSmsCarrierLost = 1007,   // the connection dropped during the exchange
    kSmsCentreSilent = 1008,  // connected, but the message centre answered nothing within its limit
    kSmsLoginRefused = 1009,  // the message centre refused the password or the log-on
    kSmsRejected = 1010,      // the centre or the network refused the message (RS, negative acknowledgement,
                              // +CMS ERROR)
    kSmsBlockRefused = 1011,  // the centre asked for a block again more often than allowed
    kSmsPinRequired = 1012,   // the SIM card waits for its PIN
    kSmsTimeLimit = 1013,     // the whole send took longer than its limit
    kSmsInvalidNumber = 1014, // a number holds something other than what a dial string may
    kSmsTooLong = 1015,       // the message needs more parts than a send may have
    kSmsNoSendMode = 1016,    // the request names no way of sending
    kSmsBadSettings = 1017,   // the line settings cannot be used (speed, data format)
};

// The description the communications log shows for an error number.
[[nodiscard]] QString smsErrorText(int error);

} // namespace kelvara::notify
