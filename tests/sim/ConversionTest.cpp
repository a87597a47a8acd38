// Conversions that take the thermometer's own time: what a read sees while one is under way, and the read
// slots that report it.
#include "SimHarness.h"

#include <gtest/gtest.h>

namespace kelvara::sim::test {

namespace {
constexpr const char* kSixteenth = "750000000000A128";
constexpr const char* kHalf = "D90000000000B210";

QByteArray timedSensor(const char* rom, int resolution) {
    return R"({"conversionScale": 1, "devices": [{"rom": ")" + QByteArray(rom) + R"(", "resolution": )" +
           QByteArray::number(resolution) + R"(, "temperature": 25}]})";
}

// Converts at the given second and reads the scratchpad's temperature register at another.
QByteArray registerReadAt(SimHarness& sim, const char* rom, double convertAt, double readAt) {
    sim.sim().setElapsed(convertAt);
    sim.send("aA" + QByteArray(rom) + "\r");
    sim.send("aW0144\r");
    sim.sim().setElapsed(readAt);
    sim.send("M");
    return sim.send("aW0ABEFFFFFFFFFFFFFFFFFF\r").mid(2, 4);
}
} // namespace

struct TimingCase {
    const char* rom;
    int resolution;
    double lastSecondBefore; // still converting
    double firstSecondAfter; // done
    const char* powerOn;
    const char* converted; // 25 °C
};

void PrintTo(const TimingCase& c, std::ostream* os) {
    *os << c.rom << " at " << c.resolution << " bits";
}

class ConversionTime : public ::testing::TestWithParam<TimingCase> {};

TEST_P(ConversionTime, LeavesThePowerOnValueUntilTheFirstConversionEnds) {
    const TimingCase& c = GetParam();
    SimHarness sim(timedSensor(c.rom, c.resolution));
    EXPECT_EQ(registerReadAt(sim, c.rom, 10.0, 10.0 + c.lastSecondBefore), c.powerOn);
    SimHarness again(timedSensor(c.rom, c.resolution));
    EXPECT_EQ(registerReadAt(again, c.rom, 10.0, 10.0 + c.firstSecondAfter), c.converted);
}

const TimingCase kTimings[] = {{kSixteenth, 9, 0.093, 0.094, "5005", "9001"},
                               {kSixteenth, 10, 0.187, 0.188, "5005", "9001"},
                               {kSixteenth, 11, 0.374, 0.376, "5005", "9001"},
                               {kSixteenth, 12, 0.749, 0.750, "5005", "9001"},
                               {kHalf, 12, 0.749, 0.750, "AA00", "3200"}};
INSTANTIATE_TEST_SUITE_P(Devices, ConversionTime, ::testing::ValuesIn(kTimings));

TEST(Conversion, ReadDuringTheNextOneReturnsThePreviousValue) {
    SimHarness sim(timedSensor(kSixteenth, 12));
    ASSERT_EQ(registerReadAt(sim, kSixteenth, 0.0, 1.0), "9001");
    sim.control("set 750000000000A128 temperature 30");
    EXPECT_EQ(registerReadAt(sim, kSixteenth, 2.0, 2.5), "9001");
    sim.sim().setElapsed(2.8);
    sim.send("M");
    EXPECT_EQ(sim.send("aW0ABEFFFFFFFFFFFFFFFFFF\r").mid(2, 4), "E001");
}

TEST(Conversion, ReadSlotsAfterConvertTReadZeroUntilItEnds) {
    SimHarness sim(timedSensor(kSixteenth, 12));
    sim.send("aR\r");
    EXPECT_EQ(sim.send("aW02CC44\r"), "CC44\r");
    EXPECT_EQ(sim.send("aB1\r"), "0\r");
    sim.sim().setElapsed(0.5);
    EXPECT_EQ(sim.send("aW01FF\r"), "00\r");
    sim.sim().setElapsed(0.75);
    EXPECT_EQ(sim.send("aB1\r"), "1\r");
    EXPECT_EQ(sim.send("aW01FF\r"), "FF\r");
}

} // namespace kelvara::sim::test
