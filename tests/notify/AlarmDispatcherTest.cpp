// The alarm notification over a real zone database and a gateway whose sends end when the test says:
// who is told when, what the counts and logs hold afterwards, and the sound.
#include "notify/AlarmDispatcher.h"

#include "monitoring/MonitoringCycle.h"
#include "monitoring/MonitoringJob.h"
#include "monitoring/ZonePassObserver.h"
#include "notify/MailTransport.h"
#include "notify/NotificationView.h"
#include "notify/SmsError.h"
#include "notify/SoundPlayer.h"
#include "store/CallAlarmStore.h"
#include "support/FakeSmsGateway.h"
#include "support/QtPrinters.h"
#include "support/RecordingReporter.h"
#include "support/SiteBench.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using namespace kelvara;
using notify::AlarmDispatcher;
using store::CallAlarmRow;

namespace {

struct Sounds final : notify::SoundPlayer {
    void play(const QString& file, bool) override { played << QFileInfo(file).fileName(); }
    void stop() override {}
    void close() override {}
    QStringList played;
};

// Takes each mail and ends it when the test says.
struct FakeMailTransport final : notify::MailTransport {
    void send(const notify::MailJob& job, Events events) override {
        jobs.push_back(job);
        pending.push_back(std::move(events));
    }
    void finishAll(const base::Result<void>& outcome) {
        while (!pending.empty()) {
            Events events = std::move(pending.front());
            pending.erase(pending.begin());
            events.done(outcome);
        }
    }
    std::vector<notify::MailJob> jobs;
    std::vector<Events> pending;
};

struct StatusList final : notify::NotificationView {
    void clearStatus() override { lines.clear(); }
    void statusLine(const QString& line) override { lines << line; }
    QStringList lines;
};

const QString kDryStore = QStringLiteral("Kelvara Dry Store  High Alarm  28C");
const QString kFreezer = QStringLiteral("Kelvara Freezer  High Alarm  -2C");

class DispatcherTest : public ::testing::Test, protected test::SiteContext {
protected:
    DispatcherTest()
        : job(ctx, clock, dialogs, errors, observer, port.handle(), port.pauseHandle()),
          dispatcher(ctx, job.cycle(), {clock, errors, view, sms, mail, &sounds}) {}

    store::CallAlarmStore list() { return store::CallAlarmStore(*ctx.databases.kvr); }
    monitoring::ZoneAlarmState& state() { return job.cycle().alarmState(); }

    qint64 addRow(CallAlarmRow row) {
        if (row.Notify.isEmpty())
            row.Notify = QStringLiteral("Mobile");
        row.Active = true;
        row.SendType = row.SendType.isEmpty() ? QStringLiteral("GSM") : row.SendType;
        row.Speed = row.Speed.isEmpty() ? QStringLiteral("9600") : row.Speed;
        row.Device = row.Device.isEmpty() ? QStringLiteral("/dev/ttyUSB0") : row.Device;
        row.RecipientNo = row.RecipientNo.isEmpty() ? QStringLiteral("5550100") : row.RecipientNo;
        row.Recipient = row.Recipient.isEmpty() ? QStringLiteral("Night manager") : row.Recipient;
        const auto id = list().insert(row);
        EXPECT_TRUE(id.ok());
        return id.ok() ? *id : 0;
    }
    CallAlarmRow row(qint64 id) {
        const auto rows = list().loadAll();
        for (const CallAlarmRow& r : *rows)
            if (r.id == id)
                return r;
        ADD_FAILURE() << "no row " << id;
        return {};
    }
    CallAlarmRow repeating(int repeat, int retry) {
        CallAlarmRow r;
        r.Repeat = repeat;
        r.Retry = retry;
        r.Actual = 0;
        return r;
    }

    // A site with a mail server and one e-mail recipient.
    qint64 addMailRow() {
        site.write(QStringLiteral("KVR.INI"),
                   "SMTPName=mail.example.com\r\nSMTPEmail=kitchen@example.com\r\nDONE\r\n");
        CallAlarmRow mailRow = repeating(5, 3);
        mailRow.Notify = "Email";
        mailRow.Recipient = "chef@example.com";
        mailRow.Message = "Dry store alarm";
        return addRow(mailRow);
    }

