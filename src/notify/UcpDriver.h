#pragma once

#include "notify/ModemSession.h"
#include "notify/SmsGateway.h"
#include "notify/UcpFrame.h"

#include <QByteArray>
#include <QStringList>

namespace kelvara::notify {

// Dials the message centre and hands it the message's parts by UCP, logging on first when there is a
// password, then hangs up.
class UcpDriver {
public:
    explicit UcpDriver(ModemSession& session) : m_session(session) {}

    // The parts come checked and cut to size; the send succeeds only when the centre confirmed every one.
    [[nodiscard]] SmsOutcome send(const SmsRequest& request, const QStringList& parts);

private:
    [[nodiscard]] int exchange(const SmsRequest& request, const QStringList& parts);
    // Sends the frame and waits for the centre's reply to it; the reply's error or 0.
    [[nodiscard]] int transact(const QByteArray& frame, const QByteArray& shown, int refusedError);
    [[nodiscard]] std::optional<ucp::Reply> replyBefore(qint64 deadline, bool& carrierLost);

    ModemSession& m_session;
    QString m_response;
    int m_trn = 0;
};

} // namespace kelvara::notify
