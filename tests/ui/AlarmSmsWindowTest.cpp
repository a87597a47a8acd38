// The notification list window: the Notify column's rule and "None", provider choices, the send options,
// the test send and the call log.
#include "ui/AlarmSmsWindow.h"

#include "monitoring/MonitoringJob.h"
#include "monitoring/ZonePassObserver.h"
#include "notify/AlarmDispatcher.h"
#include "notify/MailTransport.h"
#include "notify/ModemSmsGateway.h"
#include "notify/NotificationView.h"
#include "store/CallAlarmStore.h"
#include "store/ProviderStore.h"
#include "support/FakeClock.h"
#include "support/FakeSmsGateway.h"
#include "support/RecordedDialogs.h"
#include "support/RecordingReporter.h"
#include "support/ScriptedPort.h"
#include "support/SimProcess.h"
#include "support/SiteBench.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QGroupBox>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QTableWidget>
#include <QTimer>
#include <gtest/gtest.h>

using namespace kelvara;
using store::CallAlarmRow;
using ui::AlarmSmsWindow;

namespace {

// Mail is not tried here; a send would simply never end.
struct SilentMail final : notify::MailTransport {
    void send(const notify::MailJob&, Events) override {}
};

class AlarmSmsWindowTest : public ::testing::Test, protected test::SiteContext {
protected:
    AlarmSmsWindowTest()
        : job(ctx, clock, dialogs, errors, observer, port.handle(), port.pauseHandle()),
          dispatcher(ctx, job.cycle(), {clock, errors, mainView, sms, mail}) {}

    [[nodiscard]] store::CallAlarmStore list() const { return store::CallAlarmStore(*ctx.databases.kvr); }
    qint64 add(CallAlarmRow row) {
        row.CallID = static_cast<int>(list().loadAll()->size()) + 1;
        row.Active = true;
        row.Recipient = row.Recipient.isEmpty() ? QStringLiteral("Night manager") : row.Recipient;
        row.RecipientNo = QStringLiteral("5550100");
        row.Device = QStringLiteral("/dev/ttyUSB0");
        row.Speed = QStringLiteral("9600");
        const auto id = list().insert(row);
        EXPECT_TRUE(id.ok());
        return id.ok() ? *id : 0;
    }
    qint64 add(const QString& notify, const QString& sendType, const QString& provider = {}) {
        return add({.Notify = notify,
                    .Repeat = 5,
                    .Retry = 3,
                    .AccessNo = "old number",
                    .Message = "Freezer",
                    .SendType = sendType,
                    .Provider = provider});
    }
    CallAlarmRow stored(qint64 id) const {
        for (const CallAlarmRow& r : *list().loadAll())
            if (r.id == id)
                return r;
        ADD_FAILURE() << "no row " << id;
        return {};
    }
    void addProvider(const QString& name, const QString& accessNo) {
        ASSERT_TRUE(store::ProviderStore(*ctx.databases.kvr)
                        .insert({.Provider = name,
                                 .AccessNo = accessNo,
                                 .Device = "Com2",
                                 .Speed = "2400",
                                 .DataBits = "7",
                                 .Parity = "even",
                                 .StopBits = "1",
                                 .Password = "pw",
                                 .Protocol = "TAP"})
                        .ok());
    }

    std::unique_ptr<AlarmSmsWindow> open() {
        return std::make_unique<AlarmSmsWindow>(ctx, dialogs, dispatcher, QStringList{});
    }
    // Waits for the window's test to end, at most long enough for a modem that never answers.
    static void waitForTest(AlarmSmsWindow& w) {
        QEventLoop loop;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
            if (!w.testing())
                loop.quit();
        });
        poll.start(20);
        QTimer::singleShot(100'000, &loop, &QEventLoop::quit);
        loop.exec();
    }
    template <typename T> static T* child(QWidget& w, const char* name) { return w.findChild<T*>(name); }
    static QTableWidget* grid(QWidget& w) { return child<QTableWidget>(w, "gridAlarms"); }
    static bool enabled(QWidget& w, const char* group) { return child<QGroupBox>(w, group)->isEnabled(); }
    static QString field(QWidget& w, const char* name) { return child<QLineEdit>(w, name)->text(); }
    static void choose(QComboBox* list, const QString& text) {
        list->setCurrentIndex(list->findText(text));
        Q_EMIT list->activated(list->currentIndex());
    }
    QString sitePath(const char* name) const { return QDir(site.path()).filePath(QString::fromLatin1(name)); }

