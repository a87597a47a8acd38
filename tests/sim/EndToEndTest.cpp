// The kelvara-sim binary through a real pseudo-terminal, opened as the program opens the adapter: its first
// output line, reopening, checksums, the link, a clean stop and a refused scenario.
#include "support/SimProcess.h"
#include "support/TempSite.h"

#include <QFileInfo>
#include <QSerialPort>
#include <gtest/gtest.h>

namespace kelvara::sim::test {

namespace {
const QByteArray kScenario = R"({"devices": [{"rom": "E70000000000D130"}]})";
using kelvara::test::SimProcess;

// Writes the command and collects its one-line answer (or what came before nothing more did).
QByteArray exchange(QSerialPort& port, const QByteArray& command) {
    port.write(command);
    QByteArray answer;
    while (!answer.endsWith('\r') && port.waitForReadyRead(10000))
        answer += port.readAll();
    return answer;
}
} // namespace

// Searches, readings, lamps and control commands through the terminal are walked by the sensornet suite's
// simulator tests, with the program's own bus code as the client.
TEST(SimulatorBinary, PrintsItsTerminalAndServesAClientThatClosesAndReopensIt) {
    SimProcess sim(kScenario);
    ASSERT_TRUE(sim.started()) << sim.errorOutput().toStdString();
    EXPECT_TRUE(sim.ptyPath().startsWith("/dev/pts/")) << sim.ptyPath().toStdString();
    QSerialPort port(sim.ptyPath());
    port.setBaudRate(115200);
    for (int round = 0; round < 3; ++round) {
        ASSERT_TRUE(port.open(QIODevice::ReadWrite)) << port.errorString().toStdString();
        EXPECT_EQ(exchange(port, "aR\r"), "P\r") << "round " << round;
        // Left unread: the next opening must not find it.
        port.write("aR\r");
        port.waitForBytesWritten(10000);
        port.close();
        // A control reply comes after the simulator has taken in everything the port received.
        EXPECT_EQ(sim.control("ping"), "ok");
    }
}

TEST(SimulatorBinary, SignsItsAnswersAndKeepsItsLinkAcrossAnUnplugging) {
    const kelvara::test::TempSite folder;
    const QString link = folder.file("adapter");
    SimProcess sim(kScenario, {"--checksum", "--baud", "9600", "--link", link});
    ASSERT_TRUE(sim.started()) << sim.errorOutput().toStdString();
    EXPECT_EQ(QFileInfo(link).symLinkTarget(), sim.ptyPath());
    {
        QSerialPort port(link);
        ASSERT_TRUE(port.open(QIODevice::ReadWrite)) << port.errorString().toStdString();
        // Checksums are the sum of the line's characters modulo 256, in hexadecimal.
        EXPECT_EQ(exchange(port, "aAE70000000000D130D6\r"), "E70000000000D13034\r");
        EXPECT_EQ(exchange(port, "aR00\r"), "E\r");
    }
    EXPECT_EQ(sim.control("adapter closed"), "ok");
    EXPECT_FALSE(QFileInfo::exists(link));
    EXPECT_EQ(sim.control("path"), "closed");
    EXPECT_EQ(sim.control("adapter normal"), "ok");
    {
        QSerialPort port(link);
        ASSERT_TRUE(port.open(QIODevice::ReadWrite)) << port.errorString().toStdString();
        EXPECT_EQ(exchange(port, "aR\r"), "P\r");
    }
    EXPECT_EQ(sim.terminate(), 0);
    EXPECT_FALSE(QFileInfo(link).isSymLink());
}

TEST(SimulatorBinary, RefusesABrokenScenario) {
    SimProcess sim(R"({"devices": [{"rom": "nope"}]})");
    EXPECT_FALSE(sim.started());
    EXPECT_TRUE(sim.errorOutput().contains("16 hexadecimal"));
}

} // namespace kelvara::sim::test
