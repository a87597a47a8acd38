#include "notify/ModemCommands.h"

#include "notify/SmsError.h"

namespace kelvara::notify {

int commandError(const CommandAnswer& answer, const ModemSession& session) {
    if (!answer.result)
        return session.timeoutError(kSmsModemSilent);
    switch (*answer.result) {
    case ModemResult::Ok:
    case ModemResult::Connect:
        return kSmsSent;
    case ModemResult::Error:
        return kSmsModemError;
    case ModemResult::CmsError:
        return kSmsRejected;
    case ModemResult::NoDialTone:
        return kSmsNoDialTone;
    case ModemResult::Busy:
        return kSmsBusy;
    case ModemResult::NoAnswer:
    case ModemResult::NoCarrier: // no carrier came up: nobody answered the call
        return kSmsNoAnswer;
    }
    return kSmsModemError;
}

int wakeModem(ModemSession& session) {
    CommandAnswer answer;
    for (int i = 0; i < kWakeTries && !answer.result; ++i) {
        answer = session.command("AT");
        if (session.timeoutError(0) != 0)
            break;
    }
    if (const int error = commandError(answer, session); error != kSmsSent)
        return error;
    return commandError(session.command("ATE0"), session);
}

int dial(ModemSession& session, const QString& number, bool voice) {
    const QByteArray command = "ATDT" + number.toLatin1() + (voice ? ";" : "");
    const CommandAnswer answer = session.command(command, kDialMs);
    const int error = commandError(answer, session);
    if (error != kSmsSent)
        return error;
    const ModemResult expected = voice ? ModemResult::Ok : ModemResult::Connect;
    return *answer.result == expected ? kSmsSent : kSmsModemError;
}

void hangUp(ModemSession& session, bool dataCall) {
    session.liftSendLimit();
    if (dataCall && !session.carrierDropped()) {
        session.waitForSilence(kEscapeGuardMs);
        if (!session.carrierDropped() && session.send("+++")) {
            const qint64 until = session.deadline(kModemAnswerMs);
            while (const auto line = session.lineBefore(until)) {
                const auto result = modemResult(*line);
                if (result == ModemResult::Ok || result == ModemResult::NoCarrier)
                    break;
            }
        }
    }
    if (!session.command("ATH0").result)
        session.log().note(QStringLiteral("The modem did not confirm the hang-up."));
}

int callCentre(ModemSession& session, const QString& number, const std::function<int()>& exchange) {
    int error = wakeModem(session);
    if (error != kSmsSent)
        return error;
    error = dial(session, number, false);
    const bool connected = error == kSmsSent;
    if (connected)
        error = exchange();
    hangUp(session, connected);
    return error;
}

} // namespace kelvara::notify
