// The real program without windows, on the simulated bus and a real mail server on 127.0.0.1: a zone above
// its limit reaches an e-mail recipient, and a mail that needs a dial that fails goes nowhere and counts
// nothing.
#include "app/KvrIniFile.h"
#include "store/CallAlarmStore.h"
#include "store/Database.h"
#include "support/DemoSite.h"
#include "support/KelvaraProcess.h"
#include "support/SmtpServer.h"
#include "support/TempSite.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace kelvara;

namespace {

const QByteArray kBus = R"({"devices": [
    {"rom": "1B0000000000A328", "temperature": 28, "zone": {"name": "Dry Store", "low": 10, "high": 25, "delay": 0}},
    {"rom": "610000000000C105", "on": false}]})";

// A demo site whose one recipient is told by e-mail through the given server.
struct MailSite {
    MailSite(const QString& server, const QByteArray& dialInternet) {
        created = !test::createDemoSite(root, kBus).isEmpty();
        store::Database db(store::DatabaseKind::Kvr);
        created = created && db.open(site + "/KVR.db").ok();
        const store::CallAlarmStore list(db);
        auto rows = list.loadAll();
        created = created && rows.ok() && rows->size() == 1U;
        if (!created)
            return;
        store::CallAlarmRow row = rows->front();
        row.Notify = "Email";
        row.Recipient = "chef@example.com";
        row.Message = "Dry store alarm";
        created = list.update(row).ok();
        const QString ini = site + "/KVR.INI";
        root.write("site/KVR.INI", app::KvrIniFile::withValues(test::TempSite::readFile(ini),
                                                               {{"SMTPName", server},
                                                                {"SMTPEmail", "kitchen@example.com"},
                                                                {"SMTPSender", "Kelvara Site"},
                                                                {"DialInternet", dialInternet}}));
    }

    void point(const test::SimProcess& bus) const { test::pointAtPort(root, bus.ptyPath()); }

    store::CallAlarmRow row() const {
        store::Database db(store::DatabaseKind::Kvr);
        if (!db.open(site + "/KVR.db").ok())
            return {};
        auto rows = store::CallAlarmStore(db).loadAll();
        return rows.ok() && !rows->empty() ? rows->front() : store::CallAlarmRow{};
    }

    test::TempSite root;
    QString site = root.file("site");
    bool created = false;
};

} // namespace

TEST(HeadlessMail, AZoneAboveItsLimitSendsOneMailWithTheAlarmText) {
    test::SmtpServer server({});
    test::SimProcess bus(kBus);
    ASSERT_TRUE(server.started() && bus.started());
    MailSite s(server.address(), "0");
    ASSERT_TRUE(s.created);
    s.point(bus);

    test::KelvaraProcess kelvara(s.root.path());
    kelvara.start({"--site", s.site, "--headless"});
    const auto mail = server.next(60000);
    ASSERT_TRUE(mail) << kelvara.stdOut().toStdString();
    ASSERT_TRUE(test::fileEventuallyEndsWith(s.site + "/SMTP.log", "DONE\r\n"))
        << kelvara.stdOut().toStdString();
    EXPECT_EQ(kelvara.terminate(), 0);

    // The envelope, headers and the log's set-up lines are MailSendTest's; here: the alarm's text, once.
    EXPECT_EQ(mail->to, QStringList{"chef@example.com"});
    const qsizetype split = mail->data.indexOf("\r\n\r\n");
    EXPECT_TRUE(mail->data.left(split).contains("\r\nSubject: Dry store alarm\r\n"));
    EXPECT_EQ(mail->data.mid(split + 4), "Kelvara Dry Store  High Alarm  28C\r\n");
    EXPECT_FALSE(server.next(500)) << "one mail for one alarm";
    EXPECT_TRUE(
        test::TempSite::readFile(s.site + "/SMTP.log").endsWith("Send Successful!\r\n  \r\n  \r\nDONE\r\n"));
    // The call log's columns are checked against a golden file in SendSetupTest; here: the titles and the
    // recipient's one line.
    EXPECT_EQ(test::TempSite::readFile(s.site + "/KVRComm.log").count('\n'), 3);
    EXPECT_EQ(s.row().Actual, 1);
}

TEST(HeadlessMail, AFailedDialSendsNothingAndLeavesTheRowAsItWas) {
    test::SmtpServer server({});
    test::SimProcess bus(kBus);
    ASSERT_TRUE(server.started() && bus.started());
    MailSite s(server.address(), "1");
    ASSERT_TRUE(s.created);
    s.point(bus);
    // A peers folder with one entry, and a pon that cannot dial.
    s.root.write("peers/provider", "");
    s.root.write("pon", "#!/bin/sh\nexit 1\n");
    QFile::setPermissions(s.root.file("pon"), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    qputenv("KELVARA_PPP_PEERS", s.root.file("peers").toUtf8());
    qputenv("KELVARA_PON", s.root.file("pon").toUtf8());
    const store::CallAlarmRow before = s.row();

    test::KelvaraProcess kelvara(s.root.path());
    kelvara.start({"--site", s.site, "--headless"});
    const bool done = test::fileEventuallyEndsWith(s.site + "/SMTP.log", "DONE\r\n");
    EXPECT_EQ(kelvara.terminate(), 0);
    qunsetenv("KELVARA_PPP_PEERS");
    qunsetenv("KELVARA_PON");
    ASSERT_TRUE(done) << kelvara.stdOut().toStdString();

    EXPECT_FALSE(server.next(500));
    const QByteArray comms = test::TempSite::readFile(s.site + "/SMTP.log");
    EXPECT_TRUE(comms.startsWith("Send mail failed: \r\nDial-up failed: ")) << comms.toStdString();
    EXPECT_FALSE(comms.contains("Send Successful!"));
    const store::CallAlarmRow after = s.row();
    EXPECT_EQ(after.Actual, before.Actual);
    EXPECT_EQ(after.LastCall, before.LastCall);
    EXPECT_EQ(after.Rooms, before.Rooms);
}
