#pragma once

#include "base/Clock.h"
#include "notify/BackgroundCall.h"
#include "notify/CommsLog.h"
#include "notify/DialUp.h"
#include "notify/MailSettings.h"
#include "notify/MailTransport.h"
#include "notify/NotificationView.h"

#include <QStringList>
#include <functional>
#include <memory>

namespace kelvara::notify {

// Send_Email: reads the mail settings, dials first when the site asks for it, writes the set-up lines to
// the communications log and the caller's status list, and hands the mail to the transport. Every way a
// send can end leaves exactly one outcome: "Successful" only once the server took the message, otherwise
// "Send mail failed: " + CR LF + why (a failed dial too), in the log as in the status.
class MailSender {
public:
    // The send's outcome as the status text the dispatcher tests.
    using Done = std::function<void(const QString& sendStatus)>;

    MailSender(QString siteDir, const base::Clock& clock, MailTransport& transport, DialUp::Config dialUp);
    // A send still going is abandoned: its done never runs.
    ~MailSender();

    MailSender(const MailSender&) = delete;
    MailSender& operator=(const MailSender&) = delete;

    // Starts one send and returns at once; done runs later, exactly once. One send at a time: the caller
    // starts the next after done.
    void Send_Email(NotificationView& caller, const CommsLog& log, const MailRequest& request, Done done);
    [[nodiscard]] bool busy() const { return static_cast<bool>(m_done); }

    // The worker window's state: its status list and progress label.
    [[nodiscard]] const QStringList& lstStatus() const { return m_lstStatus; }
    [[nodiscard]] const QString& lblProgress() const { return m_lblProgress; }
    // The result of the latest dial (0 connected); none dialled yet gives 0.
    [[nodiscard]] int DialResult() const { return m_dialResult; }

    static inline const QString kSuccessText = QStringLiteral("Send Successful!");
    static inline const QString kCompleteText = QStringLiteral("Complete");

private:
    void dial();
    void transfer();
    void logLine(const QString& text);
    void failed(const QString& explanation);
    void succeeded();
    void end();
    void finish();

    QString m_siteDir;
    const base::Clock& m_clock;
    MailTransport& m_transport;
    DialUp::Config m_dialUpConfig;

    NotificationView* m_caller = nullptr;
    const CommsLog* m_log = nullptr;
    MailRequest m_request;
    MailSettings m_settings;
    Done m_done;
    QString m_sendStatus;
    QStringList m_lstStatus;
    QString m_lblProgress;
    int m_dialResult = 0;
    std::shared_ptr<DialUp> m_link;
    // Last: it goes first, so a dial or hang-up still running ends before the rest.
    std::unique_ptr<BackgroundCall> m_call;
    std::shared_ptr<bool> m_alive;
};

} // namespace kelvara::notify
