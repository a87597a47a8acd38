// The adapter's commands against simulated devices: reset, select, blocks, bits, the searches and the lists.
#include "SimHarness.h"

#include <gtest/gtest.h>

namespace kelvara::sim::test {

namespace {
// Four families whose search order differs from their listing order.
const QByteArray kMixedBus = scenarioWith(R"(
    {"rom": "750000000000A128", "temperature": 25.0625},
    {"rom": "610000000000C105", "on": false},
    {"rom": "E70000000000D130", "type": "K", "temperature": 100, "coldJunction": 25},
    {"rom": "D90000000000B210", "temperature": 24.5},
    {"rom": "3A0000000000C205", "on": true})");
} // namespace

TEST(Adapter, ResetAnswersPresenceOnlyWhenADeviceIsOnTheBus) {
    SimHarness empty(scenarioWith(""));
    EXPECT_EQ(empty.send("aR\r"), "N\r");
    SimHarness one(scenarioWith(R"({"rom": "750000000000A128"})"));
    EXPECT_EQ(one.send("aR\r"), "P\r");
}

TEST(Adapter, ReadsAZoneSensorTheWayTheMonitorDoes) {
    SimHarness sim(kMixedBus);
    EXPECT_EQ(sim.send("aR\r"), "P\r");
    EXPECT_EQ(sim.send("aA750000000000A128\r"), "750000000000A128\r");
    EXPECT_EQ(sim.send("aW0144\r"), "44\r");
    EXPECT_EQ(sim.send("M"), "750000000000A128\r");
    const QByteArray answer = sim.send("aW0ABEFFFFFFFFFFFFFFFFFF\r");
    // The echo of the command byte, then the nine scratchpad bytes: 25.0625 °C is 0191h, low byte first.
    EXPECT_EQ(answer.left(6), "BE9101");
    EXPECT_EQ(answer.size(), 2 + 18 + 1);
    EXPECT_TRUE(answer.endsWith('\r'));
}

TEST(Adapter, JoinedBlockReselectsTheRememberedDevice) {
    SimHarness sim(kMixedBus);
    sim.send("aAD90000000000B210\r");
    sim.send("aW0144\r");
    EXPECT_EQ(sim.send("aJ0ABEFFFFFFFFFFFFFFFFFF\r").left(6), "BE3100");
}

TEST(Adapter, ReselectWithNothingRememberedAnswersAnEmptyLine) {
    SimHarness sim(kMixedBus);
    EXPECT_EQ(sim.send("M"), "\r");
    EXPECT_EQ(sim.send("aJ01FF\r"), "E\r");
}

TEST(Adapter, ReadsTheThermocoupleRegistersFromTheCurrentRegisterOn) {
    SimHarness sim(kMixedBus);
    sim.send("aAE70000000000D130\r");
    const QByteArray answer = sim.send("aW0E690EFFFFFFFFFFFFFFFFFFFFFFFF\r");
    ASSERT_EQ(answer.size(), 29);
    EXPECT_EQ(answer.left(4), "690E");
    EXPECT_EQ(answer.mid(12, 12), "FFFFFFFFFFFF"); // reserved 12h-17h
    EXPECT_EQ(answer.mid(24, 4), "1900");          // 25 °C cold junction
}

TEST(Adapter, SearchesInTheOrderTheSearchAlgorithmMeetsTheIds) {
    SimHarness sim(kMixedBus);
    // Bits go out from the family code's lowest bit: families 10, 30, 28, 05; then C2 before C1.
    const QByteArray expected[] = {"D90000000000B210", "E70000000000D130", "750000000000A128",
                                   "3A0000000000C205", "610000000000C105"};
    EXPECT_EQ(sim.send("aS\r"), expected[0] + "\r");
    for (int i = 1; i < 5; ++i)
        EXPECT_EQ(sim.send("as\r"), expected[i] + "\r") << i;
    EXPECT_EQ(sim.send("as\r"), "\r");
    EXPECT_EQ(sim.send("as\r"), "\r");
}

TEST(Adapter, WholeListAnswersSeventeenCharacterEntriesAndABareReturn) {
    SimHarness sim(kMixedBus);
    EXPECT_EQ(sim.send("aS,FF\r"), "D90000000000B210\rE70000000000D130\r750000000000A128\r3A0000000000C205\r"
                                   "610000000000C105\r\r");
    EXPECT_EQ(sim.send("aS,02\r"), "D90000000000B210\rE70000000000D130\r\r");
}

TEST(Adapter, FamilySearchStaysWithinItsFamily) {
    SimHarness sim(kMixedBus);
    EXPECT_EQ(sim.send("aF05\r"), "3A0000000000C205\r");
    EXPECT_EQ(sim.send("as\r"), "610000000000C105\r");
    EXPECT_EQ(sim.send("af\r"), "\r");
    EXPECT_EQ(sim.send("aF30\r"), "E70000000000D130\r");
    EXPECT_EQ(sim.send("af\r"), "\r");
    EXPECT_EQ(sim.send("aF3B\r"), "\r");
}

TEST(Adapter, ConditionalSearchFindsTheSwitchesThatAreOn) {
    SimHarness sim(kMixedBus);
    EXPECT_EQ(sim.send("aC,FF\r"), "3A0000000000C205\r\r");
    sim.send("aA610000000000C105\r");
    EXPECT_EQ(sim.send("aC\r"), "3A0000000000C205\r");
    EXPECT_EQ(sim.send("ac\r"), "610000000000C105\r");
    EXPECT_EQ(sim.send("ac\r"), "\r");
    sim.send("aA610000000000C105\r");
    sim.send("aA3A0000000000C205\r");
    EXPECT_EQ(sim.send("aC,FF\r"), "\r");
}

struct ToggleCase {
    const char* name;
    QByteArray commands;
    bool on;
};

class SwitchToggling : public ::testing::TestWithParam<ToggleCase> {};

TEST_P(SwitchToggling, OnlyAMatchToggles) {
    SimHarness sim(scenarioWith(R"({"rom": "610000000000C105", "on": false}, {"rom": "750000000000A128"})"));
    sim.send(GetParam().commands);
    EXPECT_EQ(sim.send("aC,FF\r"), GetParam().on ? "610000000000C105\r\r" : "\r");
}

INSTANTIATE_TEST_SUITE_P(
    Selections, SwitchToggling,
    ::testing::Values(ToggleCase{"AddressedOnce", "aA610000000000C105\r", true},
                      ToggleCase{"AddressedTwice", "aA610000000000C105\raA610000000000C105\r", false},
                      ToggleCase{"AddressedThenReselected", "aA610000000000C105\rM", false},
                      ToggleCase{"Searched", "aS,FF\raF05\r", false},
                      ToggleCase{"AnotherDeviceAddressed", "aA750000000000A128\r", false}),
    [](const ::testing::TestParamInfo<ToggleCase>& info) { return std::string(info.param.name); });

TEST(Adapter, ReadSlotsAfterSelectingASwitchCarryItsOutputLevel) {
    SimHarness sim(scenarioWith(R"({"rom": "610000000000C105", "on": false})"));
    sim.send("aA610000000000C105\r");
    // The output now conducts and pulls its pin low.
    EXPECT_EQ(sim.send("aB1\r"), "0\r");
    EXPECT_EQ(sim.send("aW01FF\r"), "00\r");
    sim.send("aA610000000000C105\r");
    EXPECT_EQ(sim.send("aB1\r"), "1\r");
}

TEST(Adapter, BitsAndBlocksWithoutASelectedDeviceReadTheIdleLine) {
    SimHarness sim(kMixedBus);
    sim.send("aR\r");
    EXPECT_EQ(sim.send("aB0\r"), "0\r");
    EXPECT_EQ(sim.send("aW02FF00\r"), "FF00\r");
}

TEST(Adapter, SkipRomWrittenAsABlockReachesTheOnlyDevice) {
    SimHarness sim(scenarioWith(R"({"rom": "750000000000A128", "temperature": -10.125})"));
    sim.send("aR\r");
    EXPECT_EQ(sim.send("aW02CC44\r"), "CC44\r");
    sim.send("aR\r");
    EXPECT_EQ(sim.send("aW04CCBEFFFF\r"), "CCBE5EFF\r");
}

TEST(Adapter, ReadRomWrittenAsABlockReturnsTheIdInBusOrder) {
    SimHarness sim(scenarioWith(R"({"rom": "750000000000A128"})"));
    sim.send("aR\r");
    EXPECT_EQ(sim.send("aW0933FFFFFFFFFFFFFFFF\r"), "3328A10000000000"
                                                    "75\r");
}

TEST(Adapter, IgnoresCommandsForAnotherChannel) {
    SimHarness sim(kMixedBus);
    EXPECT_EQ(sim.send("bR\rbS\r"), "");
    EXPECT_EQ(sim.send("aQ\r"), "E\r");
}

} // namespace kelvara::sim::test
