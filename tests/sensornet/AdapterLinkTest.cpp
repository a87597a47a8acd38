// The adapter link: port settings from the settings store, opening with a reset, and the exchange's
// deadlines and waits, on a fake clock and a scripted port.
#include "sensornet/AdapterLink.h"

#include "app/ComPortSettings.h"
#include "app/UserSettings.h"
#include "support/FakeClock.h"
#include "support/QtPrinters.h"
#include "support/RecordedDialogs.h"
#include "support/RecordingReporter.h"
#include "support/ScriptedLink.h"
#include "support/TempSite.h"

#include <gtest/gtest.h>

using namespace kelvara;
using sensornet::AdapterLink;
using sensornet::ConfigureOutcome;
using sensornet::ExchangeRules;
using sensornet::PortFailure;

namespace {

const QByteArray kAddress = "aA750000000000A128\r";
const QByteArray kEcho = "750000000000A128\r";

class LinkTest : public ::testing::Test {
protected:
    explicit LinkTest(ExchangeRules rules = ExchangeRules::monitoring())
        : port(clock), link(port, clock, port, dialogs, rules, &reporter) {}

    void openPort() {
        test::openScriptedLink(link, port);
        start = clock.monotonicMs();
    }
    qint64 elapsed() const { return clock.monotonicMs() - start; }

    void TearDown() override { EXPECT_FALSE(port.spinDetected) << "the exchange polled without waiting"; }