    // A pass that raised these zones (position, room, text); the other zones are inside their limits.
    void raised(std::initializer_list<std::tuple<int, int, QString>> zones) {
        state().startPass();
        state().AlarmTexts.fill(QString());
        for (const auto& [index, room, text] : zones) {
            state().AlarmCondition = true;
            state().AlarmRaised = true;
            state().AlarmRooms += QString::number(room) + ',';
            state().AlarmTexts[static_cast<std::size_t>(index)] = text;
        }
    }
    // A pass in which the zones stay out of their limits but none was raised again (its delay runs).
    void stillOut() {
        state().startPass();
        state().AlarmCondition = true;
    }
    void run() { dispatcher.Read_Alarms(); }
    // A run, with every send it starts confirmed.
    void runAndSend(int result = 0) {
        run();
        sms.finishAll(result);
    }
    void minutesLater(double minutes) { clock.advanceSeconds(minutes * 60.0); }

    QByteArray siteFile(const char* name) {
        QFile file(QDir(site.path()).filePath(QString::fromLatin1(name)));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    test::FakeClock clock{QDateTime(QDate(2026, 7, 1), QTime(10, 0, 0))};
    test::ScriptedPort port{clock};
    test::RecordedDialogs dialogs;
    test::RecordingReporter errors;
    monitoring::ZonePassObserver observer;
    StatusList view;
    test::FakeSmsGateway sms;
    FakeMailTransport mail;
    Sounds sounds;
    monitoring::MonitoringJob job;
    AlarmDispatcher dispatcher;
};

} // namespace

TEST_F(DispatcherTest, RepeatsEveryIntervalUntilTheRetriesAreUsedThenTellsAChangeOfZones) {
    const qint64 id = addRow(repeating(5, 3));
    raised({{2, 3, kDryStore}});
    QList<int> sentAtMinute;
    for (int minute = 0; minute <= 20; ++minute) {
        const std::size_t before = sms.requests.size();
        runAndSend();
        if (sms.requests.size() > before)
            sentAtMinute << minute;
        minutesLater(1);
    }
    EXPECT_EQ(sentAtMinute, QList<int>({0, 5, 10}));
    EXPECT_EQ(row(id).Actual, 3);
    EXPECT_EQ(row(id).Rooms, "3,");

    // Room 7 joins: told at once although the retries are used, as its last call is long enough ago.
    raised({{2, 3, kDryStore}, {6, 7, kFreezer}});
    runAndSend();
    ASSERT_EQ(sms.requests.size(), 4U);
    EXPECT_EQ(sms.requests.back().message, kDryStore + "\r\n" + kFreezer + "\r\n");
    EXPECT_EQ(row(id).Rooms, "3,7,");
    EXPECT_EQ(row(id).Actual, 4);
}

TEST_F(DispatcherTest, WithoutARepeatEachSetOfZonesIsToldOnceAndNoSoonerThanAMinuteApart) {
    const qint64 id = addRow(repeating(0, 3));
    raised({{2, 3, kDryStore}});
    runAndSend();
    minutesLater(0.5);
    raised({{2, 3, kDryStore}, {6, 7, kFreezer}});
    runAndSend(); // half a minute after the last call: held back
    EXPECT_EQ(sms.requests.size(), 1U);
    minutesLater(0.5);
    runAndSend();
    EXPECT_EQ(sms.requests.size(), 2U);
    minutesLater(10);
    runAndSend(); // the same zones: told once
    EXPECT_EQ(sms.requests.size(), 2U);
    EXPECT_EQ(row(id).Actual, 2);
}

TEST_F(DispatcherTest, OnlyAConfirmedSendCountsAndEverySendIsLogged) {
    CallAlarmRow idle = repeating(5, 3);
    const qint64 failing = addRow(repeating(5, 3));
    idle.Recipient = "Off duty";
    const qint64 inactive = addRow(idle);
    CallAlarmRow off = row(inactive);
    off.Active = false;
    ASSERT_TRUE(list().update(off).ok());

    raised({{2, 3, kDryStore}});
    run();
    ASSERT_EQ(sms.requests.size(), 1U); // the inactive row is never sent
    sms.finish(notify::kSmsRejected);
    EXPECT_EQ(row(failing).Actual, 0);
    EXPECT_FALSE(row(failing).LastCall);
    EXPECT_FALSE(row(failing).Rooms);

    // A failing recipient is tried again on the next run, and logged again.
    runAndSend(notify::kSmsBusy);
    EXPECT_EQ(sms.requests.size(), 2U);
    const QList<QByteArray> log = siteFile("KVRComm.log").split('\n');
    ASSERT_EQ(log.size(), 5); // the titles, two lines, and the empty rest after the last line end
    EXPECT_FALSE(siteFile("KVRComm.log").contains("Off duty"));
}

TEST_F(DispatcherTest, CountsEndWithTheAlarmNotBetweenTwoRaisingsOfAZoneThatStaysOut) {
    const qint64 id = addRow(repeating(0, 1));
    raised({{2, 3, kDryStore}});
    runAndSend();
    ASSERT_EQ(row(id).Actual, 1);

    stillOut(); // the zone's delay restarted; its text stays
    run();
    EXPECT_EQ(row(id).Actual, 1);
    EXPECT_EQ(row(id).Rooms, "3,");
    raised({{2, 3, kDryStore}});
    minutesLater(5);
    runAndSend();
    EXPECT_EQ(sms.requests.size(), 1U) << "the same zones, told once, are not told again";

    state().startPass();
    state().AlarmTexts.fill(QString()); // back inside its limits
    run();
    EXPECT_EQ(row(id).Actual, 0);
    EXPECT_EQ(row(id).Rooms, "");
    EXPECT_TRUE(row(id).LastCall) << "the last call still spaces the next alarm's first notification";
    EXPECT_FALSE(dispatcher.notificationActive());
}

TEST_F(DispatcherTest, CountsLeftByARunStoppedMidAlarmAreClearedByTheFirstRunWithoutOne) {
    CallAlarmRow left = repeating(0, 1);
    left.Actual = 1;
    left.Rooms = "3,";
    const qint64 id = addRow(left);
    run();
    EXPECT_EQ(row(id).Actual, 0);
    EXPECT_EQ(row(id).Rooms, "");
}

TEST_F(DispatcherTest, ASendEndingAfterItsAlarmLeavesNoCounts) {
    const qint64 id = addRow(repeating(5, 3));
    raised({{2, 3, kDryStore}});
    run();
    ASSERT_EQ(sms.pending(), 1U);
    raised({}); // the next pass finds every zone back inside
    run();
    sms.finish();
    EXPECT_EQ(row(id).Actual, 0);
    EXPECT_EQ(row(id).Rooms, "");
}

TEST_F(DispatcherTest, ARunWhileSendsAreGoingOnlySoundsAndTheSendsFollowOneAtATimeInListOrder) {
    CallAlarmRow first = repeating(5, 3);
    first.CallID = 2;
    first.RecipientNo = "5550102";
    CallAlarmRow second = repeating(5, 3);
    second.CallID = 1;
    second.RecipientNo = "5550101";
    addRow(first);
    addRow(second);
    raised({{2, 3, kDryStore}});
    run();
    EXPECT_EQ(sms.requests.size(), 1U); // one at a time
    EXPECT_EQ(sms.requests.front().recipientNumber, "5550101");
    run();
    EXPECT_EQ(sounds.played, QStringList({"Alarm.wav", "Alarm.wav"}));
    EXPECT_EQ(dispatcher.pendingSends(), 2U) << "the second run started no pass of its own";
    sms.finish();
    ASSERT_EQ(sms.requests.size(), 2U);
    EXPECT_EQ(sms.requests.back().recipientNumber, "5550102");
    sms.finish();
    EXPECT_EQ(dispatcher.pendingSends(), 0U);
}

TEST_F(DispatcherTest, AModemThatAnswersNothingFailsThePassesOtherRowsOnItAtOnce) {
    CallAlarmRow other = repeating(5, 3);
    other.Device = "/dev/ttyUSB1";
    addRow(repeating(5, 3));
    addRow(repeating(5, 3));
    addRow(other);
    raised({{2, 3, kDryStore}});
    run();
    sms.finish(notify::kSmsModemSilent);
    ASSERT_EQ(sms.requests.size(), 2U) << "the second row on the silent modem was not tried";
    EXPECT_EQ(sms.requests.back().device, "/dev/ttyUSB1");
    sms.finish();
    EXPECT_EQ(siteFile("SMTP.log").count("ERROR: 1002"), 2);
    EXPECT_TRUE(siteFile("SMTP.log").endsWith("DONE\r\n"));
}

TEST_F(DispatcherTest, SoundsTheAlarmBeforeTheCookDoneAndNothingWhenTheAudibleAlarmIsOff) {
    dispatcher.setCookDone(true);
    run();
    raised({{2, 3, kDryStore}});
    run();
    ctx.settings.AudibleAlarmOff = true;
    run();
    EXPECT_EQ(sounds.played, QStringList({"CookDone.wav", "Alarm.wav"}));
}

TEST_F(DispatcherTest, AnEmailRowCountsOnlyOnceTheServerTookTheMail) {
    const qint64 id = addMailRow();
    raised({{2, 3, kDryStore}});

    run();
    ASSERT_EQ(mail.jobs.size(), 1U);
    EXPECT_EQ(mail.jobs[0].to, "chef@example.com");
    EXPECT_TRUE(mail.jobs[0].message.contains("Subject: Dry store alarm\r\n"));
    EXPECT_TRUE(mail.jobs[0].message.endsWith("\r\n\r\n" + kDryStore.toUtf8() + "\r\n"));
    mail.finishAll(base::fail("RCPT failed: 550"));
    EXPECT_TRUE(view.lines.last().startsWith("Send mail failed: \r\nRCPT failed: 550"));
    EXPECT_EQ(row(id).Actual, 0) << "a refused mail is not a notification";
    EXPECT_TRUE(siteFile("KVRComm.log").contains("chef@example.com"));
    EXPECT_TRUE(siteFile("SMTP.log").contains("Send mail failed: \r\nRCPT failed: 550\r\n"));

    run();
    mail.finishAll({});
    EXPECT_EQ(view.lines.last(), "Successful");
    EXPECT_EQ(row(id).Actual, 1);
    EXPECT_TRUE(siteFile("SMTP.log").contains("Send Successful!\r\n  \r\n  \r\nDONE\r\n"));
}

// The communications log of one pass: each send's set-up lines, its outcome and the blank lines, then DONE.
TEST_F(DispatcherTest, TheCommunicationsLogHoldsEachSendsLinesThenDone) {
    CallAlarmRow provider = repeating(5, 3);
    provider.SendType = "Provider";
    provider.AccessNo = "5550200";
    provider.Device = "Com2";
    addRow(provider);
    CallAlarmRow bad = repeating(5, 3);
    bad.Speed = "fast";
    addRow(bad);
    raised({{2, 3, kDryStore}});
    run();
    sms.finish(0, "01/00022/R/01/A//");
    const QString expected = QStringLiteral("Mobile, 07/01/2026, 10:00:00 AM\r\n"
                                            "Com2, Night manager\r\n"
                                            "Dialing Provider #5550200\r\n"
                                            "Sending message to 5550100 , Please wait...\r\n"
                                            "Send Successful!\r\n"
                                            "Response from provider: 01/00022/R/01/A//\r\n"
                                            " \r\n \r\n"
                                            "Mobile, 07/01/2026, 10:00:00 AM\r\n"
                                            "/dev/ttyUSB0, Night manager\r\n"
                                            "Dialing Provider #\r\n"
                                            "Sending message to 5550100 , Please wait...\r\n"
                                            "ERROR: 1017 (The line settings cannot be used)\r\n"
                                            "Alert Messaging Failed\r\n"
                                            " \r\n \r\n"
                                            "DONE\r\n");
    EXPECT_EQ(QString::fromUtf8(siteFile("SMTP.log")), expected);
    EXPECT_EQ(errors.lines,
              QStringList({"Error: Invalid Data Entries in Alarm Notification.  Please check your "
                           "settings. in Module:Send_SMS"}));
}

TEST_F(DispatcherTest, ARowDeletedOrSwitchedOffWhileItsSendIsGoingIsLeftAsItIs) {
    const qint64 switchedOff = addRow(repeating(5, 3));
    const qint64 deleted = addRow(repeating(5, 3));
    raised({{2, 3, kDryStore}});
    run();
    CallAlarmRow off = row(switchedOff);
    off.Active = false;
    ASSERT_TRUE(list().update(off).ok());
    ASSERT_TRUE(list().remove(deleted).ok());
    sms.finishAll();
    sms.finishAll();
    EXPECT_EQ(row(switchedOff).Actual, 0);
    EXPECT_FALSE(row(switchedOff).LastCall);
    EXPECT_EQ(list().loadAll()->size(), 1U);
}

// The notification list's test send: it waits behind the sends of a pass, a pass that comes meanwhile waits
// for it, and it counts nothing.
TEST_F(DispatcherTest, ATestWaitsItsTurnBehindThePassAndAPassWaitsForTheTest) {
    const qint64 id = addRow(repeating(5, 3));
    raised({{2, 3, kDryStore}});
    run();
    ASSERT_EQ(sms.pending(), 1U);

    StatusList testView;
    int done = 0;
    dispatcher.testSend(row(id), testView, [&done] { ++done; });
    EXPECT_EQ(sms.requests.size(), 1U) << "one modem: the test waits for the pass's send";
    sms.finish();
    ASSERT_EQ(sms.requests.size(), 2U);
    EXPECT_EQ(sms.requests[1].message, AlarmDispatcher::kSmsTestText);
    EXPECT_EQ(row(id).Actual, 1);

    minutesLater(10);
    run();
    EXPECT_EQ(sms.requests.size(), 2U) << "the next pass waits for the test";
    sms.finish();
    EXPECT_EQ(done, 1);
    EXPECT_EQ(testView.lines.last(), "Send Successful!");
    EXPECT_EQ(row(id).Actual, 1) << "a test is no notification";
    ASSERT_EQ(sms.requests.size(), 3U) << "the waiting pass goes on";
    sms.finish();
    EXPECT_EQ(row(id).Actual, 2);
    EXPECT_EQ(siteFile("KVRComm.log").count("Night manager"), 2) << "no call log line for the test";
}

// A test's communications log: the settings lines for mobile rows only, as the test goes, no DONE; the
// gateway's log of the last send stays until the send replaces it.
TEST_F(DispatcherTest, ATestWritesItsOwnLogOrderAndTouchesNoCounts) {
    CallAlarmRow pager = repeating(5, 3);
    pager.Notify = "Pager";
    pager.Device = "Com3";
    const struct {
        qint64 id;
        QString log;
        QStringList lines;
    } cases[] = {
        {addRow(repeating(5, 3)),
         "Mobile, 07/01/2026, 10:00:00 AM\r\n/dev/ttyUSB0, Night manager\r\n"
         "Retrieving Communications Settings...\r\nDialing Provider #\r\n"
         "Sending message to 5550100 , Please wait...\r\nSend Successful!\r\n \r\n \r\n",
         {"Retrieving Communications Settings...", "Dialing Provider #",
          "Sending message to 5550100 , Please wait...", "Send Successful!"}},
        {addRow(pager),
         "Pager, 07/01/2026, 10:00:00 AM\r\nCom3, Night manager\r\n"
         "Sending message to 5550100 , Please wait...\r\nSend Successful!\r\n \r\n \r\n",
         {"Sending message to 5550100 , Please wait...", "Send Successful!"}},
    };
    QFile gatewayLog(QDir(site.path()).filePath("SMSLog.txt"));
    ASSERT_TRUE(gatewayLog.open(QIODevice::WriteOnly));
    gatewayLog.close();
    for (const auto& c : cases) {
        StatusList testView;
        bool done = false;
        dispatcher.testSend(row(c.id), testView, [&done] { done = true; });
        EXPECT_TRUE(gatewayLog.exists());
        sms.finish();
        EXPECT_TRUE(done);
        EXPECT_EQ(QString::fromUtf8(siteFile("SMTP.log")), c.log);
        EXPECT_EQ(testView.lines, c.lines);
        EXPECT_EQ(row(c.id).Actual, 0);
        EXPECT_FALSE(row(c.id).LastCall);
    }
    EXPECT_FALSE(QFile::exists(QDir(site.path()).filePath("KVRComm.log")));
}

TEST_F(DispatcherTest, AnEmailTestSendsTheTestTextUnderTheRowsSubject) {
    const qint64 id = addMailRow();

    StatusList testView;
    bool done = false;
    dispatcher.testSend(row(id), testView, [&done] { done = true; });
    ASSERT_EQ(mail.jobs.size(), 1U);
    EXPECT_TRUE(mail.jobs[0].message.contains("Subject: Dry store alarm\r\n"));
    EXPECT_TRUE(mail.jobs[0].message.contains("\r\n\r\nKelvara Email Test"));
    mail.finishAll({});
    EXPECT_TRUE(done);
    EXPECT_EQ(testView.lines.last(), "Successful");
    EXPECT_EQ(row(id).Actual, 0);
    EXPECT_TRUE(siteFile("SMTP.log").contains("Send Successful!\r\n  \r\n  \r\n"));
}
