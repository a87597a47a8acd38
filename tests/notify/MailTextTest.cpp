// The pure parts of e-mail: the mail keys of KVR.INI, the server setting, and the message text with its
// guards against header injection.
#include "notify/MailMessage.h"
#include "notify/MailSettings.h"

#include <QTimeZone>
#include <gtest/gtest.h>

using namespace kelvara;
using notify::MailMessage;
using notify::MailSettings;

TEST(MailSettings, KeysAndValuesAreTrimmedAndReadingStopsAtDone) {
    const MailSettings s = MailSettings::parse("Business Name=Dry Goods\r\n"
                                               "  SMTPName  =   mail.example.com  \r\n"
                                               "SMTPEmail= kitchen@example.com\r\n"
                                               "SMTPSender=Night Shift\r\n"
                                               "SMTPLogin=1\r\n"
                                               "DONE\r\n"
                                               "SMTPLoginID=after-done\r\n");
    EXPECT_EQ(s.SMTPName, "mail.example.com");
    EXPECT_EQ(s.SMTPEmail, "kitchen@example.com");
    EXPECT_EQ(s.SMTPSender, "Night Shift");
    EXPECT_TRUE(s.useLogin());
    EXPECT_FALSE(s.dialFirst());
    EXPECT_EQ(s.SMTPLoginID, "") << "lines after DONE are not settings";
}

struct ServerCase {
    const char* name;
    const char* login;
    const char* url; // empty: refused
    bool tlsRequired;
};

class MailServerSetting : public ::testing::TestWithParam<ServerCase> {};

TEST_P(MailServerSetting, GivesTheUrlAndWhetherTlsIsAMust) {
    MailSettings s;
    s.SMTPName = QString::fromUtf8(GetParam().name);
    s.SMTPLogin = QString::fromUtf8(GetParam().login);
    s.SMTPLoginID = "cook";
    s.SMTPPassword = "s3cret";
    const auto server = s.server("/site/MailCA.pem");
    if (QByteArray(GetParam().url).isEmpty()) {
        EXPECT_FALSE(server.ok()) << GetParam().name;
        return;
    }
    ASSERT_TRUE(server.ok()) << server.error().toStdString();
    EXPECT_EQ(server->url(), GetParam().url);
    EXPECT_EQ(server->tlsRequired, GetParam().tlsRequired) << GetParam().name;
    EXPECT_EQ(server->login, s.useLogin());
    EXPECT_EQ(server->password, s.useLogin() ? "s3cret" : "") << "no password is passed without a login";
}

INSTANTIATE_TEST_SUITE_P(
    Table, MailServerSetting,
    ::testing::Values(ServerCase{"mail.example.com", "0", "smtp://mail.example.com:25", false},
                      ServerCase{"mail.example.com:587", "1", "smtp://mail.example.com:587", true},
                      ServerCase{"smtps://mail.example.com", "1", "smtps://mail.example.com:465", false},
                      ServerCase{"SMTPS://mail.example.com:2465", "0", "smtps://mail.example.com:2465",
                                 false},
                      ServerCase{"127.0.0.1:2525", "1", "smtp://127.0.0.1:2525", false},
                      ServerCase{"localhost", "1", "smtp://localhost:25", false},
                      ServerCase{"[::1]:2525", "1", "smtp://[::1]:2525", false},
                      ServerCase{"127.example.com", "1", "smtp://127.example.com:25", true},
                      ServerCase{"", "0", "", false}, ServerCase{"mail.example.com:0", "0", "", false},
                      ServerCase{"mail.example.com:smtp", "0", "", false},
                      ServerCase{"mail example.com", "0", "", false}));

namespace {

MailMessage::Parts plainParts() {
    MailMessage::Parts p;
    p.fromAddress = "kitchen@example.com";
    p.fromName = "Night Shift";
    p.to = "chef@example.com";
    p.subject = "Dry store alarm";
    p.body = "Kelvara Dry Store  High Alarm  28C\r\n";
    p.date = QDateTime(QDate(2026, 12, 8), QTime(14, 5, 9), QTimeZone(3600));
    p.messageId = "kelvara.1@example.com";
    return p;
}

} // namespace