    test::FakeClock clock;
    test::ScriptedPort port;
    test::RecordedDialogs dialogs;
    test::RecordingReporter reporter;
    AdapterLink link;
    qint64 start = 0;
};

struct ExchangeRow {
    const char* name;
    ExchangeRules rules;
    QByteArray command;
    std::vector<test::ScriptedPort::Chunk> reply; // pieces of the answer, and when each arrives
    QByteArray answer;
    qint64 fromMs;  // the exchange lasts at least this long on the fake clock
    qint64 untilMs; // and less than this
    qint64 pause;   // the one wait asked for before reading, 0 for none
};

class Exchanges : public LinkTest, public ::testing::WithParamInterface<ExchangeRow> {
protected:
    Exchanges() : LinkTest(GetParam().rules) {}
};

TEST_P(Exchanges, EndAtTheTerminatorOrTheDeadline) {
    const ExchangeRow& r = GetParam();
    openPort();
    port.on(r.command, r.reply);
    EXPECT_EQ(link.portData(r.command, "\r"), r.answer);
    EXPECT_GE(elapsed(), r.fromMs);
    EXPECT_LT(elapsed(), r.untilMs);
    EXPECT_EQ(port.written, QList<QByteArray>{r.command});
    EXPECT_EQ(port.pauses, r.pause ? QList<qint64>{r.pause} : QList<qint64>{});
    EXPECT_TRUE(reporter.lines.isEmpty());
}

constexpr qint64 kSlice = AdapterLink::kPollSliceMs;

std::vector<test::ScriptedPort::Chunk> reply(std::initializer_list<test::ScriptedPort::Chunk> pieces) {
    return pieces;
}

INSTANTIATE_TEST_SUITE_P(
    Answers, Exchanges,
    ::testing::Values(
        ExchangeRow{"TerminatorEndsItKeepingTheRestOfThatRead", ExchangeRules::monitoring(), kAddress,
                    reply({{kEcho + "P", 40}}), kEcho + "P", 40, 100, 0},
        ExchangeRow{"AnswerInPiecesIsCollected", ExchangeRules::monitoring(), "aS\r",
                    reply({{"7500000", 100}, {"00000A12", 900}, {"8\r", 1950}}), kEcho, 1950, 2000, 0},
        ExchangeRow{"AnswerWithoutTerminatorEndsAtTheDeadline", ExchangeRules::monitoring(), "aS\r",
                    reply({{"ABC", 30}}), "ABC", 2000, 2000 + kSlice, 0},
        ExchangeRow{"InstallationGivesUpAfterOneSecond", ExchangeRules::installation(), "aS\r",
                    reply({{"ABC", 30}}), "ABC", 1000, 1000 + kSlice, 0},
        ExchangeRow{"SwitchListIsReadASecondAfterTheCommand", ExchangeRules::monitoring(), "aC,FF\r",
                    reply({{"610000000000C105\r", 300}, {"8A0000000000B705\r\r", 700}, {"late\r", 2100}}),
                    "610000000000C105\r8A0000000000B705\r\r", 1000, 1000 + kSlice, 1000},
        ExchangeRow{"SwitchListWaitCountsTowardsTheDeadline", ExchangeRules::monitoring(), "aC,FF\r",
                    reply({{"610000000000C1", 1500}, {"05\r", 2300}}), "610000000000C1", 2000, 2000 + kSlice,
                    1000},
        ExchangeRow{"PanelSetupReadsTheSwitchListWithoutAWait", ExchangeRules::panelSetup(), "aC,FF\r",
                    reply({{"610000000000C105\r", 20}, {"8A0000000000B705\r\r", 700}}), "610000000000C105\r",
                    20, 100, 0}),
    [](const ::testing::TestParamInfo<ExchangeRow>& info) { return std::string(info.param.name); });

TEST_F(LinkTest, AnswerLaterThanTheDeadlineIsNotTakenForTheNextOne) {
    openPort();
    port.on(kAddress, kEcho, 2500);
    EXPECT_EQ(link.portData(kAddress, "\r"), "");
    clock.advance(1000);
    port.on("M", "M-ECHO\r", 10);
    EXPECT_EQ(link.portData("M", "\r"), "M-ECHO\r");
}

TEST_F(LinkTest, ChecksummedAnswersAreCheckedBeforeTheTerminatorIsLookedFor) {
    openPort();
    link.setAnswerChecksums(true);
    port.on("aW0144\r", "4468\r", 20);
    EXPECT_EQ(link.portData("aW0144\r", "44\r"), "44\r");
    EXPECT_LT(elapsed(), 100);
    port.on(kAddress, "750000000000A12829\r", 20);
    EXPECT_EQ(link.portData(kAddress, "\r"), "\r");
}

TEST_F(LinkTest, ClosedPortAnswersEmptyAtOnceWithOneReportUnlessTheRulesSayNotAWord) {
    AdapterLink quiet(port, clock, port, dialogs, ExchangeRules::installation(), &reporter);
    EXPECT_EQ(quiet.portData("aS\r", "\r"), "");
    EXPECT_TRUE(reporter.lines.isEmpty());
    EXPECT_EQ(link.portData("aS\r", "\r"), "");
    EXPECT_EQ(elapsed(), 0);
    EXPECT_TRUE(port.written.isEmpty());
    EXPECT_EQ(reporter.lines, QStringList{"Error: The port is not open. in Module:Port_Data"});
}

TEST_F(LinkTest, PortFailureIsReportedOnceAndTheDeadlineStillEndsTheExchange) {
    openPort();
    port.breakDown(QStringLiteral("Input/output error"));
    EXPECT_EQ(link.portData("aS\r", "\r"), "");
    EXPECT_GE(elapsed(), 2000);
    EXPECT_EQ(reporter.lines, QStringList{"Error: Input/output error in Module:Port_Data"});
}

TEST_F(LinkTest, ResetOpensThePortSendsTheResetAndReturnsWhatCameBackWithinASecond) {
    port.on("aR\r", {{"P", 100}, {"\r", 200}, {"late", 1500}});
    EXPECT_EQ(link.resetAdapter("aR\r"), "P\r");
    EXPECT_TRUE(link.isOpen());
    EXPECT_EQ(port.written, QList<QByteArray>{"aR\r"});
    EXPECT_EQ(port.pauses, QList<qint64>({1000, 1000}));
}

struct OpenFailureRow {
    PortFailure failure;
    int number;
};

void PrintTo(const OpenFailureRow& r, std::ostream* os) {
    *os << r.number;
}

class ResetOpenFailure : public LinkTest, public ::testing::WithParamInterface<OpenFailureRow> {};

TEST_P(ResetOpenFailure, ShowsTheCheckPortMessageWithItsNumberAndSendsNothing) {
    port.failOpen(GetParam().failure);
    EXPECT_FALSE(link.resetAdapter("aR\r").has_value());
    EXPECT_FALSE(link.isOpen());
    EXPECT_TRUE(port.written.isEmpty());
    EXPECT_EQ(dialogs.titles, QStringList{"Kelvara"});
    EXPECT_EQ(dialogs.kinds, QList<int>{int(base::UserDialogs::Kind::Critical)});
    EXPECT_EQ(dialogs.texts,
              QStringList{"Please check your COM Port Settings and cable connections.   Error #:" +
                          QString::number(GetParam().number)});
}

INSTANTIATE_TEST_SUITE_P(Failures, ResetOpenFailure,
                         ::testing::Values(OpenFailureRow{PortFailure::NotFound, 8002},
                                           OpenFailureRow{PortFailure::AccessDenied, 8003},
                                           OpenFailureRow{PortFailure::SettingsRefused, 8004},
                                           OpenFailureRow{PortFailure::Other, 8004},
                                           OpenFailureRow{PortFailure::AlreadyOpen, 8005}));

// --- Port settings from the settings store ---

class ConfigureTest : public LinkTest {
protected:
    void store(const QString& key, const QString& value) { settings.save("Properties", key, value); }
    ConfigureOutcome configure() { return link.configurePort(app::readLineSettings(settings)); }
    sensornet::LineSettings openedWith() {
        port.on("aR\r", "P\r");
        EXPECT_TRUE(link.resetAdapter("aR\r").has_value());
        return port.openings.value(port.openings.size() - 1);
    }

