#include "notify/UcpDriver.h"

#include "notify/ModemCommands.h"
#include "notify/SmsError.h"

namespace kelvara::notify {

namespace {

constexpr int kTrnCount = 100;
// Where the password stands among a log-on frame's fields (TRN/LEN/O/60/OAdC/OTON/ONPI/STYP/PWD).
constexpr int kPasswordField = 8;

// The frame as the log shows it: the password's field masked.
QByteArray maskedLogOn(const QByteArray& frame) {
    QList<QByteArray> fields = frame.split('/');
    if (fields.size() > kPasswordField && !fields[kPasswordField].isEmpty())
        fields[kPasswordField] = "****";
    return fields.join('/');
}

} // namespace

SmsOutcome UcpDriver::send(const SmsRequest& request, const QStringList& parts) {
    const int error = callCentre(m_session, request.accessNumber, [&] { return exchange(request, parts); });
    return {error, smsErrorText(error), m_response};
}

int UcpDriver::exchange(const SmsRequest& request, const QStringList& parts) {
    m_trn = 0;
    if (!request.password.isEmpty()) {
        const QByteArray frame = ucp::logOnFrame(m_trn, request.senderNumber, request.password);
        if (const int error = transact(frame, maskedLogOn(frame), kSmsLoginRefused); error != kSmsSent)
            return error;
    }
    for (const QString& part : parts) {
        const QByteArray frame = ucp::callInputFrame(m_trn, request.recipientNumber, part);
        if (const int error = transact(frame, frame, kSmsRejected); error != kSmsSent)
            return error;
    }
    return kSmsSent;
}

int UcpDriver::transact(const QByteArray& frame, const QByteArray& shown, int refusedError) {
    const QByteArray operation = frame.split('/').value(3);
    if (!m_session.send(frame, shown))
        return kSmsCarrierLost;
    const qint64 until = m_session.deadline(kCentreAnswerMs);
    bool carrierLost = false;
    while (const auto reply = replyBefore(until, carrierLost)) {
        if (reply->trn != m_trn || reply->operation != operation)
            continue; // not the answer to this frame
        m_trn = (m_trn + 1) % kTrnCount;
        m_response = reply->positive ? reply->systemMessage : reply->text;
        return reply->positive ? kSmsSent : refusedError;
    }
    return carrierLost ? kSmsCarrierLost : m_session.timeoutError(kSmsCentreSilent);
}

std::optional<ucp::Reply> UcpDriver::replyBefore(qint64 deadline, bool& carrierLost) {
    QByteArray& buffer = m_session.reader().buffer();
    for (;;) {
        while (const auto body = ucp::takeFrame(buffer)) {
            m_session.log().received(ucp::kStx + *body + ucp::kEtx);
            if (auto reply = ucp::parseReply(*body))
                return reply;
            m_session.log().note(QStringLiteral("Not a reply, or damaged: ignored"));
        }
        // Outside a frame the modem speaks in lines.
        if (!buffer.contains(ucp::kStx)) {
            while (const auto line = m_session.takeLine()) {
                if (modemResult(*line) == ModemResult::NoCarrier) {
                    carrierLost = true;
                    return std::nullopt;
                }
            }
        }
        if (!m_session.readMore(deadline))
            return std::nullopt;
    }
}

} // namespace kelvara::notify
