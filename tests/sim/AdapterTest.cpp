// The adapter's commands against simulated devices, as the bytes a client sends and gets back: reset, select,
// blocks, bits, the searches and lists, the devices' function commands, injected faults and checksums.
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
const QByteArray kRom = "750000000000A128";
const QByteArray kZone = scenarioWith(R"({"rom": "750000000000A128", "temperature": 20})");

// Address, convert, reselect and read the scratchpad, as the monitor reads a sensor; and the answers of a
// sensor whose scratchpad holds these bytes.
QByteArray readout(const QByteArray& rom) {
    return "aA" + rom + "\raW0144\rMaW0ABEFFFFFFFFFFFFFFFFFF\r";
}
QByteArray readoutAnswers(const QByteArray& rom, const QByteArray& pad) {
    return rom + "\r44\r" + rom + "\rBE" + pad + "\r";
}

QByteArray faulty(const QByteArray& fault) {
    return scenarioWith(R"({"rom": "750000000000A128", "temperature": 25.0625, "fault": )" + fault +
                        R"(}, {"rom": "610000000000C105"})");
}
} // namespace

struct Dialogue {
    const char* name;
    QByteArray scenario;
    QByteArray commands; // one after the other, as a client writes them
    QByteArray answers;  // every byte that came back, in order
};

std::string dialogueName(const ::testing::TestParamInfo<Dialogue>& info) {
    return info.param.name;
}

class Dialogues : public ::testing::TestWithParam<Dialogue> {};

TEST_P(Dialogues, GiveExactlyTheseAnswers) {
    SimHarness sim(GetParam().scenario);
    EXPECT_EQ(sim.send(GetParam().commands), GetParam().answers);
}

INSTANTIATE_TEST_SUITE_P(
    Adapter, Dialogues,
    ::testing::Values(
        Dialogue{"ResetOnAnEmptyBusFindsNoPresence", scenarioWith(""), "aR\r", "N\r"},
        Dialogue{"ResetFindsADevice", kZone, "aR\r", "P\r"},
        // The echo of the command byte, then the nine scratchpad bytes: 25.0625 °C is 0191h, low byte first.
        Dialogue{"ReadsAZoneSensorTheWayTheMonitorDoes", kMixedBus, "aR\r" + readout(kRom),
                 "P\r" + readoutAnswers(kRom, "91014B467FFF0F1025")},
        Dialogue{"JoinedBlockReselectsTheRememberedDevice", kMixedBus,
                 "aAD90000000000B210\raW0144\raJ0ABEFFFFFFFFFFFFFFFFFF\r",
                 "D90000000000B210\r44\rBE31004B46FFFF0410D8\r"},
        Dialogue{"ReselectWithNothingRememberedAnswersAnEmptyLine", kMixedBus, "MaJ01FF\r", "\rE\r"},
        // Bits go out from the family code's lowest bit: families 10, 30, 28, 05; then C2 before C1.
        Dialogue{"SearchMeetsTheIdsInBitOrder", kMixedBus, "aS\ras\ras\ras\ras\ras\ras\r",
                 "D90000000000B210\rE70000000000D130\r750000000000A128\r"
                 "3A0000000000C205\r610000000000C105\r\r\r"},
        Dialogue{
            "WholeListAnswersSeventeenCharacterEntriesAndABareReturn", kMixedBus, "aS,FF\raS,02\r",
            "D90000000000B210\rE70000000000D130\r750000000000A128\r3A0000000000C205\r610000000000C105\r\r"
            "D90000000000B210\rE70000000000D130\r\r"},
        Dialogue{"FamilySearchStaysWithinItsFamily", kMixedBus, "aF05\ras\raf\raF30\raf\raF3B\r",
                 "3A0000000000C205\r610000000000C105\r\rE70000000000D130\r\r\r"},
        Dialogue{"ConditionalSearchFindsTheSwitchesThatAreOn", kMixedBus,
                 "aC,FF\raA610000000000C105\raC\rac\rac\raA610000000000C105\raA3A0000000000C205\raC,FF\r",
                 "3A0000000000C205\r\r610000000000C105\r3A0000000000C205\r610000000000C105\r\r"
                 "610000000000C105\r3A0000000000C205\r\r"},
        // Selecting the switch makes its output conduct, which pulls its pin low.
        Dialogue{"ReadSlotsAfterSelectingASwitchCarryItsOutputLevel",
                 scenarioWith(R"({"rom": "610000000000C105"})"),
                 "aA610000000000C105\raB1\raW01FF\raA610000000000C105\raB1\r",
                 "610000000000C105\r0\r00\r610000000000C105\r1\r"},
        Dialogue{"BitsAndBlocksWithoutASelectedDeviceReadTheIdleLine", kMixedBus, "aR\raB0\raW02FF00\r",
                 "P\r0\rFF00\r"},
        Dialogue{"SkipRomWrittenAsABlockReachesTheOnlyDevice",
                 scenarioWith(R"({"rom": "750000000000A128", "temperature": -10.125})"),
                 "aR\raW02CC44\raR\raW04CCBEFFFF\r", "P\rCC44\rP\rCCBE5EFF\r"},
        Dialogue{"ReadRomWrittenAsABlockReturnsTheIdInBusOrder", kZone, "aR\raW0933FFFFFFFFFFFFFFFF\r",
                 "P\r3328A1000000000075\r"},
        Dialogue{"CommandsForAnotherChannelAreIgnoredAndUnknownOnesRefused", kMixedBus, "bR\rbS\raQ\r",
                 "E\r"}),
    dialogueName);

