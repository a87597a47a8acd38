// What one notification row makes of a send: the request the gateway gets, the call log line, and the rows
// that cannot be sent at all.
#include "notify/CallLog.h"
#include "notify/SmsError.h"
#include "notify/SmsSender.h"
#include "support/FakeClock.h"
#include "support/QtPrinters.h"
#include "support/RecordingReporter.h"
#include "support/TempSite.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace kelvara;
using notify::CentreProtocol;
using notify::SendMode;

namespace {

struct SetupCase {
    const char* name;
    QString notify, sendType, protocol, parity, speed;
    std::optional<QString> password;
    // What the request carries:
    std::optional<SendMode> mode;
    std::optional<int> speedGiven;
    int dataFormat;
    CentreProtocol centre;
    QString accessNumber, senderNumber;
    int refusedWith; // 0 when the row can be sent
};

class Setup : public ::testing::TestWithParam<SetupCase> {
protected:
    test::TempSite site;
    test::FakeClock clock;
    test::RecordingReporter errors;
    notify::NotificationView view;
    notify::CommsLog log{site.file("SMTP.log")};
    notify::SmsSender sender{site.path(), clock, errors, view, log};
};

TEST_P(Setup, GivesTheGatewayWhatTheRowsKindNeeds) {
    const SetupCase& c = GetParam();
    store::CallAlarmRow row;
    row.Notify = c.notify;
    row.SendType = c.sendType;
    row.Protocol = c.protocol;
    row.Parity = c.parity;
    row.Speed = c.speed;
    row.Password = c.password;
    row.Device = "Com3";
    row.RecipientNo = "5550100";
    row.AccessNo = "5550200";
    row.SenderNo = "5550999";
    QFile old(site.file("SMSLog.txt"));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.close();

    const auto request = sender.begin(row, "Kelvara Dry Store  High Alarm  28C\r\n");
    EXPECT_FALSE(QFile::exists(site.file("SMSLog.txt"))) << "the last send's gateway log is gone";
    if (c.refusedWith != 0) {
        ASSERT_FALSE(request.ok());
        EXPECT_EQ(request.code(), c.refusedWith);
        EXPECT_EQ(errors.lines,
                  QStringList({"Error: Invalid Data Entries in Alarm Notification.  Please check "
                               "your settings. in Module:Send_SMS"}));
        return;
    }
    ASSERT_TRUE(request.ok()) << request.error().toStdString();
    EXPECT_EQ(request->logFile, site.file("SMSLog.txt"));
    EXPECT_EQ(request->device, "Com3");
    EXPECT_EQ(request->recipientNumber, "5550100");
    EXPECT_EQ(request->message, "Kelvara Dry Store  High Alarm  28C\r\n");
    EXPECT_EQ(request->mode, c.mode);
    EXPECT_EQ(request->speed, c.speedGiven);
    EXPECT_EQ(request->dataFormat, c.dataFormat);
    EXPECT_EQ(request->protocol, c.centre);
    EXPECT_EQ(request->accessNumber, c.accessNumber);
    EXPECT_EQ(request->senderNumber, c.senderNumber);
    EXPECT_EQ(request->password,
              c.password.value_or(QString()).isEmpty() || c.notify != "Mobile" ? QString() : *c.password);
    EXPECT_TRUE(errors.lines.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Rows, Setup,
    ::testing::Values(
        SetupCase{"ProviderUcpWithoutPassword", "Mobile", "Provider", "UCP", "none", "9600", std::nullopt,
                  SendMode::Provider, 9600, 1, CentreProtocol::Ucp, "5550200", "", 0},
        SetupCase{"ProviderTapEvenParity", "Mobile", "Provider", "TAP", "even", "1200", "secret",
                  SendMode::Provider, 1200, 2, CentreProtocol::Tap, "5550200", "", 0},
        SetupCase{"TapInLowerCaseIsUcp", "Mobile", "Provider", "tap", "even", "1200", std::nullopt,
                  SendMode::Provider, 1200, 2, CentreProtocol::Ucp, "5550200", "", 0},
        SetupCase{"GsmStillGetsTheProviderSettings", "Mobile", "GSM", "TAP", "none", "19200", std::nullopt,
                  SendMode::Gsm, 19200, 1, CentreProtocol::Tap, "5550200", "5550999", 0},
        SetupCase{"PagerGetsOnlyTheBasics", "Pager", "GSM", "TAP", "even", "fast", "secret", SendMode::Pager,
                  std::nullopt, 1, CentreProtocol::Ucp, "", "", 0},
        SetupCase{"SpeedThatIsNoNumber", "Mobile", "GSM", "UCP", "none", "fast", std::nullopt, std::nullopt,
                  std::nullopt, 1, CentreProtocol::Ucp, "", "", notify::kSmsBadSettings},
        SetupCase{"UnknownSendType", "Mobile", "Satellite", "UCP", "none", "9600", std::nullopt, std::nullopt,
                  std::nullopt, 1, CentreProtocol::Ucp, "", "", notify::kSmsNoSendMode},
        SetupCase{"UnknownNotifyKind", "Fax", "GSM", "UCP", "none", "9600", std::nullopt, std::nullopt,
                  std::nullopt, 1, CentreProtocol::Ucp, "", "", notify::kSmsNoSendMode}),
    [](const ::testing::TestParamInfo<SetupCase>& info) { return std::string(info.param.name); });

TEST(CallLog, ColumnsHoldForEveryKindOfRowAndTheTitlesComeOnce) {
    test::TempSite site;
    const notify::CallLog log(site.file("KVRComm.log"));
    const QDateTime at(QDate(2026, 7, 1), QTime(10, 5));
    store::CallAlarmRow mobile;
    mobile.Notify = "Mobile";
    mobile.Recipient = "Night manager";
    mobile.RecipientNo = "+15550100";
    store::CallAlarmRow mail;
    mail.Notify = "Email";
    mail.Recipient = "chef@example.com";
    mail.RecipientNo = "ignored for e-mail";
    store::CallAlarmRow pager;
    pager.Notify = "Pager";
    pager.Recipient = "A recipient whose name runs on far past the fifty characters of its column";
    pager.RecipientNo = "5550300,,,,4711#";

    ASSERT_TRUE(log.append(notify::CallLog::line(mobile, at, "Kelvara Dry Store  High Alarm  28C:")).ok());
    ASSERT_TRUE(
        log.append(notify::CallLog::line(
                       mail, at, "Kelvara Dry Store  High Alarm  28C:Kelvara Freezer  High Alarm  -2C:"))
            .ok());
    ASSERT_TRUE(log.append(notify::CallLog::line(pager, at, "Kelvara Error Reading Sensors:")).ok());

    QFile written(site.file("KVRComm.log"));
    QFile expected(QStringLiteral(KELVARA_NOTIFY_TEST_DATA "/KVRComm.log"));
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    ASSERT_TRUE(expected.open(QIODevice::ReadOnly));
    EXPECT_EQ(written.readAll(), expected.readAll());
}

} // namespace
