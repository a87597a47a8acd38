#include "notify/MailSender.h"

#include "notify/MailMessage.h"

#include <QDir>

namespace kelvara::notify {

MailSender::MailSender(QString siteDir, const base::Clock& clock, MailTransport& transport,
                       DialUp::Config dialUp)
    : m_siteDir(std::move(siteDir)), m_clock(clock), m_transport(transport),
      m_dialUpConfig(std::move(dialUp)), m_call(std::make_unique<BackgroundCall>()),
      m_alive(std::make_shared<bool>(true)) {}

MailSender::~MailSender() {
    *m_alive = false;
    m_call.reset();
}

void MailSender::logLine(const QString& text) {
    // A log that cannot be written does not stop the send; the status list still shows its lines.
    (void)m_log->line(text);
}

void MailSender::Send_Email(NotificationView& caller, const CommsLog& log, const MailRequest& request,
                            Done done) {
    m_caller = &caller;
    m_log = &log;
    m_request = request;
    m_done = std::move(done);
    m_sendStatus.clear();
    m_lstStatus.clear();
    m_lblProgress.clear();
    m_link.reset();

    auto settings = MailSettings::load(QDir(m_siteDir).filePath(QStringLiteral("KVR.INI")));
    if (!settings) {
        failed(settings.error());
        end();
        return;
    }
    m_settings = *settings;
    if (m_settings.dialFirst())
        dial();
    else
        transfer();
}

void MailSender::dial() {
    DialUp::Config config = m_dialUpConfig;
    config.abandoned = &m_call->abandoned();
    m_link = std::make_shared<DialUp>(config);
    auto result = std::make_shared<int>(DialUp::kNoEntries);
    m_call->run(
        [link = m_link, result] {
            const QStringList entries = link->ListDUNs();
            if (!entries.isEmpty())
                *result = link->StartDUN(entries.front());
        },
        [this, result] {
            m_dialResult = *result;
            if (*result != 0) {
                // A failed dial is a failed send: nothing went, and the row must not count as told.
                failed(QStringLiteral("Dial-up failed: ") + DialUp::errorText(*result));
                end();
                return;
            }
            transfer();
        });
}

void MailSender::transfer() {
    const QDateTime now = m_clock.now();
    const QString started = QStringLiteral("EMail, ") + now.date().toString(QStringLiteral("MM/dd/yyyy")) +
                            QStringLiteral(", ") + now.time().toString(QStringLiteral("h:mm:ss AP"));
    const QString host = QStringLiteral("SMTPHost =") + m_settings.SMTPName;
    const QString from = QStringLiteral("From = ") + m_settings.SMTPEmail;
    const QString name = QStringLiteral("FromDisplayName = ") + m_settings.SMTPSender;
    const QString attachment = QStringLiteral("Attachment =");
    logLine(started);
    logLine(host);
    logLine(from);
    logLine(name);
    logLine(QStringLiteral("Recipient = ") + m_request.to.trimmed());
    logLine(attachment);
    m_caller->clearStatus();
    for (const QString& line : {started, host, from, name, QStringLiteral("Subject = ") + m_request.subject,
                                QStringLiteral("Message = ") + m_request.body.trimmed(), attachment})
        m_caller->statusLine(line);

    auto server = m_settings.server(QDir(m_siteDir).filePath(MailSettings::kCaFileName));
    if (!server) {
        failed(server.error());
        end();
        return;
    }
    MailMessage::Parts parts;
    parts.fromAddress = m_settings.SMTPEmail;
    parts.fromName = m_settings.SMTPSender;
    parts.to = m_request.to.trimmed();
    parts.subject = m_request.subject;
    parts.body = m_request.body;
    parts.date = now;
    parts.messageId = MailMessage::newMessageId(parts.fromAddress);
    auto message = MailMessage::compose(parts);
    if (!message) {
        failed(message.error());
        end();
        return;
    }
    MailJob job{*server, parts.fromAddress, parts.to, *message};
    MailTransport::Events events;
    std::weak_ptr<bool> alive = m_alive;
    events.progress = [this, alive](int percent) {
        if (!alive.expired())
            m_lblProgress = QString::number(percent) + QStringLiteral("% complete");
    };
    events.status = [this, alive](const QString& status) {
        if (!alive.expired())
            m_lstStatus.push_back(status);
    };
    events.done = [this, alive](const base::Result<void>& outcome) {
        if (alive.expired())
            return;
        if (outcome)
            succeeded();
        else
            failed(outcome.error());
        end();
    };
    m_transport.send(job, std::move(events));
}

void MailSender::failed(const QString& explanation) {
    m_sendStatus = MailTransport::kFailedPrefix + QStringLiteral("\r\n") + explanation;
    logLine(m_sendStatus);
    m_lstStatus.push_back(m_sendStatus);
    m_lblProgress.clear();
}

void MailSender::succeeded() {
    logLine(kSuccessText);
    m_lstStatus.push_back(kSuccessText);
    m_lblProgress.clear();
    m_sendStatus = MailTransport::kSuccessful;
}

void MailSender::end() {
    m_caller->statusLine(m_sendStatus);
    logLine(QStringLiteral("  "));
    logLine(QStringLiteral("  "));
    m_lblProgress = kCompleteText;
    // Only a link this send dialled is hung up; the site's own link stays up.
    if (m_link && m_link->dialled()) {
        m_call->run([link = m_link] { link->HangUp(); }, [this] { finish(); });
        return;
    }
    finish();
}

void MailSender::finish() {
    m_link.reset();
    const Done done = std::move(m_done);
    m_done = nullptr;
    // Last: the caller may start the next send or end this sender from within done.
    if (done)
        done(m_sendStatus);
}

} // namespace kelvara::notify
