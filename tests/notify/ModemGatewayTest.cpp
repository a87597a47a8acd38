// The gateway on the system serial port against the kelvara-sim modem on its pseudo-terminal: what each way
// of sending delivers to the far end, and the error number each fault of the line or the centre ends in.
#include "notify/ModemSmsGateway.h"
#include "notify/SmsError.h"
#include "support/QtPrinters.h"
#include "support/SimProcess.h"

#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTimer>
#include <gtest/gtest.h>
#include <optional>

using namespace kelvara::notify;
using kelvara::test::SimProcess;

namespace {

// Far beyond the slowest fault here (a silent modem: three tries of ten seconds each).
constexpr int kOutcomeDeadlineMs = 100'000;

const QString kAlarm = QStringLiteral("Kelvara Dry Store  High Alarm  28C\r\n");
const QString kPassword = QStringLiteral("secret");

// The Hayes modem's numbers: centres, a pager, and numbers whose line or centre has a fault.
QByteArray hayes(const char* modemFault = "none") {
    return QStringLiteral(R"({"modem": "hayes", "dialSeconds": 0.1, "fault": "%1", "numbers": {
        "5550100": {"centre": "tap", "password": "secret"},
        "5550200": {"centre": "ucp", "password": "secret"},
        "5550201": {"centre": "ucp"},
        "5550300": {"pager": true},
        "5550400": {"fault": "busy"},
        "5550500": {"centre": "tap", "password": "secret", "fault": "silent"},
        "5550600": {"centre": "tap", "password": "secret", "fault": "no-carrier"},
        "5550700": {"centre": "tap", "password": "secret", "fault": "nak"},
        "5550800": {"centre": "tap", "password": "secret", "fault": "reject"},
        "5550900": {"centre": "ucp", "fault": "reject"}}})")
        .arg(QLatin1String(modemFault))
        .toUtf8();
}

QByteArray gsm(const char* fault = "none", bool pin = false, int lateSeconds = 0) {
    return QStringLiteral(R"({"modem": "gsm", "fault": "%1", "pin": %2, "lateSeconds": %3})")
        .arg(QLatin1String(fault), pin ? QStringLiteral("true") : QStringLiteral("false"))
        .arg(lateSeconds)
        .toUtf8();
}

SmsRequest request(SendMode mode, const QString& recipient, const QString& access = {},
                   CentreProtocol protocol = CentreProtocol::Ucp, const QString& password = kPassword) {
    SmsRequest r;
    r.mode = mode;
    r.recipientNumber = recipient;
    r.accessNumber = access;
    r.protocol = protocol;
    r.password = password;
    r.senderNumber = QStringLiteral("0300");
    r.speed = 9600;
    r.message = kAlarm;
    return r;
}

SmsRequest withMessage(SmsRequest r, const QString& message) {
    r.message = message;
    return r;
}

// One send through a gateway of its own on the simulator's terminal; none when no outcome came in time.
std::optional<SmsOutcome> sendThrough(SimProcess& sim, SmsRequest r) {
    r.device = sim.ptyPath();
    r.logFile = QDir(sim.folder()).filePath(QStringLiteral("SMSLog.txt"));
    std::optional<SmsOutcome> outcome;
    QEventLoop loop;
    QTimer::singleShot(kOutcomeDeadlineMs, &loop, &QEventLoop::quit);
    ModemSmsGateway gateway;
    gateway.send(r, [&](const SmsOutcome& o) {
        outcome = o;
        loop.quit();
    });
    if (!outcome)
        loop.exec();
    return outcome;
}

