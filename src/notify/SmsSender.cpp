#include "notify/SmsSender.h"

#include "notify/SmsError.h"

#include <QDir>
#include <QFile>

namespace kelvara::notify {

SmsSender::SmsSender(QString siteDir, const base::Clock& clock, base::ErrorReporter& errors,
                     NotificationView& view, const CommsLog& log)
    : m_siteDir(std::move(siteDir)), m_clock(clock), m_errors(errors), m_view(view), m_log(log) {}

void SmsSender::logLine(const QString& text) {
    if (auto written = m_log.line(text); !written)
        m_errors.reportError(written.error(), kProcedure);
}

void SmsSender::both(const QString& text) {
    logLine(text);
    m_view.statusLine(text);
}

base::Result<SmsRequest> SmsSender::begin(const store::CallAlarmRow& row, const QString& body,
                                          Purpose purpose) {
    const bool test = purpose == Purpose::Test;
    m_view.clearStatus();
    const QString gatewayLog = QDir(m_siteDir).filePath(QStringLiteral("SMSLog.txt"));
    if (!test && QFile::exists(gatewayLog) && !QFile::remove(gatewayLog))
        m_errors.reportError(QStringLiteral("SMSLog.txt could not be deleted"), kProcedure);

    const QDateTime now = m_clock.now();
    logLine(row.Notify + QStringLiteral(", ") + now.date().toString(QStringLiteral("MM/dd/yyyy")) +
            QStringLiteral(", ") + now.time().toString(QStringLiteral("h:mm:ss AP")));
    logLine(row.Device + QStringLiteral(", ") + row.Recipient);
    const QString retrieving = QStringLiteral("Retrieving Communications Settings...");
    const QString dialing = QStringLiteral("Dialing Provider #") + row.AccessNo;
    const QString sending =
        QStringLiteral("Sending message to ") + row.RecipientNo + QStringLiteral(" , Please wait...");
    if (!test) {
        logLine(dialing);
        logLine(sending);
        m_view.statusLine(retrieving);
        m_view.statusLine(dialing);
        m_view.statusLine(sending);
    }

    SmsRequest request;
    request.logFile = gatewayLog;
    request.device = row.Device;
    request.recipientNumber = row.RecipientNo;
    request.message = body;
    const bool mobile = row.Notify == QLatin1String("Mobile");
    if (mobile) {
        if (test)
            both(retrieving);
        bool numeric = false;
        const int speed = row.Speed.trimmed().toInt(&numeric);
        if (!numeric || speed <= 0) {
            m_errors.reportError(kInvalidData, kProcedure);
            return base::fail(smsErrorText(kSmsBadSettings), kSmsBadSettings);
        }
        request.speed = speed;
        request.dataFormat = row.Parity == QLatin1String("even") ? 2 : 1;
        if (test)
            both(dialing);
        request.accessNumber = row.AccessNo;
        request.password = row.Password.value_or(QString());
        request.protocol = row.Protocol == QLatin1String("TAP") ? CentreProtocol::Tap : CentreProtocol::Ucp;
        if (row.SendType == QLatin1String("GSM")) {
            request.senderNumber = row.SenderNo;
            request.mode = SendMode::Gsm;
        } else if (row.SendType == QLatin1String("Provider")) {
            request.mode = SendMode::Provider;
        }
    }
    if (test)
        both(sending);
    if (row.Notify == QLatin1String("Pager"))
        request.mode = SendMode::Pager;
    if (!request.mode) {
        m_errors.reportError(kInvalidData, kProcedure);
        return base::fail(smsErrorText(kSmsNoSendMode), kSmsNoSendMode);
    }
    return request;
}

SmsOutcome SmsSender::notSent(const base::Failure& failure) {
    SmsOutcome outcome;
    outcome.result = failure.code != 0 ? failure.code : kSmsNoSendMode;
    outcome.description = failure.text;
    return outcome;
}

bool SmsSender::finish(const store::CallAlarmRow& row, const SmsOutcome& outcome) {
    if (!outcome.sent()) {
        both(QStringLiteral("ERROR: ") + QString::number(outcome.result) + QStringLiteral(" (") +
             outcome.description + QStringLiteral(")"));
        both(QStringLiteral("Alert Messaging Failed"));
    } else {
        both(QStringLiteral("Send Successful!"));
    }
    if (row.SendType == QLatin1String("Provider") && !outcome.providerResponse.isEmpty())
        both(QStringLiteral("Response from provider: ") + outcome.providerResponse);
    logLine(QStringLiteral(" "));
    logLine(QStringLiteral(" "));
    return outcome.sent();
}

} // namespace kelvara::notify