TEST(MailMessage, APlainMailHasItsHeadersAndTheBodyAsGiven) {
    const auto text = MailMessage::compose(plainParts());
    ASSERT_TRUE(text.ok());
    EXPECT_EQ(*text, QByteArray("From: \"Night Shift\" <kitchen@example.com>\r\n"
                                "To: chef@example.com\r\n"
                                "Subject: Dry store alarm\r\n"
                                "Date: Tue, 08 Dec 2026 14:05:09 +0100\r\n"
                                "Message-ID: <kelvara.1@example.com>\r\n"
                                "MIME-Version: 1.0\r\n"
                                "Content-Type: text/plain; charset=UTF-8\r\n"
                                "Content-Transfer-Encoding: 7bit\r\n"
                                "\r\n"
                                "Kelvara Dry Store  High Alarm  28C\r\n"));
}

TEST(MailMessage, ALineBreakInAnyHeaderFieldRefusesTheMail) {
    const std::vector<std::function<void(MailMessage::Parts&)>> injections{
        [](auto& p) { p.to = "chef@example.com\r\nBcc: all@example.com"; },
        [](auto& p) { p.to = "chef@example.com\nBcc: all@example.com"; },
        [](auto& p) { p.subject = "Alarm\r\nBcc: all@example.com"; },
        [](auto& p) { p.subject = "Alarm\rX: y"; },
        [](auto& p) { p.fromName = "Night\nBcc: all@example.com"; },
        [](auto& p) { p.fromAddress = "kitchen@example.com\r\nX: y"; },
        [](auto& p) { p.to = ""; },
        [](auto& p) { p.to = "Night shift, kitchen"; },
        [](auto& p) { p.to = "a@b.c, d@e.f"; },
    };
    for (std::size_t i = 0; i < injections.size(); ++i) {
        MailMessage::Parts p = plainParts();
        injections[i](p);
        EXPECT_FALSE(MailMessage::compose(p).ok()) << "case " << i;
    }
}

TEST(MailMessage, WordsOutsideAsciiAreEncodedAndComeBackWhole) {
    MailMessage::Parts p = plainParts();
    p.subject =
        QString::fromUtf8("Kühlraum Störung – Tür offen seit 20 Minuten, bitte sofort prüfen 🥶");
    p.fromName = QString::fromUtf8("Küche");
    p.body = QString::fromUtf8("Kühlraum  High Alarm  9C\r\n");
    const auto text = MailMessage::compose(p);
    ASSERT_TRUE(text.ok());
    const QByteArray headers = text->left(text->indexOf("\r\n\r\n"));
    const QByteArray body = text->mid(text->indexOf("\r\n\r\n") + 4);
    EXPECT_TRUE(headers.contains("From: =?UTF-8?B?S8O8Y2hl?= <kitchen@example.com>\r\n"));
    EXPECT_TRUE(headers.contains("Content-Transfer-Encoding: quoted-printable"));
    EXPECT_EQ(body, "K=C3=BChlraum  High Alarm  9C\r\n");
    // The subject's encoded words, each within 75 characters, decode to the subject again.
    const qsizetype start = headers.indexOf("Subject: ") + 9;
    const QByteArray folded = headers.mid(start, headers.indexOf("\r\nDate:") - start);
    QByteArray decoded;
    for (QByteArray word : folded.split('\n')) {
        word = word.trimmed();
        ASSERT_TRUE(word.startsWith("=?UTF-8?B?") && word.endsWith("?=")) << word.toStdString();
        EXPECT_LE(word.size(), 75);
        decoded += QByteArray::fromBase64(word.mid(10, word.size() - 12));
    }
    EXPECT_EQ(QString::fromUtf8(decoded), p.subject);
}

TEST(MailMessage, QuotedPrintableKeepsLinesShortAndTrailingBlanksVisible) {
    const QByteArray long76 = QByteArray(100, 'x') + " \r\nend";
    const QByteArray encoded = MailMessage::quotedPrintable(long76);
    for (const QByteArray& line : encoded.split('\n'))
        EXPECT_LE(line.size(), 77) << "76 characters and the CR";
    EXPECT_TRUE(encoded.contains("=20\r\nend")) << encoded.toStdString();
}
