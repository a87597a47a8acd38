// The bus operations over a scripted adapter: how answers are judged, the three attempts of a sensor reading
// and the conversion's read slots. (A plain reading, a sensor gone from the bus and the device search are
// SimulatorTest's, on a real terminal.)
#include "sensornet/SensorBus.h"

#include "support/FakeClock.h"
#include "support/Ha5Commands.h"
#include "support/QtPrinters.h"
#include "support/RecordedDialogs.h"
#include "support/ScriptedLink.h"

#include <gtest/gtest.h>

using namespace kelvara;
using sensornet::ReadState;

namespace {

const QByteArray kZone = "750000000000A128"; // sixteenth-degree sensor
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
        test::openScriptedLink(link, port);
    }
    void TearDown() override { EXPECT_FALSE(port.spinDetected); }

    void temperatureAnswers(const QByteArray& answer) { port.on(kTempCmd, answer, 20); }

    test::FakeClock clock;
    test::ScriptedPort port;
    test::RecordedDialogs dialogs;
    sensornet::AdapterLink link;
    sensornet::SensorBus bus;
};

template <typename... Answers> QByteArrayList inTurn(const Answers&... a) {
    return {QByteArray(a)...};
}

struct ReadingRow {
    const char* name;
    QByteArray rom;
    QByteArray echo;        // the answer to the address command
    QByteArrayList answers; // the temperature answers of the attempts in turn, the last one repeating
    ReadState state;
    double celsius;
    int attempts;
    const char* addressAnswer;
    QByteArray temperatureAnswer;
    int temperatureReads; // how often the temperature command went out
};

class Readings : public BusTest, public ::testing::WithParamInterface<ReadingRow> {};

TEST_P(Readings, TakeUpToThreeAttemptsUntilAnAnswerIsUsable) {
    const ReadingRow& r = GetParam();
    port.on("aA" + r.rom + "\r", r.echo, 10);
    port.on("aW0144\r", "44\r", 10);
    port.on("M", r.rom + "\r", 10);
    for (const QByteArray& answer : r.answers)
        temperatureAnswers(answer);
    const sensornet::SensorReading reading = bus.readSensor(r.rom);
    EXPECT_EQ(reading.state, r.state);
    EXPECT_DOUBLE_EQ(reading.celsius, r.celsius);
    EXPECT_EQ(reading.attempts, r.attempts);
    EXPECT_EQ(reading.addressAnswer, r.addressAnswer);
    EXPECT_EQ(reading.temperatureAnswer, r.temperatureAnswer);
    EXPECT_EQ(port.written.count("aR\r"), r.attempts);
    EXPECT_EQ(port.written.count(kTempCmd), r.temperatureReads);
}

const QByteArray kHalfDegree = "790000000000B710";
const QByteArray kDamaged =
    "BE97" + scratchpad("9101").mid(2) + "\r"; // 0x91 became 0x97, the check byte kept

INSTANTIATE_TEST_SUITE_P(
    Answers, Readings,
    ::testing::Values(ReadingRow{"AllOnesIsRetried", kZone, kZone + "\r",
                                 inTurn(kAllOnes, kAllOnes, "BE" + scratchpad("D007") + "\r"),
                                 ReadState::Read, 125.0, 3, kZone, scratchpad("D007") + "\r", 3},
                      ReadingRow{"PowerOnValueIsReadAgain", kZone, kZone + "\r",
                                 inTurn("BE" + scratchpad("5005") + "\r", "BE" + scratchpad("9101") + "\r"),
                                 ReadState::Read, 25.0, 2, kZone, scratchpad("9101") + "\r", 2},
                      ReadingRow{"PowerOnValueThatStaysIsNoData", kHalfDegree, kHalfDegree + "\r",
                                 inTurn("BE" + scratchpad("AA00") + "\r"), ReadState::NoData, 0, 3,
                                 kHalfDegree, scratchpad("AA00") + "\r", 3},
                      ReadingRow{"DamagedScratchpadIsRetried", kZone, kZone + "\r",
                                 inTurn(kDamaged, "BE" + scratchpad("9101") + "\r"), ReadState::Read, 25.0, 2,
                                 kZone, scratchpad("9101") + "\r", 2},
                      ReadingRow{"EchoWithoutTemperatureAnswerIsNoDataNotZeroDegrees", kZone, kZone + "\r",
                                 inTurn(), ReadState::NoData, 0, 3, kZone, "", 3},
                      ReadingRow{"ForeignEchoOnEveryAttemptIsUnconfirmed", kZone, "750000000000A1\r",
                                 inTurn(), ReadState::Unconfirmed, 0, 3, "750000000000A1", "", 0}),
    [](const ::testing::TestParamInfo<ReadingRow>& info) { return std::string(info.param.name); });

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

// The pass-wide conversion: one block for every sensor, then read slots until the line reads 1.
struct ConversionRow {
    const char* name;
    QList<QByteArray> slotAnswers; // the read slots' answers in turn; empty: the adapter says nothing
    int slotsSent;
    int pauses;
};

class ConvertAll : public BusTest, public ::testing::WithParamInterface<ConversionRow> {};

TEST_P(ConvertAll, ReadsSlotsUntilTheConversionEndsAtMostForItsLongestTime) {
    const ConversionRow& r = GetParam();
    sensornet::AdapterCommands commands = test::ha5Commands();
    commands.ConvertAllCmd = "aW02CC44\r";
    sensornet::SensorBus passBus(link, commands);
    port.on("aW02CC44\r", "CC44\r", 10);
    for (const QByteArray& answer : r.slotAnswers)
        port.on("aB1\r", answer, 5);
    EXPECT_TRUE(passBus.convertAll());
    EXPECT_EQ(port.written.mid(0, 2), QList<QByteArray>({"aR\r", "aW02CC44\r"}));
    EXPECT_EQ(port.written.count("aB1\r"), r.slotsSent);
    EXPECT_EQ(port.pauses.size(), r.pauses);
}

INSTANTIATE_TEST_SUITE_P(Slots, ConvertAll,
                         ::testing::Values(ConversionRow{"DoneAtOnce", {"1\r"}, 1, 0},
                                           ConversionRow{"DoneAfterTwoZeros", {"0\r", "0\r", "1\r"}, 3, 2},
                                           ConversionRow{"NeverDoneStopsAtTheBound", {"0\r"}, 20, 20},
                                           ConversionRow{"SilentAdapterIsNotWaitedFor", {}, 1, 0}),
                         [](const ::testing::TestParamInfo<ConversionRow>& info) {
                             return std::string(info.param.name);
                         });

TEST_F(BusTest, WithoutTheCommandOrItsEchoThereIsNoPassConversion) {
    EXPECT_FALSE(bus.convertAll());
    EXPECT_TRUE(port.written.isEmpty());
    sensornet::AdapterCommands commands = test::ha5Commands();
    commands.ConvertAllCmd = "aW02CC44\r";
    sensornet::SensorBus passBus(link, commands);
    EXPECT_FALSE(passBus.convertAll());
    EXPECT_EQ(port.written.count("aB1\r"), 0);
}

} // namespace