    test::TempSite site;
    app::UserSettings settings{site.file("user.ini")};
};

TEST_F(ConfigureTest, StoredSettingsAreUsedAtTheNextOpening) {
    store("Settings", "9600,e,7,2");
    store("CommPort", "3");
    store("Handshaking", "1");
    EXPECT_EQ(configure(), ConfigureOutcome::Configured);
    EXPECT_TRUE(dialogs.texts.isEmpty());
    EXPECT_FALSE(link.isOpen());
    const sensornet::LineSettings opened = openedWith();
    EXPECT_EQ(opened.portName, sensornet::portNameForNumber(3));
    EXPECT_EQ(opened.parameters, sensornet::LineParameters({9600, QSerialPort::EvenParity, QSerialPort::Data7,
                                                            QSerialPort::TwoStop}));
    EXPECT_EQ(opened.flowControl, QSerialPort::SoftwareControl);
}

TEST_F(ConfigureTest, ADevicePathWinsOverThePortNumber) {
    store("Settings", " 19200 , O , 5 , 1.5 ");
    store("CommPort", "not a number");
    store("PortName", "/dev/ttyUSB0");
    store("Checksum", "1");
    EXPECT_EQ(configure(), ConfigureOutcome::Configured);
    EXPECT_TRUE(link.lineSettings().answerChecksums);
    const sensornet::LineSettings opened = openedWith();
    EXPECT_EQ(opened.portName, "/dev/ttyUSB0");
    EXPECT_EQ(opened.parameters, sensornet::LineParameters({19200, QSerialPort::OddParity, QSerialPort::Data5,
                                                            QSerialPort::OneAndHalfStop}));
}

TEST_F(ConfigureTest, EmptyStoreAsksForSettingsAndTheResetStillOpensPortOneAt9600) {
    EXPECT_EQ(configure(), ConfigureOutcome::NotConfigured);
    EXPECT_EQ(dialogs.titles, QStringList{"Kelvara"});
    EXPECT_EQ(dialogs.kinds, QList<int>{int(base::UserDialogs::Kind::Critical)});
    EXPECT_EQ(dialogs.texts,
              QStringList{"You must configure the COM Port Settings before the computer can read any "
                          "of the Temperature Sensors."});
    const sensornet::LineSettings opened = openedWith();
    EXPECT_EQ(opened.portName, sensornet::portNameForNumber(1));
    EXPECT_EQ(opened.parameters, sensornet::LineParameters({9600, QSerialPort::NoParity, QSerialPort::Data8,
                                                            QSerialPort::OneStop}));
    EXPECT_EQ(opened.flowControl, QSerialPort::NoFlowControl);
}

struct BadValueRow {
    const char* key;
    const char* value;
};

void PrintTo(const BadValueRow& r, std::ostream* os) {
    *os << r.key << "=" << r.value;
}

class ConfigureBadValue : public ConfigureTest, public ::testing::WithParamInterface<BadValueRow> {};

TEST_P(ConfigureBadValue, ShowsWhyAndLeavesThePortClosed) {
    openPort();
    store("Settings", "115200,n,8,1");
    store(GetParam().key, GetParam().value);
    EXPECT_EQ(configure(), ConfigureOutcome::Refused);
    EXPECT_FALSE(link.isOpen());
    ASSERT_EQ(dialogs.texts.size(), 1);
    EXPECT_EQ(dialogs.titles[0], "Kelvara");
    EXPECT_EQ(dialogs.kinds[0], int(base::UserDialogs::Kind::Warning));
    EXPECT_TRUE(dialogs.texts[0].contains(QString::fromLatin1(GetParam().value)))
        << dialogs.texts[0].toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Values, ConfigureBadValue,
    ::testing::Values(BadValueRow{"Settings", "fast"}, BadValueRow{"Settings", "115200,n,8"},
                      BadValueRow{"Settings", "115200,n,8,1,1"}, BadValueRow{"Settings", "-9600,n,8,1"},
                      BadValueRow{"Settings", "115200,none,8,1"}, BadValueRow{"Settings", "115200,n,4,1"},
                      BadValueRow{"Settings", "115200,n,8,3"}, BadValueRow{"CommPort", "0"},
                      BadValueRow{"CommPort", "COM1"}, BadValueRow{"Handshaking", "4"}));

} // namespace
