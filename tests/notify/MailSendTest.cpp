// Send_Email against a real mail server on 127.0.0.1: what the server receives, what SMTP.log and the
// status say, and that every failure is a failed send with its reason.
#include "notify/CommsLog.h"
#include "notify/CurlMailTransport.h"
#include "notify/MailSender.h"
#include "notify/NotificationView.h"
#include "support/FakeClock.h"
#include "support/SmtpServer.h"
#include "support/TempSite.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <gtest/gtest.h>

using namespace kelvara;
using notify::MailSender;

namespace {

struct StatusList final : notify::NotificationView {
    void clearStatus() override { lines.clear(); }
    void statusLine(const QString& line) override { lines << line; }
    QStringList lines;
};

class MailSendTest : public ::testing::Test {
protected:
    void settings(const QString& host, const QString& extra = {}) {
        site.write("KVR.INI",
                   ("Business Name=Dry Goods\r\nDialInternet=0\r\nSMTPName=" + host +
                    "\r\nSMTPSender=Night Shift\r\nSMTPEmail=kitchen@example.com\r\n" + extra + "DONE\r\n")
                       .toUtf8());
    }

    // One send to its end; the status it left.
    QString send(const QString& to = QStringLiteral("chef@example.com")) {
        (void)log.start();
        std::optional<QString> status;
        sender.Send_Email(view, log, {to, "Dry store alarm", "Kelvara Dry Store  High Alarm  28C\r\n"},
                          [&](const QString& s) { status = s; });
        QDeadlineTimer limit(60000);
        while (!status && !limit.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        return status.value_or(QStringLiteral("(no end)"));
    }

    QByteArray commsLog() const { return site.read("SMTP.log"); }

    test::TempSite site;
    test::FakeClock clock{QDateTime(QDate(2026, 12, 8), QTime(14, 5, 9))};
    notify::CurlMailTransport transport{notify::CurlMailTransport::Limits{2000, 5000}};
    MailSender sender{site.path(), clock, transport, notify::DialUp::Config()};
    notify::CommsLog log{site.file("SMTP.log")};
    StatusList view;
};

} // namespace

TEST_F(MailSendTest, APlainServerGetsTheEnvelopeHeadersAndBodyAndTheLogSaysSo) {
    test::SmtpServer server({});
    ASSERT_TRUE(server.started()) << server.errorOutput().toStdString();
    settings(server.address());

    EXPECT_EQ(send(), "Successful");
    const auto mail = server.next();
    ASSERT_TRUE(mail);
    EXPECT_EQ(mail->from, "kitchen@example.com");
    EXPECT_EQ(mail->to, QStringList{"chef@example.com"});
    EXPECT_FALSE(mail->tls) << "this server offers no STARTTLS";
    // The headers' forms are MailTextTest's; here: the clock's date reaches the mail, the body is whole.
    EXPECT_TRUE(mail->data.contains("\r\nDate: Tue, 08 Dec 2026 14:05:09 ")) << mail->data.toStdString();
    EXPECT_TRUE(mail->data.endsWith("\r\n\r\nKelvara Dry Store  High Alarm  28C\r\n"));

    EXPECT_EQ(commsLog(), "EMail, 12/08/2026, 2:05:09 PM\r\n"
                          "SMTPHost =" +
                              server.address().toUtf8() +
                              "\r\n"
                              "From = kitchen@example.com\r\n"
                              "FromDisplayName = Night Shift\r\n"
                              "Recipient = chef@example.com\r\n"
                              "Attachment =\r\n"
                              "Send Successful!\r\n"
                              "  \r\n"
                              "  \r\n");
    EXPECT_EQ(sender.lblProgress(), "Complete");
    EXPECT_TRUE(sender.lstStatus().contains("Send Successful!"));
    EXPECT_EQ(view.lines.last(), "Successful");
    EXPECT_TRUE(view.lines.contains("Subject = Dry store alarm"));
}

TEST_F(MailSendTest, StartTlsWithALoginVerifiesTheServerAndNeverLogsThePassword) {
    test::SmtpServer server(test::SmtpServer::Options::starttlsWith("cook:s3cret"));
    ASSERT_TRUE(server.started()) << server.errorOutput().toStdString();
    QFile::copy(test::SmtpServer::caFile(), site.file("MailCA.pem"));
    settings(server.address(), "SMTPLoginID=cook\r\nSMTPPassword=s3cret\r\nSMTPLogin=1\r\n");

    EXPECT_EQ(send(), "Successful");
    const auto mail = server.next();
    ASSERT_TRUE(mail);
    EXPECT_TRUE(mail->tls);
    EXPECT_EQ(mail->login, "cook");
    EXPECT_FALSE(commsLog().contains("s3cret"));
    EXPECT_FALSE(sender.lstStatus().join('\n').contains("s3cret"));
}

TEST_F(MailSendTest, EveryFailureIsAFailedSendWithItsReason) {
    // A server whose certificate nobody here trusts, one that refuses the recipient, one without TLS that
    // is asked for a login as a remote one would be, a closed port, and settings that cannot make a mail.
    test::SmtpServer untrusted(test::SmtpServer::Options::starttlsWith());
    test::SmtpServer refusing(test::SmtpServer::Options::refusing());
    test::SmtpServer plain({});
    ASSERT_TRUE(untrusted.started() && refusing.started() && plain.started());
    QString closedAddress;
    {
        test::SmtpServer gone({});
        closedAddress = gone.address();
    }

    struct Case {
        QString host;
        QString to;
        const char* reason; // a part of the explanation
    };
    const std::vector<Case> cases{
        {untrusted.address(), "chef@example.com", "certificate"},
        {refusing.address(), "chef@example.com", "550"},
        {closedAddress, "chef@example.com", "onnect"},
        {"", "chef@example.com", "No mail server"},
        {plain.address(), "chef@example.com\r\nBcc: all@example.com", "line break"},
        {plain.address(), "", "No recipient"},
    };
    for (const Case& c : cases) {
        settings(c.host);
        const QString status = send(c.to);
        EXPECT_TRUE(status.startsWith("Send mail failed: \r\n")) << status.toStdString();
        EXPECT_TRUE(status.contains(QString::fromLatin1(c.reason))) << status.toStdString();
        EXPECT_TRUE(commsLog().contains(status.toUtf8())) << commsLog().toStdString();
        EXPECT_FALSE(commsLog().contains("Send Successful!"));
        EXPECT_TRUE(commsLog().endsWith("  \r\n  \r\n"));
        EXPECT_EQ(sender.lblProgress(), "Complete");
    }
    EXPECT_FALSE(refusing.next(100));
    EXPECT_FALSE(plain.next(100));

    QFile::remove(site.file("KVR.INI"));
    EXPECT_TRUE(send().startsWith("Send mail failed: \r\n")) << "settings that cannot be read";
}

TEST_F(MailSendTest, ALoginToAServerWithoutTlsFailsWhenTheServerIsNotThisMachine) {
    // The server is on 127.0.0.1; the transport is told what a remote one would require.
    test::SmtpServer plain({});
    ASSERT_TRUE(plain.started());
    notify::MailJob job;
    job.server.host = "127.0.0.1";
    job.server.port = plain.port();
    job.server.login = true;
    job.server.loginId = "cook";
    job.server.password = "s3cret";
    job.server.tlsRequired = true;
    job.from = "kitchen@example.com";
    job.to = "chef@example.com";
    job.message = "Subject: x\r\n\r\nx\r\n";
    std::optional<base::Result<void>> outcome;
    transport.send(job, {{}, {}, [&](const base::Result<void>& r) { outcome = r; }});
    QDeadlineTimer limit(60000);
    while (!outcome && !limit.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    ASSERT_TRUE(outcome);
    EXPECT_FALSE(outcome->ok());
    EXPECT_TRUE(outcome->error().contains("never sent in clear")) << outcome->error().toStdString();
    EXPECT_FALSE(plain.next(100));
}