    test::FakeClock clock{QDateTime(QDate(2026, 7, 1), QTime(10, 0, 0))};
    test::ScriptedPort port{clock};
    test::RecordedDialogs dialogs;
    test::RecordingReporter errors;
    monitoring::ZonePassObserver observer;
    notify::NotificationView mainView;
    test::FakeSmsGateway sms;
    SilentMail mail;
    monitoring::MonitoringJob job;
    notify::AlarmDispatcher dispatcher;
};

} // namespace

TEST_F(AlarmSmsWindowTest, TheNotifyColumnSetsTheGroupsAndNoneEmptiesTheRowButNotItsCallRecord) {
    const qint64 mobile = add("Mobile", "GSM", "Paging North");
    add("Email", "");
    auto w = open();
    EXPECT_EQ(child<QLineEdit>(*w, "txtPassword")->echoMode(), QLineEdit::Password);
    EXPECT_TRUE(enabled(*w, "fraDevice"));
    EXPECT_TRUE(enabled(*w, "fraSend"));
    EXPECT_FALSE(enabled(*w, "fraProvider")) << "a GSM row needs no provider";
    EXPECT_TRUE(child<QRadioButton>(*w, "optGSM")->isChecked());

    grid(*w)->setCurrentCell(1, 2);
    for (const char* group : {"fraProvider", "fraDevice", "fraSend"})
        EXPECT_FALSE(enabled(*w, group)) << group;

    grid(*w)->setCurrentCell(0, 1);
    // The dispatcher records a call while the window is open.
    ASSERT_TRUE(list().recordCall(mobile, clock.now(), "3,").ok());
    // Which columns "None" empties is NotificationListRulesTest's table; here: the grid and the store follow.
    grid(*w)->item(0, 1)->setText("None");
    EXPECT_FALSE(enabled(*w, "fraSend"));
    EXPECT_EQ(grid(*w)->item(0, 2)->text(), "");
    EXPECT_EQ(field(*w, "txtAccessNo"), "");

    grid(*w)->setCurrentCell(1, 1); // leaving the row stores it
    const CallAlarmRow saved = stored(mobile);
    EXPECT_EQ(saved.Notify, "None");
    EXPECT_FALSE(saved.Active);
    EXPECT_EQ(saved.AccessNo, "");
    EXPECT_EQ(saved.Actual, 1) << "the window's saves leave the dispatcher's columns alone";
    EXPECT_EQ(saved.Rooms, "3,");
    EXPECT_EQ(saved.LastCall, QTime(10, 0, 0));
    EXPECT_EQ(saved.LastCallDate, QDate(2026, 7, 1));
}

