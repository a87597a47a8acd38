#include "notify/GsmDriver.h"

#include "notify/ModemCommands.h"
#include "notify/SmsError.h"

namespace kelvara::notify {

namespace {
constexpr char kCtrlZ = 0x1A;
} // namespace

SmsOutcome GsmDriver::send(const SmsRequest& request, const QStringList& parts) {
    m_session.log().note(
        QStringLiteral("Sender %1 (the network shows the SIM's own number)")
            .arg(request.senderNumber.isEmpty() ? QStringLiteral("none") : request.senderNumber));
    int error = wakeModem(m_session);
    if (error == kSmsSent)
        error = checkSim();
    if (error == kSmsSent)
        error = commandError(m_session.command("AT+CMGF=1"), m_session);
    for (int i = 0; error == kSmsSent && i < parts.size(); ++i)
        error = sendPart(request.recipientNumber, parts[i]);
    return {error, smsErrorText(error), m_response};
}

int GsmDriver::checkSim() {
    const CommandAnswer answer = m_session.command("AT+CPIN?");
    if (const int error = commandError(answer, m_session); error != kSmsSent)
        return error;
    for (const QByteArray& line : answer.info) {
        if (line.startsWith("+CPIN:") && line.mid(6).trimmed() != "READY")
            return kSmsPinRequired;
    }
    return kSmsSent;
}

int GsmDriver::sendPart(const QString& recipient, const QString& text) {
    if (!m_session.send("AT+CMGS=\"" + recipient.toLatin1() + "\"\r"))
        return kSmsModemSilent;
    if (const int error = waitForPrompt(); error != kSmsSent)
        return error;
    if (!m_session.send(text.toLatin1() + kCtrlZ))
        return kSmsModemSilent;
    const qint64 until = m_session.deadline(kModemAnswerMs);
    while (const auto line = m_session.lineBefore(until)) {
        const auto result = modemResult(*line);
        if (line->startsWith("+CMGS:") || result == ModemResult::CmsError)
            m_response = QString::fromLatin1(*line);
        if (result)
            return commandError({result, *line, {}}, m_session);
    }
    return m_session.timeoutError(kSmsModemSilent);
}

int GsmDriver::waitForPrompt() {
    const qint64 until = m_session.deadline(kModemAnswerMs);
    for (;;) {
        while (const auto line = m_session.takeLine()) {
            if (const auto result = modemResult(*line)) {
                if (result == ModemResult::CmsError)
                    m_response = QString::fromLatin1(*line);
                const int error = commandError({result, *line, {}}, m_session);
                return error == kSmsSent ? kSmsModemError : error;
            }
        }
        const QByteArray rest = m_session.reader().rest();
        if (rest.trimmed().startsWith('>')) {
            m_session.log().received(rest);
            m_session.reader().dropRest();
            return kSmsSent;
        }
        if (!m_session.readMore(until))
            return m_session.timeoutError(kSmsModemSilent);
    }
}

} // namespace kelvara::notify
