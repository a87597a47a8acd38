// The bus operations over a scripted adapter: what each sends, how answers are judged, and the three
// attempts of a sensor reading.
#include "sensornet/SensorBus.h"

#include "support/FakeClock.h"
#include "support/Ha5Commands.h"
#include "support/QtPrinters.h"
#include "support/RecordedDialogs.h"
#include "support/ScriptedPort.h"

#include <gtest/gtest.h>

using namespace kelvara;
using sensornet::ReadState;

namespace {

const QByteArray kZone = "750000000000A128"; // sixteenth-degree sensor
const QByteArray kLamp = "610000000000C105";
const QByteArray kOther = "E70000000000D130";
const QByteArray kTempCmd = "aW0ABEFFFFFFFFFFFFFFFFFF\r";
const QByteArray kAllOnes = "BEFFFFFFFFFFFFFFFFFF\r";

// A scratchpad as the sensor sends it: temperature low and high byte, six more bytes, then the check byte.
QByteArray scratchpad(const char* lowHigh) {
    const QByteArray bytes = QByteArray::fromHex(QByteArray(lowHigh) + "4B467FFF0C10");
    return (bytes + char(sensornet::decoding::dallasCrc8(bytes))).toHex().toUpper();
}

class BusTest : public ::testing::Test {
protected:
    BusTest()
        : port(clock), link(port, clock, port, dialogs, sensornet::ExchangeRules::monitoring()),
          bus(link, test::ha5Commands()) {
        port.on("aR\r", "P\r", 5);
        EXPECT_TRUE(link.resetAdapter("aR\r").has_value());
        port.written.clear();
        port.pauses.clear();
    }
    void TearDown() override { EXPECT_FALSE(port.spinDetected); }

    // A sensor that answers its address, the conversion and the re-select.
    void present(const QByteArray& rom) {
        port.on("aA" + rom + "\r", rom + "\r", 10);
        port.on("aW0144\r", "44\r", 10);
        port.on("M", rom + "\r", 10);
    }
    void temperatureAnswers(const QByteArray& answer) { port.on(kTempCmd, answer, 20); }

