// The real program without windows, on the simulated bus and a real mail server on 127.0.0.1: a zone above
// its limit reaches an e-mail recipient, and a mail that needs a dial that fails goes nowhere and counts
// nothing.
#include "app/KvrIniFile.h"
#include "store/CallAlarmStore.h"
#include "store/Database.h"
#include "support/KelvaraProcess.h"
#include "support/SimProcess.h"
#include "support/SmtpServer.h"
#include "support/TempSite.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QThread>
#include <gtest/gtest.h>

using namespace kelvara;

namespace {

const QByteArray kBus = R"({"devices": [
    {"rom": "1B0000000000A328", "temperature": 28, "zone": {"name": "Dry Store", "low": 10, "high": 25, "delay": 0}},
    {"rom": "610000000000C105", "on": false}]})";

bool fileEndsWith(const QString& path, const QByteArray& end) {
    QDeadlineTimer limit(60000);
    while (!limit.hasExpired()) {
        if (test::TempSite::readFile(path).endsWith(end))
            return true;
        QThread::msleep(200);
    }
    return false;
}

// A demo site whose one recipient is told by e-mail through the given server.
struct MailSite {
    MailSite(const QString& server, const QByteArray& dialInternet) {
        root.write("scenario.json", kBus);
        test::KelvaraProcess create(root.path());
        created = create.runToEnd(
                      {"--create-site", site, "--sides", "zone", "--demo", root.file("scenario.json")}) == 0;
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

    void point(const test::SimProcess& bus) {
        root.write("Kelvara/Kelvara.ini",
                   "[Properties]\nSettings=115200,n,8,1\nPortName=" + bus.ptyPath().toUtf8() + "\n");
    }

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
    ASSERT_TRUE(fileEndsWith(s.site + "/SMTP.log", "DONE\r\n")) << kelvara.stdOut().toStdString();
    EXPECT_EQ(kelvara.terminate(), 0);

    EXPECT_EQ(mail->from, "kitchen@example.com");
    EXPECT_EQ(mail->to, QStringList{"chef@example.com"});
    const qsizetype split = mail->data.indexOf("\r\n\r\n");
    EXPECT_TRUE(mail->data.left(split).contains("\r\nSubject: Dry store alarm\r\n"));
    EXPECT_TRUE(mail->data.startsWith("From: \"Kelvara Site\" <kitchen@example.com>\r\n"));
    EXPECT_EQ(mail->data.mid(split + 4), "Kelvara Dry Store  High Alarm  28C\r\n");
    EXPECT_FALSE(server.next(500)) << "one mail for one alarm";

    const QList<QByteArray> comms = test::TempSite::readFile(s.site + "/SMTP.log").split('\n');
    ASSERT_EQ(comms.size(), 11) << "six set-up lines, the outcome, two blank lines, DONE";
    EXPECT_TRUE(comms[0].startsWith("EMail, "));
    EXPECT_EQ(comms[1], "SMTPHost =" + server.address().toUtf8() + "\r");
    EXPECT_EQ(comms[2], "From = kitchen@example.com\r");
    EXPECT_EQ(comms[3], "FromDisplayName = Kelvara Site\r");
    EXPECT_EQ(comms[4], "Recipient = chef@example.com\r");
    EXPECT_EQ(comms[5], "Attachment =\r");
    EXPECT_EQ(comms[6], "Send Successful!\r");
    EXPECT_EQ(comms[7], "  \r");
    EXPECT_EQ(comms[8], "  \r");
    EXPECT_EQ(comms[9], "DONE\r");
    const QList<QByteArray> calls = test::TempSite::readFile(s.site + "/KVRComm.log").split('\n');
    ASSERT_EQ(calls.size(), 4) << "the titles and the recipient's line";
    EXPECT_TRUE(calls[2].startsWith("Email          ")) << calls[2].toStdString();
    EXPECT_TRUE(calls[2].endsWith(QByteArray("chef@example.com").leftJustified(50) + QByteArray(40, ' ') +
                                  "Kelvara Dry Store  High Alarm  28C:\r"))
        << "no numbers for an e-mail: " << calls[2].toStdString();
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
    const bool done = fileEndsWith(s.site + "/SMTP.log", "DONE\r\n");
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
