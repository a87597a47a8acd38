#pragma once

#include "notify/ModemSession.h"
#include "notify/SmsGateway.h"

#include <QByteArray>
#include <QList>

namespace kelvara::notify {

// Dials the message centre and hands it the message's blocks by TAP, then hangs up.
class TapDriver {
public:
    explicit TapDriver(ModemSession& session) : m_session(session) {}

    // The blocks come built and counted; the send succeeds only when the centre accepted every one.
    [[nodiscard]] SmsOutcome send(const SmsRequest& request, const QList<QByteArray>& blocks);

private:
    [[nodiscard]] int exchange(const SmsRequest& request, const QList<QByteArray>& blocks);
    [[nodiscard]] int waitForIdPrompt();
    [[nodiscard]] int logOn(const QString& password);
    [[nodiscard]] int sendBlock(const QByteArray& block);
    void logOff();
    // The error a centre's line ends the wait with: 0 for lines that do not, -1 for the awaited one.
    [[nodiscard]] int centreLine(const QByteArray& line, const QByteArray& awaited);

    ModemSession& m_session;
    QString m_response;
};

} // namespace kelvara::notify
