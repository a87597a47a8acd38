// The modem engine's own behaviour that the drivers do not reach: refused and odd commands, dial results and
// their timing, the "+++" escape with its guard times, and the client going away.
#include "ModemHarness.h"

#include <gtest/gtest.h>

namespace kelvara::sim::test {

struct GsmCase {
    const char* name;
    QByteArray file;
    QList<QByteArray> feeds; // each a separate arrival
    QByteArray answer;       // all of the answers
    const char* delivered;   // the one message's text; none when null
};

class GsmAnswers : public ::testing::TestWithParam<GsmCase> {};

// Each case: a text-mode modem (after ATE0 and AT+CMGF=1), the bytes in turn, what the modem answers.
TEST_P(GsmAnswers, AnswerTheCommand) {
    ModemHarness gsm(GetParam().file);
    gsm.send("ATE0\r");
    gsm.send("AT+CMGF=1\r");
    QByteArray answer;
    for (const QByteArray& feed : GetParam().feeds)
        answer += gsm.send(feed);
    EXPECT_EQ(answer, GetParam().answer);
    std::vector<ModemMessage> delivered;
    if (GetParam().delivered)
        delivered.push_back({"gsm", "1", GetParam().delivered});
    EXPECT_EQ(gsm.modem().messages(), delivered);
}

const QByteArray kGsm = R"({"modem": "gsm"})";
const QByteArray kPrompt = "\r\n> ";

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Modem, GsmAnswers,
    ::testing::Values(
        GsmCase{"TextInPieces", kGsm, {"AT+CMGS=\"1\"\r", "Boiler 1 high\r\nBoiler 2 ", "high\x1a"},
                kPrompt + result("+CMGS: 1") + result("OK"), "Boiler 1 high\r\nBoiler 2 high"},
        GsmCase{"NoSendWithoutPin", R"({"modem": "gsm", "pin": true})", {"AT+CMGS=\"1\"\r"}, result("+CMS ERROR: 311"), nullptr},
        GsmCase{"NoNetwork", R"({"modem": "gsm", "fault": "no-dialtone"})", {"AT+CMGS=\"1\"\rtext\x1a"}, kPrompt + result("+CMS ERROR: 331"), nullptr},
        GsmCase{"EscapeCancelsTheText", kGsm, {"AT+CMGS=\"1\"\rtext\x1b"}, kPrompt + result("OK"), nullptr},
        GsmCase{"UnknownCommand", kGsm, {"AT+CFUN=9\r"}, result("ERROR"), nullptr},
        GsmCase{"PduModeRefusesTheTextPrompt", kGsm, {"AT+CMGF=0\rAT+CMGS=\"1\"\r"}, result("OK") + result("+CMS ERROR: 302"), nullptr},
        GsmCase{"NumberWithoutQuotesIsTaken", kGsm, {"AT+CMGS=1\rx\x1a"}, kPrompt + result("+CMGS: 1") + result("OK"), "x"},
        GsmCase{"NoiseBeforeAtIsDropped", kGsm, {"+++AT\r"}, result("OK"), nullptr},
        GsmCase{"LineWithoutAtIsIgnored", kGsm, {"hello\r"}, "", nullptr}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

struct DialCase {
    const char* name;
    QByteArray modemFault;
    QByteArray numberFault; // of the TAP centre on 5550100
    QByteArray dialString;
    QByteArray answer;
    int delayMs;
};

class DialResults : public ::testing::TestWithParam<DialCase> {};

// The answer to a dial and how long after the command it comes (0.5 s, and 0.1 s a comma).
TEST_P(DialResults, AnswerAfterTheDialTime) {
    QByteArray file = kHayes;
    file.replace("\"hayes\"", "\"hayes\", \"fault\": \"" + GetParam().modemFault + "\"");
    file.replace("\"secret\"", "\"secret\", \"fault\": \"" + GetParam().numberFault + "\"");
    ModemHarness hayes(file);
    hayes.send("ATE0\r");
    const std::vector<Answer> answers = hayes.modem().feed("ATDT" + GetParam().dialString + "\r", 1.0);
    ASSERT_EQ(answers.size(), 1u);
    EXPECT_EQ(answers[0].bytes, GetParam().answer);
    EXPECT_EQ(answers[0].delayMs, GetParam().delayMs);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Modem, DialResults,
    ::testing::Values(
        DialCase{"NumberNoAnswer", "none", "no-answer", "5550100", result("NO ANSWER"), 500},
        DialCase{"PagerTakesNoDataCall", "none", "none", "5550300", result("NO CARRIER"), 500},
        DialCase{"PagerVoiceCall", "none", "none", "5550300,,,,4711#;", result("OK"), 900},
        DialCase{"BusyPager", "none", "none", "5550400,,4711;", result("BUSY"), 700},
        DialCase{"LineRejects", "reject", "none", "5550100", result("NO CARRIER"), 500}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

struct GuardCase {
    const char* name;
    double quietBefore;   // seconds between the last data byte and "+++"
    double nextByteAfter; // seconds after "+++" that the next byte comes; 0: none
    bool escapes;
};

class EscapeGuardTimes : public ::testing::TestWithParam<GuardCase> {};

// Connected to a TAP centre that asks for its id on each CR, so whether "ATH0" CR reaches the centre or the
// modem shows which mode the line is in.
TEST_P(EscapeGuardTimes, DecideWhetherPlusesLeaveDataMode) {
    const GuardCase& c = GetParam();
    ModemHarness hayes(kHayes);
    hayes.dial("5550100");
    const double connected = hayes.now() + 0.5;
    EXPECT_EQ(hayes.send("\r", connected + 2.0), "ID=");
    const double plus = connected + 2.0 + c.quietBefore;
    EXPECT_EQ(hayes.send("+++", plus), "");
    EXPECT_EQ(hayes.idle(plus + 0.9), "");
    if (c.nextByteAfter > 0) {
        EXPECT_EQ(hayes.send("\r", plus + c.nextByteAfter), "ID=");
    }
    const QByteArray afterGuard = hayes.idle(plus + 5.0);
    EXPECT_EQ(afterGuard, c.escapes ? result("OK") : "");
    EXPECT_EQ(hayes.send("ATH0\r"), c.escapes ? result("OK") : "ID=");
}

INSTANTIATE_TEST_SUITE_P(Modem, EscapeGuardTimes,
                         ::testing::Values(GuardCase{"QuietBothSides", 1.0, 0, true},
                                           GuardCase{"TooSoonAfterData", 0.5, 0, false},
                                           GuardCase{"DataWithinTheGuardAfter", 1.5, 0.5, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Modem, EscapeWakesTheServerAtTheEndOfTheGuard) {
    ModemHarness hayes(kHayes);
    hayes.dial("5550200");
    EXPECT_EQ(hayes.modem().wakeAt(), std::nullopt);
    hayes.send("+++", 10.0);
    EXPECT_EQ(hayes.modem().wakeAt(), 11.0);
    // A byte that comes after the guard is over finds the escape done and goes to the modem.
    EXPECT_EQ(hayes.send("ATH0\r", 12.0), result("OK") + result("OK"));
    EXPECT_EQ(hayes.modem().wakeAt(), std::nullopt);
}

TEST(Modem, ClosingThePortDropsTheCall) {
    ModemHarness hayes(kHayes);
    hayes.dial("5550100");
    hayes.modem().clientGone();
    EXPECT_EQ(hayes.send("AT\r"), result("OK"));
}

} // namespace kelvara::sim::test
