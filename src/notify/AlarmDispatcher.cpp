#include "notify/AlarmDispatcher.h"

#include "app/AppContext.h"
#include "monitoring/MonitoringCycle.h"
#include "monitoring/ZoneAlarmState.h"
#include "notify/DueRule.h"
#include "notify/MailTransport.h"
#include "notify/NotificationView.h"
#include "notify/SmsError.h"
#include "notify/SmsGateway.h"
#include "notify/SoundPlayer.h"

#include <QDir>
#include <QPointer>

namespace kelvara::notify {

namespace {

QString sitePath(const app::AppContext& ctx, const char* name) {
    return QDir(ctx.siteDir).filePath(QString::fromLatin1(name));
}

// A modem that would not open or answered nothing is not tried again for the rest of the pass.
bool deviceIsDead(int result) {
    return result == kSmsPortNotOpened || result == kSmsModemSilent;
}

} // namespace

AlarmDispatcher::AlarmDispatcher(app::AppContext& ctx, monitoring::MonitoringCycle& cycle, Seams seams,
                                 QObject* parent)
    : QObject(parent), m_ctx(ctx), m_cycle(cycle), m_state(cycle.alarmState()), m_seams(seams),
      m_commsLog(sitePath(ctx, "SMTP.log")), m_callLog(sitePath(ctx, "KVRComm.log")),
      m_smsSender(ctx.siteDir, seams.clock, seams.errors, seams.view, m_commsLog),
      m_mailSender(ctx.siteDir, seams.clock, seams.mail, seams.dialUp) {
    m_statusTimer.setInterval(kStatusTickMs);
    connect(&m_statusTimer, &QTimer::timeout, this, &AlarmDispatcher::statusTick);
}

AlarmDispatcher::~AlarmDispatcher() = default;

bool AlarmDispatcher::alarmPending() const {
    return m_state.AlarmCondition && m_state.AlarmRaised;
}

bool AlarmDispatcher::anyAlarmText() const {
    for (const QString& text : m_state.AlarmTexts) {
        if (!text.isEmpty())
            return true;
    }
    return false;
}

void AlarmDispatcher::statusTick() {
    if (!m_cycle.timerEnabled() || !(alarmPending() || m_cookDone))
        return;
    m_cycle.stop();
    Read_Alarms();
    m_cycle.start();
}

void AlarmDispatcher::Read_Alarms() {
    const bool alarm = alarmPending();
    if (alarm || m_cookDone) {
        m_seams.view.restoreWindow();
        if (alarm) {
            m_notificationActive = true;
            m_countsOwed = true;
        }
        playSound();
        // A run while the sends of an earlier pass are still going only sounds.
        if (alarm && m_queue.empty())
            notificationPass();
    }
    // The counts end with the alarm: not on the passes between two raisings of a zone that stays out.
    if (m_countsOwed && !anyAlarmText())
        endOfAlarm();
}

void AlarmDispatcher::playSound() {
    if (!m_seams.sound || m_ctx.settings.AudibleAlarmOff)
        return;
    // A raised zone alarm goes before a finished cook cycle; each run starts the sound from the beginning.
    const char* file = alarmPending() ? "Alarm.wav" : "CookDone.wav";
    m_seams.sound->play(sitePath(m_ctx, file), false);
}

void AlarmDispatcher::notificationPass() {
    if (!m_ctx.databases.kvr)
        return;
    const auto rows = store::CallAlarmStore(*m_ctx.databases.kvr).loadAll();
    if (!rows) {
        report(rows.error());
        return;
    }
    const QDateTime now = m_seams.clock.now();
    QString body;
    QString logMessage;
    for (const QString& text : m_state.AlarmTexts) {
        if (text.isEmpty())
            continue;
        body += text + QStringLiteral("\r\n");
        logMessage += text + QLatin1Char(':');
    }
    for (const store::CallAlarmRow& row : *rows) {
        if (DueRule::isDue(row, m_state.AlarmRooms, now))
            m_queue.push_back(Send{row, body, logMessage, m_state.AlarmRooms, m_round});
    }
    // A test under way finishes first: its lines and the pass's share one log and perhaps one modem.
    if (m_queue.empty() || m_testRunning)
        return;
    startPass();
}

void AlarmDispatcher::startPass() {
    if (auto started = m_commsLog.start(); !started)
        report(started.error());
    m_deadDevices.clear();
    startNext();
}

void AlarmDispatcher::startNext() {
    if (m_queue.empty()) {
        if (auto done = m_commsLog.finish(); !done)
            report(done.error());
        QPointer<AlarmDispatcher> self(this);
        Q_EMIT passFinished();
        if (self && !m_tests.empty() && !m_testRunning)
            runTest();
        return;
    }
    const Send& send = m_queue.front();
    if (send.row.Notify == QLatin1String("Email"))
        sendMail(send);
    else
        sendSms(send);
}

void AlarmDispatcher::sendSms(const Send& send) {
    base::Result<SmsRequest> request = m_smsSender.begin(send.row, send.body);
    if (!request) {
        const SmsOutcome outcome = SmsSender::notSent(request.failure());
        sendEnded(m_smsSender.finish(send.row, outcome));
        return;
    }
    if (m_deadDevices.contains(send.row.Device)) {
        const SmsOutcome outcome = m_deadDevices.value(send.row.Device);
        sendEnded(m_smsSender.finish(send.row, outcome));
        return;
    }
    QPointer<AlarmDispatcher> self(this);
    const store::CallAlarmRow row = send.row;
    m_seams.sms.send(*request, [self, row](const SmsOutcome& outcome) {
        if (!self)
            return;
        if (deviceIsDead(outcome.result))
            self->m_deadDevices.insert(row.Device, outcome);
        self->sendEnded(self->m_smsSender.finish(row, outcome));
    });
}

void AlarmDispatcher::sendMail(const Send& send) {
    m_seams.view.clearStatus();
    m_seams.view.statusLine(kEmailText);
    MailRequest request;
    request.to = send.row.Recipient;
    request.subject = send.row.Message.value_or(QString());
    request.body = send.body;
    QPointer<AlarmDispatcher> self(this);
    m_mailSender.Send_Email(m_seams.view, m_commsLog, request, [self](const QString& status) {
        // Only a message the server took counts.
        if (self)
            self->sendEnded(status == MailTransport::kSuccessful);
    });
}

void AlarmDispatcher::sendEnded(bool sent) {
    if (m_queue.empty())
        return;
    const Send send = m_queue.front();
    m_queue.pop_front();
    const QDateTime at = m_seams.clock.now();
    // A send that ends after its alarm is over leaves no counts behind.
    if (sent && send.round == m_round && m_ctx.databases.kvr) {
        if (auto recorded =
                store::CallAlarmStore(*m_ctx.databases.kvr).recordCall(send.row.id, at, send.rooms);
            !recorded)
            report(recorded.error());
    }
    if (auto logged = m_callLog.append(CallLog::line(send.row, at, send.logMessage)); !logged)
        report(logged.error());
    startNext();
}

void AlarmDispatcher::testSend(const store::CallAlarmRow& row, NotificationView& view,
                               std::function<void()> done) {
    m_tests.push_back(Test{row, &view, std::move(done)});
    if (m_queue.empty() && !m_testRunning)
        runTest();
}

void AlarmDispatcher::runTest() {
    m_testRunning = true;
    const Test& test = m_tests.front();
    if (auto started = m_commsLog.start(); !started)
        report(started.error());
    QPointer<AlarmDispatcher> self(this);
    if (test.row.Notify == QLatin1String("Email")) {
        MailRequest request;
        request.to = test.row.Recipient;
        request.subject = test.row.Message.value_or(QString());
        request.body = kEmailTestText;
        m_mailSender.Send_Email(*test.view, m_commsLog, request, [self](const QString&) {
            if (self)
                self->testEnded();
        });
        return;
    }
    m_testSms =
        std::make_unique<SmsSender>(m_ctx.siteDir, m_seams.clock, m_seams.errors, *test.view, m_commsLog);
    base::Result<SmsRequest> request = m_testSms->begin(test.row, kSmsTestText, SmsSender::Purpose::Test);
    if (!request) {
        m_testSms->finish(test.row, SmsSender::notSent(request.failure()));
        testEnded();
        return;
    }
    const store::CallAlarmRow row = test.row;
    m_seams.sms.send(*request, [self, row](const SmsOutcome& outcome) {
        if (!self)
            return;
        self->m_testSms->finish(row, outcome);
        self->testEnded();
    });
}

void AlarmDispatcher::testEnded() {
    const Test test = std::move(m_tests.front());
    m_tests.pop_front();
    m_testRunning = false;
    m_testSms.reset();
    QPointer<AlarmDispatcher> self(this);
    if (test.done)
        test.done();
    if (!self)
        return;
    // A pass that came during the test goes first, then the next test.
    if (!m_queue.empty())
        startPass();
    else if (!m_tests.empty())
        runTest();
}

void AlarmDispatcher::endOfAlarm() {
    m_notificationActive = false;
    m_countsOwed = false;
    ++m_round;
    if (!m_ctx.databases.kvr)
        return;
    if (auto reset = store::CallAlarmStore(*m_ctx.databases.kvr).resetCounts(); !reset)
        report(reset.error());
}

} // namespace kelvara::notify
