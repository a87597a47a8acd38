// Each driver on a scripted modem and a fake clock: the bytes of a good send, and each fault's error number
// within its limit.
#include "notify/ModemSend.h"
#include "notify/ModemSession.h"
#include "notify/SmsError.h"
#include "notify/TapBlocks.h"
#include "support/FakeClock.h"
#include "support/QtPrinters.h"
#include "support/ScriptedPort.h"

#include <QFile>
#include <QTemporaryDir>
#include <array>
#include <gtest/gtest.h>
#include <map>

using namespace kelvara::notify;
using kelvara::test::FakeClock;
using kelvara::test::ScriptedPort;

namespace {

using Script = std::map<QByteArray, std::vector<ScriptedPort::Chunk>>;

const QByteArray kOk = "\r\nOK\r\n";
const QByteArray kTapBlock = "\x02"
                             "4711\rZone 1 high\rZone 2 low\r\x03"
                             "806\r";
const QByteArray kUcpLogOn = "\x02"
                             "00/00051/O/60/0300/6/5/1/736563726574//0100//////98\x03";
const QByteArray kUcpPart =
    "\x02"
    "01/00082/O/01/4917012345///3/5A6F6E65203120686967680D0A5A6F6E652032206C6F770D0A/CF\x03";
const QByteArray kGsmPart = "Zone 1 high\r\nZone 2 low\r\n\x1a";

SmsRequest request(SendMode mode, CentreProtocol protocol = CentreProtocol::Tap) {
    SmsRequest r;
    r.device = QStringLiteral("/dev/ttyUSB0");
    r.mode = mode;
    r.protocol = protocol;
    r.recipientNumber = mode == SendMode::Pager           ? QStringLiteral("5550300,,,,4711#")
                        : mode == SendMode::Gsm           ? QStringLiteral("+4917012345")
                        : protocol == CentreProtocol::Tap ? QStringLiteral("4711")
                                                          : QStringLiteral("4917012345");
    r.accessNumber = QStringLiteral("5550100");
    r.password = QStringLiteral("secret");
    r.senderNumber = QStringLiteral("0300");
    r.message = QStringLiteral("Zone 1 high\r\nZone 2 low\r\n");
    return r;
}

Script wakeScript() {
    return {{"AT\r", {{"AT\r" + kOk}}}, {"ATE0\r", {{"ATE0\r" + kOk}}}};
}

Script gsmScript() {
    Script s = wakeScript();
    s["AT+CPIN?\r"] = {{"\r\n+CPIN: READY\r\n" + kOk}};
    s["AT+CMGF=1\r"] = {{kOk}};
    s["AT+CMGS=\"+4917012345\"\r"] = {{"\r\n> "}};
    s[kGsmPart] = {{"\r\n+CMGS: 17\r\n" + kOk, 3000}};
    return s;
}

Script hayesScript() {
    Script s = wakeScript();
    s["ATDT5550100\r"] = {{"\r\nCONNECT 9600\r\n", 15000}};
    s["+++"] = {{kOk, 1000}};
    s["ATH0\r"] = {{kOk}};
    return s;
}

Script tapScript() {
    Script s = hayesScript();
    s["\r"] = {{"ID="}};
    s["\x1bPG1secret\r"] = {{"110 1.8\r\x06\r\x1b[p\r"}};
    s[kTapBlock] = {{"211 Page Sent\r\x06\r", 2000}};
    s["\x04\r"] = {{"115 Thank you\r\x1b\x04\r"}, {"\r\nNO CARRIER\r\n", 500}};
    return s;
}

Script ucpScript() {
    Script s = hayesScript();
    s[kUcpLogOn] = {{"\x02"
                     "00/00019/R/60/A//6D\x03",
                     1000}};
    s[kUcpPart] = {{"\x02"
                    "01/00042/R/01/A/4917012345:151009120000/F6\x03",
                    2000}};
    return s;
}

Script pagerScript() {
    Script s = wakeScript();
    s["ATDT5550300,,,,4711#;\r"] = {{kOk, 20000}};
    s["ATH0\r"] = {{kOk}};
    return s;
}

// One send on the scripted modem; the log goes into a temporary folder.
struct ScriptedSend {
    FakeClock clock;
    ScriptedPort port{clock};
    QTemporaryDir dir;
    SmsOutcome outcome;
    QByteArray log;

