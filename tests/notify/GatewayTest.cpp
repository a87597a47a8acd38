// What the gateway checks before it touches a port, the line it opens, and its worker thread: outcomes come
// back on the asking thread, one send at a time, and a gateway ended mid-send abandons it.
#include "notify/ModemSend.h"
#include "notify/ModemSmsGateway.h"
#include "notify/SmsError.h"
#include "notify/SmsPlan.h"
#include "support/FakeClock.h"
#include "support/QtPrinters.h"
#include "support/ScriptedPort.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QThread>
#include <gtest/gtest.h>

using namespace kelvara::notify;
using kelvara::test::FakeClock;
using kelvara::test::ScriptedPort;

namespace {

SmsRequest gsmRequest() {
    SmsRequest r;
    r.device = QStringLiteral("/dev/ttyUSB0");
    r.mode = SendMode::Gsm;
    r.recipientNumber = QStringLiteral("+4917012345");
    r.accessNumber = QStringLiteral("5550100");
    r.message = QStringLiteral("Zone 1 high\r\n");
    return r;
}

// A request by the mode to the recipient; the rest as a good one has it.
SmsRequest with(std::optional<SendMode> mode, const QString& recipient, const QString& access = "5550100",
                const QString& sender = {}) {
    SmsRequest r = gsmRequest();
    r.mode = mode;
    r.recipientNumber = recipient;
    r.accessNumber = access;
    r.senderNumber = sender;
    return r;
}

SmsRequest with(SmsRequest r, const QString& message, CentreProtocol protocol, int dataFormat, int speed) {
    r.message = message;
    r.protocol = protocol;
    r.dataFormat = dataFormat;
    r.speed = speed;
    return r;
}

struct CheckRow {
    const char* name;
    SmsRequest request;
    int error;
};

class RequestChecks : public ::testing::TestWithParam<CheckRow> {};

TEST_P(RequestChecks, FailTheSendWithoutTouchingThePort) {
    FakeClock clock;
    ScriptedPort port(clock);
    const SmsOutcome outcome = ModemSend(port, clock).run(GetParam().request);
    EXPECT_EQ(outcome.result, GetParam().error);
    EXPECT_EQ(outcome.description, smsErrorText(GetParam().error));
    EXPECT_TRUE(port.openings.isEmpty());
}

const QString kSixParts = QString(QString(158, QLatin1Char('x')) + "\r\n").repeated(6);
const auto kGsm = SendMode::Gsm;
const auto kProvider = SendMode::Provider;
const SmsRequest kGood = gsmRequest();

// Which check each field meets; the dial strings themselves are judged in the codec tests.
// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Requests, RequestChecks,
    ::testing::Values(
        CheckRow{"NoMode", with(std::nullopt, "+4917012345"), kSmsNoSendMode},
        CheckRow{"PausesInAGsmRecipient", with(kGsm, "0170,123"), kSmsInvalidNumber},
        CheckRow{"BadSender", with(kGsm, "0170123", "", "Kelvara"), kSmsInvalidNumber},
        CheckRow{"DashInTheAccessNumber", with(kProvider, "0170123", "555-0100"), kSmsInvalidNumber},
        CheckRow{"LowerCaseDialCharacter", with(SendMode::Pager, "5550300w4711"), kSmsInvalidNumber},
        CheckRow{"SixGsmParts", with(kGood, kSixParts, CentreProtocol::Ucp, 1, 9600), kSmsTooLong},
        CheckRow{"SixTapBlocks", with(with(kProvider, "4711"), kSixParts, CentreProtocol::Tap, 1, 9600), kSmsTooLong},
        CheckRow{"UnknownDataFormat", with(kGood, "Zone 1 high", CentreProtocol::Ucp, 3, 9600), kSmsBadSettings},
        CheckRow{"NoSpeed", with(kGood, "Zone 1 high", CentreProtocol::Ucp, 1, 0), kSmsBadSettings}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

TEST(RequestChecks, LeaveAPagersNumberAndAnEmptySenderAlone) {
    SmsRequest r = gsmRequest();
    r.mode = SendMode::Pager;
    r.recipientNumber = QStringLiteral("5550300,,,,4711#");
    r.message = kSixParts; // a page carries no text
    EXPECT_TRUE(planSend(r));
}

struct SettingsRow {
    const char* device;
    std::optional<int> speed;
    int dataFormat;
    const char* portName;
    qint32 baud;
    QSerialPort::DataBits dataBits;
    QSerialPort::Parity parity;
};

class ModemLine : public ::testing::TestWithParam<SettingsRow> {};

TEST_P(ModemLine, TakesTheDeviceSpeedAndDataFormatOfTheRequest) {
    SmsRequest r = gsmRequest();
    r.device = GetParam().device;
    r.speed = GetParam().speed;
    r.dataFormat = GetParam().dataFormat;
    const auto settings = modemLineSettings(r);
    ASSERT_TRUE(settings);
    EXPECT_EQ(settings->portName, GetParam().portName);
    EXPECT_EQ(settings->parameters.baudRate, GetParam().baud);
    EXPECT_EQ(settings->parameters.dataBits, GetParam().dataBits);
    EXPECT_EQ(settings->parameters.parity, GetParam().parity);
    EXPECT_EQ(settings->parameters.stopBits, QSerialPort::OneStop);
}

INSTANTIATE_TEST_SUITE_P(Requests, ModemLine,
                         ::testing::Values(SettingsRow{"Com3", std::nullopt, 2, "/dev/ttyS2", 9600,
                                                       QSerialPort::Data7, QSerialPort::EvenParity},
                                           SettingsRow{"/dev/ttyUSB1", 19200, 1, "/dev/ttyUSB1", 19200,
                                                       QSerialPort::Data8, QSerialPort::NoParity}));

TEST(ModemSend, ReportsAPortThatWillNotOpen) {
    FakeClock clock;
    ScriptedPort port(clock);
    port.failOpen(kelvara::sensornet::PortFailure::AccessDenied, QStringLiteral("held by another program"));
    const SmsOutcome outcome = ModemSend(port, clock).run(gsmRequest());
    EXPECT_EQ(outcome.result, kSmsPortNotOpened);
    EXPECT_TRUE(port.written.isEmpty());
}

// The fake clock, handed to the gateway's worker as its own.
class ForwardingClock final : public kelvara::base::Clock {
public:
    explicit ForwardingClock(FakeClock& inner) : m_inner(inner) {}
    [[nodiscard]] QDateTime now() const override { return m_inner.now(); }
    [[nodiscard]] qint64 monotonicMs() const override { return m_inner.monotonicMs(); }

private:
    FakeClock& m_inner;
};

TEST(ModemSmsGateway, RunsSendsInTurnAndAnswersEachOnTheAskingThread) {
    FakeClock clock;
    ScriptedPort port(clock);
    port.on("AT\r", "\r\nOK\r\n");
    port.on("ATE0\r", "\r\nOK\r\n");
    port.on("AT+CPIN?\r", "\r\n+CPIN: READY\r\n\r\nOK\r\n");
    port.on("AT+CMGF=1\r", "\r\nOK\r\n");
    port.on("AT+CMGS=\"+4917012345\"\r", "\r\n> ");
    port.on("Zone 1 high\r\n\x1a", "\r\n+CMGS: 5\r\n\r\nOK\r\n");
    ModemSmsGateway gateway(port.portFactory(),
                            [&clock] { return std::make_unique<ForwardingClock>(clock); });

    QList<int> results;
    QList<QThread*> threads;
    QEventLoop loop;
    const auto done = [&](const SmsOutcome& outcome) {
        results << outcome.result;
        threads << QThread::currentThread();
        if (results.size() == 3)
            loop.quit();
    };
    SmsRequest noMode = gsmRequest();
    noMode.mode.reset();
    gateway.send(gsmRequest(), done);
    gateway.send(noMode, done); // waits for the first
    gateway.send(gsmRequest(), done);
    EXPECT_TRUE(results.isEmpty()); // never from within send
    loop.exec();
    EXPECT_EQ(results, (QList<int>{kSmsSent, kSmsNoSendMode, kSmsSent}));
    EXPECT_EQ(threads, (QList<QThread*>(3, QThread::currentThread())));
    EXPECT_EQ(port.openings.size(), 2);
}

// A modem that never answers, on real time: each wait sleeps a little.
class SilentPort final : public kelvara::sensornet::SerialPort {
public:
    kelvara::base::Result<void> open(const kelvara::sensornet::LineSettings&) override {
        m_open = true;
        return {};
    }
    void close() override { m_open = false; }
    [[nodiscard]] bool isOpen() const override { return m_open; }
    bool write(const QByteArray&) override {
        written = true;
        return true;
    }
    QByteArray readAll() override { return {}; }
    bool waitForReadyRead(int ms) override {
        QThread::msleep(static_cast<unsigned long>(std::min(ms, 5)));
        return false;
    }
    QString takeError() override { return {}; }
    [[nodiscard]] bool failed() const override { return false; }

    std::atomic<bool> written{false};

private:
    bool m_open = false;
};

TEST(ModemSmsGateway, EndedDuringASendAbandonsItWithoutAnswering) {
    auto* port = new SilentPort;
    bool answered = false;
    {
        ModemSmsGateway gateway([port] { return std::unique_ptr<kelvara::sensornet::SerialPort>(port); });
        gateway.send(gsmRequest(), [&answered](const SmsOutcome&) { answered = true; });
        while (!port->written) // the worker is waiting for the modem now
            QThread::yieldCurrentThread();
    }
    QCoreApplication::processEvents();
    EXPECT_FALSE(answered);
}

} // namespace
