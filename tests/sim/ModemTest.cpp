// The modem engine as a driver meets it: command mode, a GSM send, dial results for every fault, the carrier
// dropping and the "+++" escape with its guard times.
#include "ModemHarness.h"

#include <gtest/gtest.h>

namespace kelvara::sim::test {

namespace {
const QByteArray kGsm = R"({"modem": "gsm"})";
} // namespace

TEST(Modem, GsmSendsATextMessageWithEchoUntilAte0) {
    ModemHarness gsm(kGsm);
    EXPECT_EQ(gsm.send("AT\r"), "AT\r" + result("OK"));
    EXPECT_EQ(gsm.send("ATE0\r"), "ATE0\r" + result("OK"));
    EXPECT_EQ(gsm.send("AT+CPIN?\r"), result("+CPIN: READY") + result("OK"));
    EXPECT_EQ(gsm.send("AT+CMGF=1\r"), result("OK"));
    EXPECT_EQ(gsm.send("AT+CMGS=\"+4915112345\"\r"), "\r\n> ");
    EXPECT_EQ(gsm.send("Boiler 1 high\r\nBoiler 2 "), "");
    EXPECT_EQ(gsm.send("high\x1a"), result("+CMGS: 1") + result("OK"));
    EXPECT_EQ(gsm.send("AT+CMGS=\"110\"\r"), "\r\n> ");
    EXPECT_EQ(gsm.send("second\x1a"), result("+CMGS: 2") + result("OK"));
    const std::vector<ModemMessage> expected = {{"gsm", "+4915112345", "Boiler 1 high\r\nBoiler 2 high"},
                                                {"gsm", "110", "second"}};
    EXPECT_EQ(gsm.modem().messages(), expected);
}

struct GsmCase {
    const char* name;
    QByteArray file;
    QByteArray command;
    QByteArray answer;
};

class GsmAnswers : public ::testing::TestWithParam<GsmCase> {};

// Each case: a text-mode modem (after ATE0 and AT+CMGF=1), one command, the answer to it.
TEST_P(GsmAnswers, AnswerTheCommand) {
    ModemHarness gsm(GetParam().file);
    gsm.send("ATE0\r");
    gsm.send("AT+CMGF=1\r");
    const QByteArray answer = gsm.send(GetParam().command);
    const bool sent = answer.contains("+CMGS:");
    EXPECT_EQ(answer, GetParam().answer);
    EXPECT_EQ(gsm.modem().messages().size(), sent ? 1u : 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Modem, GsmAnswers,
    ::testing::Values(GsmCase{"SimWaitsForPin", R"({"modem": "gsm", "pin": true})", "AT+CPIN?\r",
                              result("+CPIN: SIM PIN") + result("OK")},
                      GsmCase{"NoSendWithoutPin", R"({"modem": "gsm", "pin": true})", "AT+CMGS=\"1\"\r",
                              result("+CMS ERROR: 311")},
                      GsmCase{"Rejected", R"({"modem": "gsm", "fault": "reject"})", "AT+CMGS=\"1\"\rtext\x1a",
                              "\r\n> " + result("+CMS ERROR: 500")},
                      GsmCase{"NoNetwork", R"({"modem": "gsm", "fault": "no-dialtone"})",
                              "AT+CMGS=\"1\"\rtext\x1a", "\r\n> " + result("+CMS ERROR: 331")},
                      GsmCase{"SilentModem", R"({"modem": "gsm", "fault": "silent"})", "AT\r", ""},
                      GsmCase{"EscapeCancelsTheText", R"({"modem": "gsm"})", "AT+CMGS=\"1\"\rtext\x1b",
                              "\r\n> " + result("OK")},
                      GsmCase{"UnknownCommand", R"({"modem": "gsm"})", "AT+CFUN=9\r", result("ERROR")},
                      GsmCase{"PduModeRefusesTheTextPrompt", R"({"modem": "gsm"})",
                              "AT+CMGF=0\rAT+CMGS=\"1\"\r", result("OK") + result("+CMS ERROR: 302")},
                      GsmCase{"NumberWithoutQuotesIsTaken", R"({"modem": "gsm"})", "AT+CMGS=110\rx\x1a",
                              "\r\n> " + result("+CMGS: 1") + result("OK")},
                      GsmCase{"NoiseBeforeAtIsDropped", R"({"modem": "gsm"})", "+++AT\r", result("OK")},
                      GsmCase{"LineWithoutAtIsIgnored", R"({"modem": "gsm"})", "hello\r", ""}),
    [](const auto& info) { return std::string(info.param.name); });

struct DialCase {
    const char* name;
    QByteArray modemFault;
    QByteArray dialString;
    QByteArray answer;
    int delayMs;
};

class DialResults : public ::testing::TestWithParam<DialCase> {};

// The answer to a dial and how long after the command it comes (0.5 s, and 0.1 s a comma).
TEST_P(DialResults, AnswerAfterTheDialTime) {
    QByteArray file = kHayes;
    file.replace("\"modem\": \"hayes\"",
                 "\"modem\": \"hayes\", \"fault\": \"" + GetParam().modemFault + "\"");
    ModemHarness hayes(file);
    hayes.send("ATE0\r");
    const std::vector<Answer> answers = hayes.modem().feed("ATDT" + GetParam().dialString + "\r", 1.0);
    ASSERT_EQ(answers.size(), 1u);
    EXPECT_EQ(answers[0].bytes, GetParam().answer);
    EXPECT_EQ(answers[0].delayMs, GetParam().delayMs);
}

INSTANTIATE_TEST_SUITE_P(
    Modem, DialResults,
    ::testing::Values(DialCase{"Tap", "none", "5550100", result("CONNECT 9600"), 500},
                      DialCase{"Ucp", "none", "5550200", result("CONNECT 9600"), 500},
                      DialCase{"Busy", "none", "5550400", result("BUSY"), 500},
                      DialCase{"NotInTheList", "none", "5550999", result("NO ANSWER"), 500},
                      DialCase{"PagerTakesNoDataCall", "none", "5550300", result("NO CARRIER"), 500},
                      DialCase{"PagerVoiceCall", "none", "5550300,,,,4711#;", result("OK"), 900},
                      DialCase{"BusyPager", "none", "5550400,,4711;", result("BUSY"), 700},
                      DialCase{"NoDialtone", "no-dialtone", "5550100", result("NO DIALTONE"), 500},
                      DialCase{"LineRejects", "reject", "5550100", result("NO CARRIER"), 500}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Modem, PageIsAcceptedWithTheDigitsAfterTheLastComma) {
    ModemHarness hayes(kHayes);
    EXPECT_EQ(hayes.dial("5550300,,,,4711#;"), result("OK"));
    EXPECT_EQ(hayes.send("ATH0\r"), result("OK"));
    const std::vector<ModemMessage> expected = {{"page", "5550300", "4711"}};
    EXPECT_EQ(hayes.modem().messages(), expected);
}

struct NumberFaultCase {
    const char* fault;
    QByteArray dialAnswer;
    QByteArray firstByteAnswer; // after a CONNECT: the answer to a CR
};

class NumberFaults : public ::testing::TestWithParam<NumberFaultCase> {};

// A TAP number with each fault: the dial's result, then what a CR (which asks a centre for its id) brings.
TEST_P(NumberFaults, ShowOnTheLine) {
    QByteArray file = kHayes;
    file.replace(R"("password": "secret")",
                 R"("password": "secret", "fault": ")" + QByteArray(GetParam().fault) + "\"");
    ModemHarness hayes(file);
    EXPECT_EQ(hayes.dial("5550100"), GetParam().dialAnswer);
    EXPECT_EQ(hayes.send("\r"), GetParam().firstByteAnswer);
}

INSTANTIATE_TEST_SUITE_P(Modem, NumberFaults,
                         ::testing::Values(NumberFaultCase{"none", result("CONNECT 9600"), "ID="},
                                           NumberFaultCase{"busy", result("BUSY"), ""},
                                           NumberFaultCase{"no-answer", result("NO ANSWER"), ""},
                                           NumberFaultCase{"no-carrier", result("CONNECT 9600"),
                                                           result("NO CARRIER")},
                                           NumberFaultCase{"silent", result("CONNECT 9600"), ""},
                                           NumberFaultCase{"nak", result("CONNECT 9600"), "ID="}),
                         [](const auto& info) {
                             std::string name = info.param.fault;
                             std::erase(name, '-');
                             return name;
                         });

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
