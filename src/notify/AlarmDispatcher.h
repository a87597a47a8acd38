#pragma once

#include "base/Clock.h"
#include "base/ErrorReporter.h"
#include "notify/CallLog.h"
#include "notify/CommsLog.h"
#include "notify/DialUp.h"
#include "notify/MailSender.h"
#include "notify/SmsSender.h"
#include "store/CallAlarmStore.h"

#include <QHash>
#include <QObject>
#include <QTimer>
#include <deque>
#include <functional>
#include <memory>

namespace kelvara::app {
struct AppContext;
}

namespace kelvara::monitoring {
class MonitoringCycle;
struct ZoneAlarmState;
} // namespace kelvara::monitoring

namespace kelvara::notify {

class MailTransport;
class NotificationView;
class SmsGateway;
class SoundPlayer;

// The alarm notification: after every reading pass (and every half minute while an alarm is pending) it
// sounds the alarm and picks the recipients of the notification list who are due. Their sends follow one
// at a time, in list order, away from the pass: a slow or dead modem never holds monitoring up. Only a
// confirmed send counts; the counts end when no zone is in alarm any more.
class AlarmDispatcher final : public QObject {
    Q_OBJECT
public:
    struct Seams {
        const base::Clock& clock;
        base::ErrorReporter& errors;
        NotificationView& view;
        SmsGateway& sms;
        MailTransport& mail;
        SoundPlayer* sound = nullptr; // none: a run without sound
        DialUp::Config dialUp = {};   // the link dialled first when the site's mail needs it
    };

    AlarmDispatcher(app::AppContext& ctx, monitoring::MonitoringCycle& cycle, Seams seams,
                    QObject* parent = nullptr);
    ~AlarmDispatcher() override;

    // One run: the sound, a notification pass when none is going, and the reset once the alarm is over.
    void Read_Alarms();
    // The half-minute status tick: a run while the monitoring timer runs and an alarm or a finished cook
    // cycle is pending, with the timer held off meanwhile.
    void statusTick();
    // Starts the half-minute tick.
    void startStatusTimer() { m_statusTimer.start(); }
    // Whether some cook cycle has reached its target (the cook side sets it after its pass).
    void setCookDone(bool done) { m_cookDone = done; }

    // The notification list's test of one row: the test text goes to the row's recipient once the sends
    // before it are over (one modem, one SMTP.log), its lines in `view`'s status list. It counts nothing and
    // adds no call log line; a notification pass that comes meanwhile waits for it. done runs once the send
    // is over (at once when the row cannot be sent); `view` must stay until then.
    void testSend(const store::CallAlarmRow& row, NotificationView& view, std::function<void()> done);

    // Sends still to go from the latest notification pass, the one under way included.
    [[nodiscard]] std::size_t pendingSends() const { return m_queue.size(); }
    [[nodiscard]] bool notificationActive() const { return m_notificationActive; }

    static constexpr int kStatusTickMs = 30000;
    static inline const QString kProcedure = QStringLiteral("Read_Alarms");
    static inline const QString kEmailText = QStringLiteral("Sending Alarm Notifaction via Email...");
    static inline const QString kEmailTestText = QStringLiteral("Kelvara Email Test");
    static inline const QString kSmsTestText = QStringLiteral("Kelvara Text Msg Test");

Q_SIGNALS:
    // The notification pass's last send is over (its "DONE" is written).
    void passFinished();

private:
    struct Send {
        store::CallAlarmRow row;
        QString body;       // the alarm texts, each ended by CR LF
        QString logMessage; // the alarm texts, each followed by ":"
        QString rooms;      // the zones in alarm when the pass picked the row
        int round = 0;      // the alarm the send belongs to
    };

    struct Test {
        store::CallAlarmRow row;
        NotificationView* view = nullptr;
        std::function<void()> done;
    };

    [[nodiscard]] bool alarmPending() const;
    [[nodiscard]] bool anyAlarmText() const;
    void playSound();
    void notificationPass();
    void startPass();
    void startNext();
    void runTest();
    void testEnded();
    void sendSms(const Send& send);
    void sendMail(const Send& send);
    void sendEnded(bool sent);
    void endOfAlarm();
    void report(const QString& description) { m_seams.errors.reportError(description, kProcedure); }

    app::AppContext& m_ctx;
    monitoring::MonitoringCycle& m_cycle;
    const monitoring::ZoneAlarmState& m_state;
    Seams m_seams;
    CommsLog m_commsLog;
    CallLog m_callLog;
    SmsSender m_smsSender;
    MailSender m_mailSender;
    std::deque<Send> m_queue;
    // Tests waiting for their turn, the one under way first.
    std::deque<Test> m_tests;
    bool m_testRunning = false;
    // The SMS sender of the test under way: its lines go to the test's own status list.
    std::unique_ptr<SmsSender> m_testSms;
    // Modems that would not open or answered nothing in this pass, with the outcome their rows get.
    QHash<QString, SmsOutcome> m_deadDevices;
    QTimer m_statusTimer;
    bool m_cookDone = false;
    bool m_notificationActive = false;
    // Counts a run stopped in the middle of an alarm left behind are cleared by the first run without one.
    bool m_countsOwed = true;
    int m_round = 0;
};

} // namespace kelvara::notify