TEST_F(AlarmSmsWindowTest, OnlyAProviderChosenInTheListCopiesItsSettingsAndGsmClosesTheProviderGroup) {
    addProvider("Paging North", "9,5550200");
    const qint64 first = add("Mobile", "Provider", "Paging North");
    const qint64 second = add("Pager", "Provider", "Gone");
    auto w = open();
    EXPECT_EQ(child<QComboBox>(*w, "cboProvider")->currentText(), "Paging North");
    EXPECT_EQ(field(*w, "txtAccessNo"), "old number") << "showing a row copies nothing";
    grid(*w)->setCurrentCell(1, 1);
    grid(*w)->setCurrentCell(0, 1);
    EXPECT_EQ(field(*w, "txtAccessNo"), "old number") << "nor does moving between rows";

    choose(child<QComboBox>(*w, "cboProvider"), "Paging North");
    EXPECT_EQ(field(*w, "txtAccessNo"), "9,5550200");
    EXPECT_EQ(child<QComboBox>(*w, "cboDevice")->currentText(), "Com2");
    child<QAction>(*w, "Save")->trigger();
    const CallAlarmRow copied = stored(first);
    EXPECT_EQ(QStringList({copied.AccessNo, copied.Password.value_or(""), copied.Protocol, copied.Device,
                           copied.Speed, copied.DataBits, copied.Parity, copied.StopBits}),
              QStringList({"9,5550200", "pw", "TAP", "Com2", "2400", "7", "even", "1"}));

    // A name the provider table no longer holds empties the settings.
    grid(*w)->setCurrentCell(1, 1);
    EXPECT_EQ(field(*w, "txtAccessNo"), "old number");
    choose(child<QComboBox>(*w, "cboProvider"), "Gone");
    child<QAction>(*w, "Save")->trigger();
    const CallAlarmRow emptied = stored(second);
    EXPECT_EQ(emptied.Provider, "Gone");
    for (const QString& setting : {emptied.AccessNo, emptied.Protocol, emptied.Device, emptied.Speed,
                                   emptied.DataBits, emptied.Parity, emptied.StopBits})
        EXPECT_EQ(setting, "");

    // The GSM option closes the provider group and is stored at once, without Save.
    EXPECT_TRUE(enabled(*w, "fraProvider"));
    child<QRadioButton>(*w, "optGSM")->click();
    EXPECT_FALSE(enabled(*w, "fraProvider"));
    EXPECT_EQ(stored(second).SendType, "GSM");
    child<QRadioButton>(*w, "optProvider")->click();
    EXPECT_TRUE(enabled(*w, "fraProvider"));
    EXPECT_EQ(stored(second).SendType, "Provider");
}

// The end of a test send through a real modem is the last test's.
TEST_F(AlarmSmsWindowTest, ACancelledTestSendsNothingAndAnAnsweredOneHoldsTheWindowUntilItsSendEnds) {
    const qint64 id = add("Mobile", "GSM");
    auto w = open();
    dialogs.answers = {false};
    child<QAction>(*w, "Test")->trigger();
    EXPECT_EQ(dialogs.texts, QStringList{AlarmSmsWindow::kTestQuestion + "Night manager"});
    EXPECT_TRUE(sms.requests.empty());
    EXPECT_FALSE(QFile::exists(sitePath("SMTP.log")));
    EXPECT_FALSE(w->testing());

    dialogs.answers = {true};
    child<QAction>(*w, "Test")->trigger();
    ASSERT_EQ(sms.requests.size(), 1U);
    EXPECT_EQ(sms.requests[0].message, notify::AlarmDispatcher::kSmsTestText);
    EXPECT_TRUE(w->testing());
    EXPECT_FALSE(child<QAction>(*w, "Exit")->isEnabled());
    EXPECT_FALSE(child<QWidget>(*w, "fraLog")->isHidden()) << "the log list shows the test";
    sms.finish();
    EXPECT_FALSE(w->testing());
    EXPECT_TRUE(child<QAction>(*w, "Exit")->isEnabled());
    EXPECT_FALSE(stored(id).Actual.has_value()) << "a test counts nothing";
}

TEST_F(AlarmSmsWindowTest, TheCallLogShowsOneEntryPerLineAndIsClearedOnlyAfterOk) {
    QFile callLog(sitePath("KVRComm.log"));
    ASSERT_TRUE(callLog.open(QIODevice::WriteOnly));
    callLog.write("Notify   Date\r\n------\r\nMobile   Night shift, kitchen   Freezer  High Alarm:\r\n");
    callLog.close();
    auto w = open();
    auto* viewLog = child<QAction>(*w, "mnuViewLog");
    child<QAction>(*w, "Log")->trigger();
    EXPECT_TRUE(viewLog->isChecked());
    EXPECT_FALSE(child<QWidget>(*w, "fraLog")->isHidden());
    auto* log = child<QListWidget>(*w, "lstEMailStatus");
    ASSERT_EQ(log->count(), 3);
    EXPECT_EQ(log->item(2)->text(), "Mobile   Night shift, kitchen   Freezer  High Alarm:");
    viewLog->trigger();
    EXPECT_FALSE(viewLog->isChecked());
    EXPECT_TRUE(child<QWidget>(*w, "fraLog")->isHidden());

    dialogs.answers = {false, true, true};
    for (int i = 0; i < 3; ++i)
        child<QAction>(*w, "mnuClearLog")->trigger();
    EXPECT_FALSE(callLog.exists());
    EXPECT_EQ(dialogs.texts.count(AlarmSmsWindow::kClearQuestion), 3);
    EXPECT_EQ(dialogs.texts.count(AlarmSmsWindow::kLogCleared), 1)
        << "a log that is not there is not cleared";
}