    test::FakeClock clock;
    test::ScriptedPort port;
    test::RecordedDialogs dialogs;
    sensornet::AdapterLink link;
    sensornet::SensorBus bus;
};

TEST_F(BusTest, ReadingSendsResetAddressConvertReselectAndRead) {
    present(kZone);
    temperatureAnswers("BE" + scratchpad("9101") + "\r");
    const sensornet::SensorReading r = bus.readSensor(kZone);
    EXPECT_EQ(r.state, ReadState::Read);
    EXPECT_DOUBLE_EQ(r.celsius, 25.0);
    EXPECT_EQ(r.attempts, 1);
    EXPECT_EQ(r.addressAnswer, kZone);
    EXPECT_EQ(r.temperatureAnswer, scratchpad("9101") + "\r");
    EXPECT_EQ(port.written, QList<QByteArray>({"aR\r", "aA" + kZone + "\r", "aW0144\r", "M", kTempCmd}));
}

TEST_F(BusTest, AllOnesIsRetriedAndAGoodThirdAttemptCounts) {
    present(kZone);
    temperatureAnswers(kAllOnes);
    temperatureAnswers(kAllOnes);
    temperatureAnswers("BE" + scratchpad("D007") + "\r");
    const sensornet::SensorReading r = bus.readSensor(kZone);
    EXPECT_EQ(r.state, ReadState::Read);
    EXPECT_DOUBLE_EQ(r.celsius, 125.0);
    EXPECT_EQ(r.attempts, 3);
    EXPECT_EQ(port.written.count("aR\r"), 3);
}

TEST_F(BusTest, AllOnesThreeTimesIsNoDataWithValueZero) {
    present(kZone);
    temperatureAnswers(kAllOnes);
    const sensornet::SensorReading r = bus.readSensor(kZone);
    EXPECT_EQ(r.state, ReadState::NoData);
    EXPECT_DOUBLE_EQ(r.celsius, 0.0);
    EXPECT_EQ(r.attempts, 3);
    EXPECT_EQ(r.temperatureAnswer, "FFFFFFFFFFFFFFFFFF\r");
    EXPECT_EQ(port.written.count(kTempCmd), 3);
}

TEST_F(BusTest, ThePowerOnValueIsReadAgainAndIsNoDataWhenItStays) {
    present(kZone);
    temperatureAnswers("BE" + scratchpad("5005") + "\r");
    temperatureAnswers("BE" + scratchpad("9101") + "\r");
    const sensornet::SensorReading again = bus.readSensor(kZone);
    EXPECT_EQ(again.state, ReadState::Read);
    EXPECT_DOUBLE_EQ(again.celsius, 25.0);
    EXPECT_EQ(again.attempts, 2);

    const QByteArray halfDegree = "790000000000B710";
    present(halfDegree);
    temperatureAnswers("BE" + scratchpad("AA00") + "\r");
    const sensornet::SensorReading stuck = bus.readSensor(halfDegree);
    EXPECT_EQ(stuck.state, ReadState::NoData);
    EXPECT_EQ(stuck.attempts, 3);
}

TEST_F(BusTest, SilentSensorCostsThreeAttemptsAndReadsAsNoData) {
    const qint64 start = clock.monotonicMs();
    const sensornet::SensorReading r = bus.readSensor(kZone);
    EXPECT_EQ(r.state, ReadState::NoData);
    EXPECT_EQ(r.addressAnswer, "Error");
    EXPECT_EQ(r.temperatureAnswer, "");
    EXPECT_EQ(port.written, QList<QByteArray>({"aR\r", "aA" + kZone + "\r", "aR\r", "aA" + kZone + "\r",
                                               "aR\r", "aA" + kZone + "\r"}));
    // Each attempt waits out the address exchange's deadline.
    EXPECT_GE(clock.monotonicMs() - start, 3 * 2000);
}

TEST_F(BusTest, ForeignEchoOnEveryAttemptIsUnconfirmed) {
    port.on("aA" + kZone + "\r", "750000000000A1\r", 10);
    const sensornet::SensorReading r = bus.readSensor(kZone);
    EXPECT_EQ(r.state, ReadState::Unconfirmed);
    EXPECT_DOUBLE_EQ(r.celsius, 0.0);
    EXPECT_EQ(r.addressAnswer, "750000000000A1");
    EXPECT_EQ(port.written.count(kTempCmd), 0);
}

TEST_F(BusTest, EchoWithoutTemperatureAnswerIsNoDataNotZeroDegrees) {
    present(kZone);
    const sensornet::SensorReading r = bus.readSensor(kZone);
    EXPECT_EQ(r.state, ReadState::NoData);
    EXPECT_EQ(r.attempts, 3);
}

TEST_F(BusTest, DamagedScratchpadIsRetried) {
    present(kZone);
    QByteArray damaged = "BE" + scratchpad("9101") + "\r";
    damaged[3] = '7'; // 0x91 becomes 0x97
    temperatureAnswers(damaged);
    temperatureAnswers("BE" + scratchpad("9101") + "\r");
    const sensornet::SensorReading r = bus.readSensor(kZone);
    EXPECT_EQ(r.state, ReadState::Read);
    EXPECT_DOUBLE_EQ(r.celsius, 25.0);
    EXPECT_EQ(r.attempts, 2);
}

TEST_F(BusTest, SearchListsEachDeviceUntilABareCarriageReturn) {
    port.on("aS\r", kZone + "\r", 20);
    port.on("as\r", kLamp + "\r", 20);
    port.on("as\r", kOther + "\r", 20);
    port.on("as\r", "\r", 20);
    const auto found = bus.enumerate(sensornet::DeviceSearch::All);
    ASSERT_EQ(found.size(), 3u);
    EXPECT_EQ(found[0].romId, kZone);
    EXPECT_EQ(found[0].rawAnswer, kZone + "\r");
    EXPECT_EQ(found[1].family(), "05");
    EXPECT_EQ(found[2].romId, kOther);
    EXPECT_EQ(port.written.first(), "aR\r");
    EXPECT_EQ(port.written.count("as\r"), 3);
}

TEST_F(BusTest, SearchWithAnEmptyOrShortFirstAnswerFindsNothing) {
    EXPECT_TRUE(bus.enumerate(sensornet::DeviceSearch::All).empty());
    port.on("aS\r", "N\r", 20);
    EXPECT_TRUE(bus.enumerate(sensornet::DeviceSearch::All).empty());
    EXPECT_EQ(port.written.count("as\r"), 0);
}

TEST_F(BusTest, PresenceNeedsAnAnswerOfMoreThanTenCharacters) {
    port.on("aS\r", "123456789\r", 10);
    port.on("aS\r", "1234567890\r", 10);
    EXPECT_FALSE(bus.adapterPresent());
    EXPECT_TRUE(bus.adapterPresent());
}

} // namespace
