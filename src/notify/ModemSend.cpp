#include "notify/ModemSend.h"

#include "notify/GsmDriver.h"
#include "notify/PagerDriver.h"
#include "notify/SmsError.h"
#include "notify/SmsPlan.h"
#include "notify/TapDriver.h"
#include "notify/UcpDriver.h"

namespace kelvara::notify {

namespace {

QString modeName(const SmsRequest& r) {
    if (!r.mode)
        return QStringLiteral("none");
    switch (*r.mode) {
    case SendMode::Gsm:
        return QStringLiteral("GSM modem");
    case SendMode::Provider:
        return r.protocol == CentreProtocol::Tap
                   ? QStringLiteral("message centre by TAP, dialling %1").arg(r.accessNumber)
                   : QStringLiteral("message centre by UCP, dialling %1").arg(r.accessNumber);
    case SendMode::Pager:
        return QStringLiteral("pager");
    }
    return {};
}

SmsOutcome failed(int error) {
    return {error, smsErrorText(error), {}};
}

} // namespace

SmsOutcome ModemSend::run(const SmsRequest& request) {
    SmsLog log(request.logFile, m_clock);
    log.note(QStringLiteral("Send to %1 by %2 on %3")
                 .arg(request.recipientNumber, modeName(request), request.device));
    SmsOutcome outcome;
    const auto plan = planSend(request);
    const auto settings = modemLineSettings(request);
    if (!plan) {
        outcome = failed(plan.code());
    } else if (!settings) {
        outcome = failed(settings.code());
    } else if (const base::Result<void> opened = m_port.open(*settings); !opened) {
        log.note(QStringLiteral("%1: %2").arg(settings->portName, opened.error()));
        outcome = failed(kSmsPortNotOpened);
    } else {
        ModemSession session(m_port, m_clock, log, m_abandon);
        switch (*request.mode) {
        case SendMode::Gsm:
            outcome = GsmDriver(session).send(request, plan->parts);
            break;
        case SendMode::Provider:
            outcome = request.protocol == CentreProtocol::Tap ? TapDriver(session).send(request, plan->blocks)
                                                              : UcpDriver(session).send(request, plan->parts);
            break;
        case SendMode::Pager:
            outcome = PagerDriver(session).send(request);
            break;
        }
        m_port.close();
    }
    log.note(QStringLiteral("Result %1: %2").arg(outcome.result).arg(outcome.description));
    return outcome;
}

} // namespace kelvara::notify
