// The modem file's parser and the modem's control commands.
#include "ModemHarness.h"
#include "sim/ModemControlCommands.h"

#include <gtest/gtest.h>

namespace kelvara::sim::test {

struct BadFile {
    const char* name;
    QByteArray json;
    const char* reason;
};

class ModemFileErrors : public ::testing::TestWithParam<BadFile> {};

TEST_P(ModemFileErrors, NameTheMistake) {
    QString error;
    EXPECT_FALSE(ModemScenario::fromJson(GetParam().json, &error));
    EXPECT_TRUE(error.contains(QLatin1String(GetParam().reason))) << error.toStdString();
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    ModemFile, ModemFileErrors,
    ::testing::Values(
        BadFile{"NotJson", "{", "not valid JSON"},
        BadFile{"NotAnObject", "[]", "JSON object"},
        BadFile{"NoKind", "{}", "\"gsm\" or \"hayes\""},
        BadFile{"UnknownKind", R"({"modem": "fax"})", "\"gsm\" or \"hayes\""},
        BadFile{"PinNotBoolean", R"({"modem": "gsm", "pin": "1234"})", "\"pin\""},
        BadFile{"NegativeDial", R"({"modem": "hayes", "dialSeconds": -1})", "\"dialSeconds\""},
        BadFile{"UnknownModemFault", R"({"modem": "gsm", "fault": "busy"})", "unknown modem fault \"busy\""},
        BadFile{"NumberWithLetters", R"({"modem": "hayes", "numbers": {"555-01": {"pager": true}}})", "\"555-01\" is not all digits"},
        BadFile{"UnknownCentre", R"({"modem": "hayes", "numbers": {"1": {"centre": "fax"}}})", "number 1: \"centre\""},
        BadFile{"CentreAndPager", R"({"modem": "hayes", "numbers": {"1": {"centre": "tap", "pager": true}}})", "not both"},
        BadFile{"NothingBehind", R"({"modem": "hayes", "numbers": {"1": {"password": "x"}}})", "needs a"},
        BadFile{"UnknownNumberFault", R"({"modem": "hayes", "numbers": {"1": {"fault": "no-dialtone"}}})", "unknown fault \"no-dialtone\""}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

TEST(ModemFile, ExampleFilesAreValid) {
    for (const char* path : {KELVARA_SIM_MODEM_GSM, KELVARA_SIM_MODEM_HAYES}) {
        QString error;
        EXPECT_TRUE(ModemScenario::fromFile(QString::fromUtf8(path), &error))
            << path << ": " << error.toStdString();
    }
}

struct ControlCase {
    const char* command;
    const char* reply;
    QByteArray dial;       // then dialled (after ATE0); empty: nothing
    QByteArray dialAnswer; // its answer
};

class ModemControlLines : public ::testing::TestWithParam<ControlCase> {};

TEST_P(ModemControlLines, ChangesTheNextCall) {
    ModemHarness hayes(kHayes);
    ModemControlCommands control(hayes.modem());
    EXPECT_EQ(control.execute(QString::fromLatin1(GetParam().command)),
              QString::fromLatin1(GetParam().reply));
    if (!GetParam().dial.isEmpty()) {
        EXPECT_EQ(hayes.dial(GetParam().dial), GetParam().dialAnswer);
    }
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    ModemControl, ModemControlLines,
    ::testing::Values(
        ControlCase{"ping", "ok", {}, {}},
        ControlCase{"modem fault no-dialtone", "ok", "5550100", result("NO DIALTONE")},
        ControlCase{"modem fault silent", "ok", "5550100", ""},
        ControlCase{"modem fault none", "ok", "5550100", result("CONNECT 9600")},
        ControlCase{"modem fault busy", "error: a modem fault is none, silent, no-dialtone or reject", "5550100", result("CONNECT 9600")},
        ControlCase{"number 5550100 fault busy", "ok", "5550100", result("BUSY")},
        ControlCase{"number 5550400 fault none", "ok", "5550400", result("NO ANSWER")},
        ControlCase{"number 5550999 fault busy", "ok", "5550999", result("BUSY")},
        ControlCase{"number 555x fault busy", "error: \"555x\" is not a number of digits", {}, {}},
        ControlCase{"number 5550100 fault slow", "error: a number's fault is none, busy, no-answer, no-carrier, silent, nak or reject", {}, {}},
        ControlCase{"late -1", "error: late takes seconds, 0 or more", {}, {}},
        ControlCase{"dial 5550100", "error: unknown command \"dial 5550100\"; try help", {}, {}}));
// clang-format on

// The message count is read by every send through the binary; here only the delay "late" adds.
TEST(ModemControl, LateDelaysEveryAnswer) {
    ModemHarness hayes(kHayes);
    EXPECT_EQ(ModemControlCommands(hayes.modem()).execute(u"late 1.5"), "ok");
    EXPECT_EQ(hayes.modem().feed("AT\r", 0).at(0).delayMs, 1500);
}

} // namespace kelvara::sim::test
