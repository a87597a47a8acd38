#pragma once

#include "base/Clock.h"
#include "base/ErrorReporter.h"
#include "base/Result.h"
#include "notify/CommsLog.h"
#include "notify/NotificationView.h"
#include "notify/SmsGateway.h"
#include "store/CallAlarmStore.h"

namespace kelvara::notify {

// The SMS and pager send of one notification row: sets the gateway's request up from the row, and writes
// the send's progress and outcome to the communications log and the status list.
class SmsSender {
public:
    SmsSender(QString siteDir, const base::Clock& clock, base::ErrorReporter& errors, NotificationView& view,
              const CommsLog& log);

    static inline const QString kInvalidData =
        QStringLiteral("Invalid Data Entries in Alarm Notification.  Please check your settings.");
    static inline const QString kProcedure = QStringLiteral("Send_SMS");

    // An alarm send, or the notification list's test of a row, which keeps the gateway's log of the last
    // send and writes its set-up lines as it goes (the settings lines for mobile rows only).
    enum class Purpose { Alarm, Test };

    // Before the send: the old gateway log goes, the set-up lines are written, and the request is made from
    // the row. A row that cannot be sent (a speed that is not a number, no way of sending) gives the error
    // number to finish with instead.
    [[nodiscard]] base::Result<SmsRequest> begin(const store::CallAlarmRow& row, const QString& body,
                                                 Purpose purpose = Purpose::Alarm);
    // After the send (or in place of it): the outcome's lines; true when the message went.
    bool finish(const store::CallAlarmRow& row, const SmsOutcome& outcome);

    // The outcome of a send that never reached the gateway.
    [[nodiscard]] static SmsOutcome notSent(const base::Failure& failure);

private:
    void logLine(const QString& text);
    void both(const QString& text);

    QString m_siteDir;
    const base::Clock& m_clock;
    base::ErrorReporter& m_errors;
    NotificationView& m_view;
    const CommsLog& m_log;
};

} // namespace kelvara::notify