INSTANTIATE_TEST_SUITE_P(
    Devices, Dialogues,
    ::testing::Values(
        Dialogue{"ThermometerHoldsThePowerOnValueUntilItsFirstConversion", kZone,
                 "aA750000000000A128\raW0ABEFFFFFFFFFFFFFFFFFF\r",
                 "750000000000A128\rBE50054B467FFF0C101C\r"},
        // 25.25 °C at ten bits, the undefined bit dropped, and the configuration register saying so.
        Dialogue{"LowerResolutionDropsTheUndefinedBits",
                 scenarioWith(R"({"rom": "750000000000A128", "temperature": 25.3, "resolution": 10})"),
                 readout(kRom), readoutAnswers(kRom, "94014B463FFF0C10C6")},
        // TH 30, TL 10 and nine bits written and copied, overwritten, then recalled from the EEPROM: 20 °C at
        // nine bits.
        Dialogue{"WriteCopyAndRecallKeepTheAlarmBytesAndConfiguration", kZone,
                 "aA750000000000A128\raW044E1E0A1F\raA750000000000A128\raW0248FF\r"
                 "aA750000000000A128\raW044E00007F\raA750000000000A128\raW01B8\r" +
                     readout(kRom),
                 "750000000000A128\r4E1E0A1F\r750000000000A128\r48FF\r"
                 "750000000000A128\r4E00007F\r750000000000A128\rB8\r" +
                     readoutAnswers(kRom, "40011E0A1FFF101080")},
        Dialogue{
            "ReadPowerSupplyTellsParasiteFromExternalPower",
            scenarioWith(R"({"rom": "750000000000A128"}, {"rom": "D90000000000B210", "parasite": true})"),
            "aA750000000000A128\raW02B4FF\raAD90000000000B210\raW02B4FF\r",
            "750000000000A128\rB4FF\rD90000000000B210\rB400\r"},
        // Address 11h, the accumulated current's low byte, takes the write; the reserved 12h does not.
        Dialogue{"ThermocoupleWriteDataReachesOnlyWritableAddresses",
                 scenarioWith(R"({"rom": "E70000000000D130"})"),
                 "aAE70000000000D130\raW046C110102\raAE70000000000D130\raW056910FFFFFF\r",
                 "E70000000000D130\r6C110102\rE70000000000D130\r69100001FF\r"}),
    dialogueName);

INSTANTIATE_TEST_SUITE_P(
    Faults, Dialogues,
    ::testing::Values(
        // The adapter echoes what it sent whether or not anybody listened.
        Dialogue{"AbsentDeviceLeavesTheSearchAndReadsAllOnes", faulty(R"("absent")"),
                 "aS,FF\r" + readout(kRom),
                 "610000000000C105\r\r" + readoutAnswers(kRom, "FFFFFFFFFFFFFFFFFF")},
        Dialogue{"AbsentLastDeviceLeavesNoPresencePulse",
                 scenarioWith(R"({"rom": "750000000000A128", "fault": "absent"})"), "aR\raS\r", "N\r\r"},
        Dialogue{"AllOnesDeviceIsFoundButDrivesNoData", faulty(R"("allf")"), "aF28\r" + readout(kRom),
                 kRom + "\r" + readoutAnswers(kRom, "FFFFFFFFFFFFFFFFFF")},
        Dialogue{"PowerOnFaultLeavesEightyFiveDegreesAfterAConversion",
                 scenarioWith(R"({"rom": "750000000000A128", "fault": "poweron"},
                                 {"rom": "D90000000000B210", "fault": "poweron"})"),
                 readout(kRom) + readout("D90000000000B210"),
                 readoutAnswers(kRom, "50054B467FFF0C101C") +
                     readoutAnswers("D90000000000B210", "AA004B46FFFF0C1087")}),
    dialogueName);

// Checksums are the sum of the line's characters modulo 256, in hexadecimal, before the carriage return.
INSTANTIATE_TEST_SUITE_P(
    Checksums, Dialogues,
    ::testing::Values(
        // Reset, bit and empty answers never carry one.
        Dialogue{"AnswersCarryTheirChecksumInChecksumMode",
                 R"({"checksum": true, "devices": [{"rom": "750000000000A128", "temperature": 25}]})",
                 "aA750000000000A128\raW0144\raR\raB1\raS\ras\r",
                 "750000000000A12828\r4468\rP\r1\r750000000000A12828\r\r"},
        // The refused address never reaches the switch.
        Dialogue{"ACommandWhoseChecksumIsWrongIsRefused", scenarioWith(R"({"rom": "610000000000C105"})"),
                 "aA610000000000C10500\raC,FF\r", "E\r\r"}),
    dialogueName);

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

} // namespace kelvara::sim::test
