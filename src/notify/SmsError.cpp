#include "notify/SmsError.h"

namespace kelvara::notify {

QString smsErrorText(int error) {
    switch (error) {
    case kSmsSent:
        return QStringLiteral("Sent");
    case kSmsPortNotOpened:
        return QStringLiteral("The modem's port could not be opened");
    case kSmsModemSilent:
        return QStringLiteral("The modem does not answer");
    case kSmsModemError:
        return QStringLiteral("The modem refused a command");
    case kSmsNoDialTone:
        return QStringLiteral("No dial tone");
    case kSmsBusy:
        return QStringLiteral("The number is busy");
    case kSmsNoAnswer:
        return QStringLiteral("No answer from the number dialled");
    case kSmsCarrierLost:
        return QStringLiteral("The connection was lost");
    case kSmsCentreSilent:
        return QStringLiteral("The message centre does not answer");
    case kSmsLoginRefused:
        return QStringLiteral("The message centre refused the log-on");
    case kSmsRejected:
        return QStringLiteral("The message was rejected");
    case kSmsBlockRefused:
        return QStringLiteral("The message centre kept asking for a block again");
    case kSmsPinRequired:
        return QStringLiteral("The SIM card asks for its PIN");
    case kSmsTimeLimit:
        return QStringLiteral("The send took longer than its limit");
    case kSmsInvalidNumber:
        return QStringLiteral("A number is not a dial string");
    case kSmsTooLong:
        return QStringLiteral("The message is too long");
    case kSmsNoSendMode:
        return QStringLiteral("No way of sending is set");
    case kSmsBadSettings:
        return QStringLiteral("The line settings cannot be used");
    default:
        return QStringLiteral("Unknown error");
    }
}

} // namespace kelvara::notify
