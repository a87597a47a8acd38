// The kelvara-sim binary through a real pseudo-terminal: its first output line, the exchanges a client
// makes, the control channel, client reopening and a clean stop.
#include "PtyClient.h"
#include "sim/Hex.h"
#include "support/SimProcess.h"

#include <QFileInfo>
#include <QSerialPort>
#include <gtest/gtest.h>

namespace kelvara::sim::test {

namespace {
const QByteArray kScenario = R"({"devices": [
    {"rom": "750000000000A128", "temperature": 25.0625},
    {"rom": "610000000000C105", "on": false},
    {"rom": "E70000000000D130", "type": "K", "temperature": 100, "coldJunction": 25}]})";
using kelvara::test::SimProcess;
} // namespace

TEST(SimulatorBinary, PrintsItsPortAndAnswersASearch) {
    SimProcess sim(kScenario);
    ASSERT_TRUE(sim.started()) << sim.errorOutput().toStdString();
    EXPECT_TRUE(sim.ptyPath().startsWith("/dev/pts/")) << sim.ptyPath().toStdString();
    PtyClient port(sim.ptyPath());
    ASSERT_TRUE(port.isOpen());
    EXPECT_EQ(port.exchange("aR\r"), "P\r");
    EXPECT_EQ(port.exchange("aS\r"), "E70000000000D130\r");
    EXPECT_EQ(port.exchange("as\r"), "750000000000A128\r");
    EXPECT_EQ(port.exchange("as\r"), "610000000000C105\r");
    EXPECT_EQ(port.exchange("as\r"), "\r");
}

TEST(SimulatorBinary, ReadsTheScenarioTemperature) {
    SimProcess sim(kScenario);
    ASSERT_TRUE(sim.started());
    PtyClient port(sim.ptyPath());
    EXPECT_EQ(port.exchange("aR\r", "P\r"), "P\r");
    EXPECT_EQ(port.exchange("aA750000000000A128\r"), "750000000000A128\r");
    EXPECT_EQ(port.exchange("aW0144\r", "44\r"), "44\r");
    EXPECT_EQ(port.exchange("M"), "750000000000A128\r");
    EXPECT_TRUE(port.exchange("aW0ABEFFFFFFFFFFFFFFFFFF\r").startsWith("BE9101"));
    EXPECT_EQ(sim.control("set 750000000000A128 temperature -0.5"), "ok");
    port.exchange("aA750000000000A128\r");
    port.exchange("aW0144\r");
    port.exchange("M");
    EXPECT_TRUE(port.exchange("aW0ABEFFFFFFFFFFFFFFFFFF\r").startsWith("BEF8FF"));
}

TEST(SimulatorBinary, ControlChannelSeesTheLampToggle) {
    SimProcess sim(kScenario);
    ASSERT_TRUE(sim.started());
    PtyClient port(sim.ptyPath());
    EXPECT_EQ(sim.control("get 610000000000C105"), "610000000000C105 off");
    EXPECT_EQ(port.exchange("aA610000000000C105\r"), "610000000000C105\r");
    EXPECT_EQ(sim.control("get 610000000000C105"), "610000000000C105 on");
    EXPECT_EQ(port.exchange("aC,FF\r", "\r\r"), "610000000000C105\r\r");
}

TEST(SimulatorBinary, ChecksumModeSignsAnswersAndChecksCommands) {
    SimProcess sim(kScenario,
                   {QStringLiteral("--checksum"), QStringLiteral("--baud"), QStringLiteral("9600")});
    ASSERT_TRUE(sim.started());
    PtyClient port(sim.ptyPath());
    const QByteArray command = "aAE70000000000D130";
    EXPECT_EQ(port.exchange(command + hexByte(lineChecksum(command)) + "\r"),
              "E70000000000D130" + hexByte(lineChecksum("E70000000000D130")) + "\r");
    EXPECT_EQ(port.exchange("aR00\r"), "E\r");
}

TEST(SimulatorBinary, KeepsServingAClientThatClosesAndReopensThePort) {
    SimProcess sim(kScenario);
    ASSERT_TRUE(sim.started());
    // The way the program itself opens the adapter.
    QSerialPort serial(sim.ptyPath());
    serial.setBaudRate(115200);
    for (int round = 0; round < 3; ++round) {
        ASSERT_TRUE(serial.open(QIODevice::ReadWrite)) << serial.errorString().toStdString();
        serial.write("aR\r");
        QByteArray answer;
        while (!answer.endsWith('\r') && serial.waitForReadyRead(10000))
            answer += serial.readAll();
        EXPECT_EQ(answer, "P\r") << "round " << round;
        // Left unread: the next opening must not find it.
        serial.write("aR\r");
        serial.waitForBytesWritten(10000);
        serial.close();
        // A control reply comes after the simulator has taken in everything the port received.
        EXPECT_EQ(sim.control("ping"), "ok");
    }
}

TEST(SimulatorBinary, UnpluggedPortComesBackUnderItsLink) {
    SimProcess probe(kScenario);
    const QString link = probe.folder() + QStringLiteral("/adapter");
    SimProcess sim(kScenario, {QStringLiteral("--link"), link});
    ASSERT_TRUE(sim.started());
    EXPECT_EQ(QFileInfo(link).symLinkTarget(), sim.ptyPath());
    EXPECT_EQ(sim.control("adapter closed"), "ok");
    EXPECT_FALSE(QFileInfo::exists(link));
    EXPECT_EQ(sim.control("path"), "closed");
    EXPECT_EQ(sim.control("adapter normal"), "ok");
    PtyClient port(link);
    EXPECT_EQ(port.exchange("aR\r"), "P\r");
    EXPECT_EQ(sim.terminate(), 0);
    EXPECT_FALSE(QFileInfo(link).isSymLink());
}

TEST(SimulatorBinary, RefusesABrokenScenario) {
    SimProcess sim(R"({"devices": [{"rom": "nope"}]})");
    EXPECT_FALSE(sim.started());
    EXPECT_TRUE(sim.errorOutput().contains("16 hexadecimal"));
}

} // namespace kelvara::sim::test
