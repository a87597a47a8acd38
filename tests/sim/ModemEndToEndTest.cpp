// The kelvara-sim binary playing a modem through a real pseudo-terminal: a UCP call ended with the guarded
// escape, the message line on its output, and refused command lines.
#include "ModemHarness.h"
#include "support/SimProcess.h"

#include <QSerialPort>
#include <QThread>
#include <gtest/gtest.h>

namespace kelvara::sim::test {

namespace {
using kelvara::test::SimProcess;

// Writes the bytes and collects what comes back until it holds `until` (or nothing more comes).
QByteArray exchange(QSerialPort& port, const QByteArray& bytes, const QByteArray& until) {
    port.write(bytes);
    QByteArray answer;
    while (!answer.contains(until) && port.waitForReadyRead(10000))
        answer += port.readAll();
    return answer;
}
} // namespace

// What a send through the binary over the terminal shows beyond the drivers' own runs: the echo before ATE0,
// a quote kept inside the printed text, the OK the binary sends itself once the guard after "+++" is over,
// and a clean exit.
TEST(ModemBinary, CallsAUcpCentreAndEscapesAfterTheGuardTimes) {
    SimProcess sim(kHayes, {}, SimProcess::File::Modem);
    ASSERT_TRUE(sim.started()) << sim.errorOutput().toStdString();
    QSerialPort port(sim.ptyPath());
    ASSERT_TRUE(port.open(QIODevice::ReadWrite)) << port.errorString().toStdString();
    EXPECT_EQ(exchange(port, "ATE0\r", "OK\r\n"), "ATE0\r" + result("OK"));
    EXPECT_EQ(exchange(port, "ATDT5550200\r", "9600\r\n"), result("CONNECT 9600"));
    const QByteArray frame = UcpCentre::frame("00", "O/01/0170111///3/48692231/"); // Hi"1
    EXPECT_EQ(exchange(port, frame, "\x03"), UcpCentre::frame("00", "R/01/A/0170111:000000000001/"));
    EXPECT_EQ(sim.nextLine(), R"({"via":"ucp","to":"0170111","text":"Hi\"1"})");
    // The guard before the escape; the modem itself times the one after.
    QThread::msleep(1200);
    EXPECT_EQ(exchange(port, "+++", "OK\r\n"), result("OK"));
    EXPECT_EQ(exchange(port, "ATH0\r", "OK\r\n"), result("OK"));
    EXPECT_EQ(sim.terminate(), 0);
}

struct RefusedRun {
    const char* name;
    QByteArray file;
    QStringList arguments;
    const char* reason;
};

class ModemBinaryRefuses : public ::testing::TestWithParam<RefusedRun> {};

TEST_P(ModemBinaryRefuses, WithExitCodeTwoAndAReason) {
    SimProcess sim(GetParam().file, GetParam().arguments, SimProcess::File::Modem);
    EXPECT_FALSE(sim.started());
    EXPECT_EQ(sim.exitCode(), 2);
    EXPECT_TRUE(sim.errorOutput().contains(GetParam().reason));
}

INSTANTIATE_TEST_SUITE_P(
    ModemBinary, ModemBinaryRefuses,
    ::testing::Values(
        RefusedRun{"BrokenFile", R"({"modem": "fax"})", {}, "\"gsm\" or \"hayes\""},
        RefusedRun{"WithAScenario",
                   R"({"modem": "gsm"})",
                   {"--scenario", "demo.json"},
                   "--scenario does not go with --modem"},
        RefusedRun{"WithBaud", R"({"modem": "gsm"})", {"--baud", "9600"}, "--baud does not go with --modem"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace kelvara::sim::test