QByteArray logOf(SimProcess& sim) {
    QFile file(QDir(sim.folder()).filePath(QStringLiteral("SMSLog.txt")));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The secret in any form a driver could write it: as typed, or as a centre's hexadecimal field.
bool holdsPassword(const QByteArray& log, const QString& password) {
    return !password.isEmpty() &&
           (log.contains(password.toLatin1()) || log.contains(password.toLatin1().toHex()) ||
            log.contains(password.toLatin1().toHex().toUpper()));
}

// A message part as the simulator prints it, keys in a fixed order so two can be compared as text.
QString part(const char* via, const QString& to, const QString& text) {
    return QString::fromUtf8(
        QJsonDocument(QJsonObject{{"via", QLatin1String(via)}, {"to", to}, {"text", text}})
            .toJson(QJsonDocument::Compact));
}

QString canonical(const QString& line) {
    return QString::fromUtf8(QJsonDocument::fromJson(line.toUtf8()).toJson(QJsonDocument::Compact));
}

struct SendRow {
    const char* name;
    QByteArray modem;
    SmsRequest request;
    int error;
    QStringList parts; // delivered, in turn
    // Whether the driver escapes to command mode: only on a call whose carrier it did not see drop.
    bool escapes;
};

class ModemGatewaySends : public ::testing::TestWithParam<SendRow> {};

TEST_P(ModemGatewaySends, EndInTheirErrorNumberDeliverExactlyTheTextAndKeepThePasswordOutOfTheLog) {
    const SendRow& row = GetParam();
    SimProcess sim(row.modem, {}, SimProcess::File::Modem);
    ASSERT_TRUE(sim.started()) << sim.errorOutput().toStdString();
    const auto outcome = sendThrough(sim, row.request);
    ASSERT_TRUE(outcome) << logOf(sim).toStdString();
    const QByteArray log = logOf(sim);
    EXPECT_EQ(outcome->result, row.error) << log.toStdString();
    QStringList delivered;
    for (qsizetype i = 0; i < row.parts.size(); ++i)
        delivered << canonical(sim.nextLine());
    EXPECT_EQ(delivered, row.parts);
    EXPECT_EQ(sim.control(QStringLiteral("messages")), QString::number(row.parts.size()));
    EXPECT_FALSE(holdsPassword(log, row.request.password)) << log.toStdString();
    // Once the modem said the carrier is gone it is in command mode: an escape would only reach the centre.
    EXPECT_EQ(log.contains("> +++"), row.escapes) << log.toStdString();
}

// Two lines that do not fit into one part together: each becomes a part of its own.
const QString kLongLine1 =
    QStringLiteral("Kelvara Dry Store  High Alarm  28C ") + QString(80, QLatin1Char('.'));
const QString kLongLine2 =
    QStringLiteral("Kelvara Freezer  High Alarm  -2C ") + QString(80, QLatin1Char('.'));
const QString kTwoLines = kLongLine1 + "\r\n" + kLongLine2 + "\r\n";
const auto kTap = CentreProtocol::Tap;
const auto kUcp = CentreProtocol::Ucp;
const SmsRequest kGsm = request(SendMode::Gsm, "+4917012345");

SmsRequest tapVia(const QString& access, const QString& password = kPassword) {
    return request(SendMode::Provider, "4711", access, kTap, password);
}

SmsRequest ucpVia(const QString& access, const QString& password = kPassword) {
    return request(SendMode::Provider, "0170111", access, kUcp, password);
}

QStringList ucpParts(const QStringList& texts) {
    QStringList parts;
    for (const QString& text : texts)
        parts << part("ucp", "0170111", text);
    return parts;
}

// Only three rows wait out an answer limit: the silent modem and the late one (three tries of ten seconds
// each) and the silent centre (ten seconds).
// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Sim, ModemGatewaySends,
    ::testing::Values(
        SendRow{"Gsm", gsm(), kGsm, kSmsSent, {part("gsm", "+4917012345", kAlarm)}, false},
        SendRow{"TapWithPassword", hayes(), tapVia("5550100"), kSmsSent, {part("tap", "4711", kAlarm)}, false},
        SendRow{"UcpWithPassword", hayes(), ucpVia("5550200"), kSmsSent, ucpParts({kAlarm}), true},
        SendRow{"UcpWithoutPassword", hayes(), ucpVia("5550201", ""), kSmsSent, ucpParts({kAlarm}), true},
        SendRow{"Pager", hayes(), request(SendMode::Pager, "5550300,,,,4711#"), kSmsSent, {part("page", "5550300", "4711")}, false},
        SendRow{"GsmTwoParts", gsm(), withMessage(kGsm, kTwoLines), kSmsSent,
                {part("gsm", "+4917012345", kLongLine1 + "\r\n"), part("gsm", "+4917012345", kLongLine2 + "\r\n")}, false},
        SendRow{"UcpTwoParts", hayes(), withMessage(ucpVia("5550200"), kTwoLines), kSmsSent, ucpParts({kLongLine1 + "\r\n", kLongLine2 + "\r\n"}), true},
        SendRow{"SilentModem", gsm("silent"), kGsm, kSmsModemSilent, {}, false},
        SendRow{"AnswersLaterThanTheLimit", gsm("none", false, 40), kGsm, kSmsModemSilent, {}, false},
        SendRow{"NoDialTone", hayes("no-dialtone"), tapVia("5550100"), kSmsNoDialTone, {}, false},
        SendRow{"Busy", hayes(), tapVia("5550400"), kSmsBusy, {}, false},
        SendRow{"NoAnswer", hayes(), ucpVia("5559999"), kSmsNoAnswer, {}, false},
        SendRow{"CarrierLost", hayes(), tapVia("5550600"), kSmsCarrierLost, {}, false},
        SendRow{"SilentCentre", hayes(), tapVia("5550500"), kSmsCentreSilent, {}, true},
        SendRow{"TapNakOnEveryBlock", hayes(), tapVia("5550700"), kSmsBlockRefused, {}, true},
        SendRow{"TapRejects", hayes(), tapVia("5550800"), kSmsRejected, {}, true},
        SendRow{"UcpNegativeAcknowledgement", hayes(), ucpVia("5550900", ""), kSmsRejected, {}, true},
        SendRow{"GsmNetworkRefuses", gsm("reject"), kGsm, kSmsRejected, {}, false},
        SendRow{"SimPin", gsm("none", true), kGsm, kSmsPinRequired, {}, false},
        SendRow{"TapWrongPassword", hayes(), tapVia("5550100", "wrong1"), kSmsLoginRefused, {}, false},
        SendRow{"UcpWrongPassword", hayes(), ucpVia("5550200", "wrong1"), kSmsLoginRefused, {}, true}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

} // namespace
