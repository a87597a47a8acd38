#pragma once

#include "notify/ModemSession.h"
#include "notify/SmsGateway.h"

#include <QStringList>

namespace kelvara::notify {

// Sends a message's parts through a GSM modem in text mode, each part confirmed by the network.
class GsmDriver {
public:
    explicit GsmDriver(ModemSession& session) : m_session(session) {}

    // The parts come checked and cut to size; the send succeeds only when every one was confirmed.
    [[nodiscard]] SmsOutcome send(const SmsRequest& request, const QStringList& parts);

private:
    [[nodiscard]] int checkSim();
    [[nodiscard]] int sendPart(const QString& recipient, const QString& text);
    [[nodiscard]] int waitForPrompt();

    ModemSession& m_session;
    QString m_response;
};

} // namespace kelvara::notify