    void send(SmsRequest r, const Script& script) {
        for (const auto& [command, reply] : script)
            port.on(command, reply);
        r.logFile = dir.filePath(QStringLiteral("SMSLog.txt"));
        outcome = ModemSend(port, clock).run(r);
        QFile file(r.logFile);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        log = file.readAll();
    }
};

struct GoodRow {
    const char* name;
    SmsRequest request;
    Script script;
    QList<QByteArray> written;
    QString response;
};

class GoodSends : public ::testing::TestWithParam<GoodRow> {};

// The password staying out of the log is judged on every send through the simulator (ModemGatewayTest).
TEST_P(GoodSends, WriteExactlyTheDialoguesBytes) {
    ScriptedSend run;
    run.send(GetParam().request, GetParam().script);
    EXPECT_EQ(run.outcome.result, kSmsSent) << run.outcome.description.toStdString();
    EXPECT_EQ(run.outcome.providerResponse, GetParam().response);
    EXPECT_EQ(run.port.written, GetParam().written);
    EXPECT_FALSE(run.port.isOpen());
    EXPECT_FALSE(run.port.spinDetected);
    EXPECT_TRUE(run.log.contains("> ATE0<CR>")) << run.log.toStdString();
    EXPECT_TRUE(run.log.contains("Result 0: "));
}

INSTANTIATE_TEST_SUITE_P(
    Modes, GoodSends,
    ::testing::Values(
        GoodRow{"Gsm",
                request(SendMode::Gsm),
                gsmScript(),
                {"AT\r", "ATE0\r", "AT+CPIN?\r", "AT+CMGF=1\r", "AT+CMGS=\"+4917012345\"\r", kGsmPart},
                "+CMGS: 17"},
        // The centre hangs up after the session: the driver only puts the modem on hook.
        GoodRow{"Tap",
                request(SendMode::Provider, CentreProtocol::Tap),
                tapScript(),
                {"AT\r", "ATE0\r", "ATDT5550100\r", "\r", "\x1bPG1secret\r", kTapBlock, "\x04\r", "ATH0\r"},
                "211 Page Sent"},
        GoodRow{"Ucp",
                request(SendMode::Provider, CentreProtocol::Ucp),
                ucpScript(),
                {"AT\r", "ATE0\r", "ATDT5550100\r", kUcpLogOn, kUcpPart, "+++", "ATH0\r"},
                "4917012345:151009120000"},
        GoodRow{"Pager",
                request(SendMode::Pager),
                pagerScript(),
                {"AT\r", "ATE0\r", "ATDT5550300,,,,4711#;\r", "ATH0\r"},
                ""}),
    [](const auto& info) { return std::string(info.param.name); });

enum class Via { Gsm, Tap, Ucp, Pager };

struct FaultRow {
    const char* name;
    Via via;
    // The command whose answer the fault replaces; an empty answer leaves it unanswered.
    QByteArray command;
    QByteArray answer;
    qint64 afterMs;
    int error;
    qint64 withinMs; // on the fake clock, hanging up included
    bool hangsUp;
};

QByteArray framed(const char* body) {
    return '\x02' + QByteArray(body) + '\x03';
}

class Faults : public ::testing::TestWithParam<FaultRow> {};

TEST_P(Faults, EndTheSendWithTheirErrorNumberWithinTheLimit) {
    const FaultRow& row = GetParam();
    const SmsRequest requests[] = {request(SendMode::Gsm), request(SendMode::Provider, CentreProtocol::Tap),
                                   request(SendMode::Provider, CentreProtocol::Ucp),
                                   request(SendMode::Pager)};
    Script script = std::array{gsmScript, tapScript, ucpScript, pagerScript}[int(row.via)]();
    if (row.answer.isEmpty())
        script.erase(row.command);
    else
        script[row.command] = {{row.answer, row.afterMs}};
    ScriptedSend run;
    run.send(requests[int(row.via)], script);
    EXPECT_EQ(run.outcome.result, row.error) << run.log.toStdString();
    EXPECT_EQ(run.outcome.description, smsErrorText(row.error));
    EXPECT_LE(run.clock.monotonicMs(), row.withinMs);
    EXPECT_EQ(run.port.written.last() == "ATH0\r", row.hangsUp);
    EXPECT_FALSE(run.port.spinDetected);
    EXPECT_FALSE(run.log.contains("secret"));
}

const QByteArray kDial = "ATDT5550100\r";
const QByteArray kPrompt = "AT+CMGS=\"+4917012345\"\r";
const QByteArray kPage = "ATDT5550300,,,,4711#;\r";
// Dialling, the hang-up's guard time and its answers come on top of the fault's own limit.
constexpr qint64 kDialled = 15000 + 1000 + 1000 + 10000;
constexpr auto kGsm = Via::Gsm;
constexpr auto kTap = Via::Tap;
constexpr auto kUcp = Via::Ucp;

// Only what the gateway's runs against the simulator cannot show: the limits on the fake clock, and faults
// the simulator does not play (an ERROR, no prompt, a carrier lost or the session ended mid-block).
// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Modes, Faults,
    ::testing::Values(
        FaultRow{"GsmSilentModemAfterThreeTries", kGsm, "AT\r", "", 0, kSmsModemSilent, 30000, false},
        FaultRow{"GsmError", kGsm, "AT+CMGF=1\r", "\r\nERROR\r\n", 0, kSmsModemError, 0, false},
        FaultRow{"GsmNoPrompt", kGsm, kPrompt, "", 0, kSmsModemSilent, 10000, false},
        FaultRow{"GsmLateConfirmation", kGsm, kGsmPart, "\r\nOK\r\n", 10001, kSmsModemSilent, 10000, false},
        FaultRow{"TapNoAnswer", kTap, kDial, "\r\nNO ANSWER\r\n", 45000, kSmsNoAnswer, 45000, true},
        FaultRow{"TapLateConnect", kTap, kDial, "\r\nCONNECT 9600\r\n", 60001, kSmsModemSilent, 60000, true},
        FaultRow{"TapSilentCentre", kTap, "\r", "", 0, kSmsCentreSilent, kDialled + 10000, true},
        FaultRow{"TapCarrierLost", kTap, kTapBlock, "\r\nNO CARRIER\r\n", 500, kSmsCarrierLost, kDialled, true},
        FaultRow{"TapCentreEndsTheSession", kTap, kTapBlock, "\x1b\x04\r", 500, kSmsCarrierLost, kDialled + 10000, true},
        FaultRow{"TapLateBlockAnswer", kTap, kTapBlock, "\x06\r", 10001, kSmsCentreSilent, kDialled + 10000, true},
        FaultRow{"UcpDamagedReplyIsNoReply", kUcp, kUcpPart, framed("01/00042/R/01/A//F7"), 0, kSmsCentreSilent, kDialled + 10000, true},
        FaultRow{"UcpCarrierLost", kUcp, kUcpPart, "\r\nNO CARRIER\r\n", 0, kSmsCarrierLost, kDialled, true},
        FaultRow{"PagerBusy", Via::Pager, kPage, "\r\nBUSY\r\n", 4000, kSmsBusy, 4000, true},
        FaultRow{"PagerSilentModem", Via::Pager, "ATE0\r", "", 0, kSmsModemSilent, 10000, false}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

TEST(PartsOfAMessage, AreSentInTurnAndTheSendFailsWhenOneIsRefused) {
    SmsRequest r = request(SendMode::Gsm);
    const QString line = QString(98, QLatin1Char('x')) + "\r\n";
    r.message = line + line;
    const QByteArray part = line.toLatin1() + '\x1a';
    ScriptedSend run;
    run.port.on(part, "\r\n+CMGS: 18\r\n" + kOk);
    run.port.on(part, "\r\n+CMS ERROR: 38\r\n"); // the second time the same text comes
    run.send(r, gsmScript());
    EXPECT_EQ(run.outcome.result, kSmsRejected);
    EXPECT_EQ(run.outcome.providerResponse, "+CMS ERROR: 38");
    EXPECT_EQ(run.port.written.count(part), 2);
    EXPECT_EQ(run.port.written.count("AT+CMGS=\"+4917012345\"\r"), 2);
}

TEST(PartsOfAMessage, AreEachConfirmedByTheCentreUnderTheirOwnTransactionNumber) {
    SmsRequest r = request(SendMode::Provider, CentreProtocol::Ucp);
    r.password.clear(); // no log-on: the first part is transaction 00
    const QString line = QString(98, QLatin1Char('x')) + "\r\n";
    r.message = line + line;
    const QByteArray hex = QByteArray("78").repeated(98) + "0D0A";
    const QByteArray first = "\x02"
                             "00/00232/O/01/4917012345///3/" +
                             hex + "/48\x03";
    const QByteArray second = "\x02"
                              "01/00232/O/01/4917012345///3/" +
                              hex + "/49\x03";
    Script script = ucpScript();
    // A reply to another transaction is not this part's.
    script[first] = {{"\x02"
                      "01/00019/R/01/A//69\x03"},
                     {"\x02"
                      "00/00019/R/01/A//68\x03",
                      500}};
    script[second] = {{"\x02"
                       "01/00019/R/01/A//69\x03"}};
    ScriptedSend run;
    run.send(r, script);
    EXPECT_EQ(run.outcome.result, kSmsSent) << run.log.toStdString();
    EXPECT_EQ(run.port.written,
              (QList<QByteArray>{"AT\r", "ATE0\r", "ATDT5550100\r", first, second, "+++", "ATH0\r"}));
}

TEST(WholeSendLimit, EndsASendThatKeepsTheCentreBusyTooLong) {
    // Every answer comes within its own limit, but the centre asks for each block twice more: 15 s dialling,
    // 9.9 s each for the id and the log-on, then 29.7 s a block run past 180 s in the fifth block.
    SmsRequest r = request(SendMode::Provider, CentreProtocol::Tap);
    QStringList lines;
    for (int i = 0; i < 5; ++i)
        lines << QString(200, QChar('a' + i));
    r.message = lines.join("\r\n");
    Script script = tapScript();
    script["\r"] = {{"ID=", 9900}};
    script["\x1bPG1secret\r"] = {{"\x06\r\x1b[p\r", 9900}};
    ScriptedSend run;
    const auto blocks = tap::buildBlocks(QStringLiteral("4711"), lines);
    ASSERT_TRUE(blocks);
    ASSERT_EQ(blocks->size(), 5);
    for (const QByteArray& block : *blocks) {
        run.port.on(block, "\x15\r", 9900);
        run.port.on(block, "\x15\r", 9900);
        run.port.on(block, "\x06\r", 9900);
    }
    run.send(r, script);
    EXPECT_EQ(run.outcome.result, kSmsTimeLimit) << run.log.toStdString();
    EXPECT_EQ(run.port.written.count(blocks->at(4)), 3);
    EXPECT_EQ(run.port.written.last(), "ATH0\r");
    // Hanging up after the limit takes at most the guard times and two answers.
    EXPECT_LE(run.clock.monotonicMs(), kWholeSendMs + 1000 + 2 * kModemAnswerMs);
}

} // namespace