TEST_F(AlarmSmsWindowTest, NewRowsGoToTheEndOfTheListAndDeleteAsksFirst) {
    add("Email", "");
    add("Mobile", "GSM");
    auto w = open();
    child<QAction>(*w, "New")->trigger();
    ASSERT_EQ(grid(*w)->rowCount(), 3);
    EXPECT_EQ(grid(*w)->currentRow(), 2);
    EXPECT_EQ(list().loadAll()->back().CallID, 3);

    dialogs.answers = {false, true};
    child<QAction>(*w, "Delete")->trigger();
    EXPECT_EQ(list().loadAll()->size(), 3U);
    child<QAction>(*w, "Delete")->trigger();
    EXPECT_EQ(list().loadAll()->size(), 2U);
    EXPECT_EQ(grid(*w)->rowCount(), 2);
}

// The walk a user takes: a new row filled in the window, saved, and a test that reaches the modem.
TEST_F(AlarmSmsWindowTest, ANewGsmRowFilledInTheWindowGetsTheTestMessageThroughTheModem) {
    test::SimProcess sim(R"({"modem": "gsm", "fault": "none", "pin": false, "lateSeconds": 0})", {},
                         test::SimProcess::File::Modem);
    ASSERT_TRUE(sim.started()) << sim.errorOutput().toStdString();
    notify::ModemSmsGateway modem;
    notify::AlarmDispatcher modemDispatcher(ctx, job.cycle(), {clock, errors, mainView, modem, mail});
    AlarmSmsWindow w(ctx, dialogs, modemDispatcher, {});
    child<QAction>(w, "New")->trigger();
    grid(w)->item(0, 0)->setText("True");
    grid(w)->item(0, 2)->setText("Night manager");
    grid(w)->item(0, 3)->setText("10");
    auto* device = child<QComboBox>(w, "cboDevice");
    device->addItem(sim.ptyPath());
    choose(device, sim.ptyPath());
    choose(child<QComboBox>(w, "cboSpeed"), "9600");
    child<QLineEdit>(w, "txtRecipientNo")->setText("+4917012345");
    Q_EMIT child<QLineEdit>(w, "txtRecipientNo")->textEdited("+4917012345");
    child<QRadioButton>(w, "optGSM")->click();
    child<QAction>(w, "Save")->trigger();
    const CallAlarmRow saved = list().loadAll()->front();
    EXPECT_TRUE(saved.Active);
    EXPECT_EQ(saved.Notify, "Mobile");
    EXPECT_EQ(saved.Repeat, 10);
    EXPECT_EQ(saved.Device, sim.ptyPath());

    dialogs.answers = {true};
    child<QAction>(w, "Test")->trigger();
    waitForTest(w);
    ASSERT_FALSE(w.testing());
    EXPECT_EQ(dialogs.texts.last(), AlarmSmsWindow::kTestCompleted);
    const QJsonObject delivered = QJsonDocument::fromJson(sim.nextLine().toUtf8()).object();
    EXPECT_EQ(delivered.value("to").toString(), "+4917012345");
    EXPECT_EQ(delivered.value("text").toString(), notify::AlarmDispatcher::kSmsTestText);
    auto* log = child<QListWidget>(w, "lstEMailStatus");
    EXPECT_EQ(log->item(log->count() - 1)->text(), "Send Successful!");
    EXPECT_FALSE(list().loadAll()->front().Actual.value_or(0)) << "a test counts nothing";
}
