// The device models against their data sheets: thermometer encodings and scratchpads, the thermocouple
// interface's registers and the thermocouple reference functions behind them.
#include "SimHarness.h"
#include "sim/DallasCrc.h"
#include "sim/Hex.h"
#include "sim/Thermocouple.h"

#include <cmath>
#include <gtest/gtest.h>

namespace kelvara::sim::test {

namespace {
QByteArray sensor(const char* rom, double celsius) {
    return scenarioWith(QByteArray(R"({"rom": ")") + rom + R"(", "temperature": )" +
                        QByteArray::number(celsius) + "}");
}
} // namespace

struct EncodingCase {
    const char* rom;
    double celsius;
    const char* register4; // temperature LSB then MSB, as the answer shows them
};

class ThermometerEncoding : public ::testing::TestWithParam<EncodingCase> {};

TEST_P(ThermometerEncoding, MatchesTheDataSheetTable) {
    const EncodingCase& c = GetParam();
    SimHarness sim(sensor(c.rom, c.celsius));
    EXPECT_EQ(sim.convertAndRead(c.rom).left(4), c.register4) << c.celsius;
}

INSTANTIATE_TEST_SUITE_P(SixteenthDegree, ThermometerEncoding,
                         ::testing::Values(EncodingCase{"750000000000A128", 125, "D007"},
                                           EncodingCase{"750000000000A128", 85, "5005"},
                                           EncodingCase{"750000000000A128", 25.0625, "9101"},
                                           EncodingCase{"750000000000A128", 10.125, "A200"},
                                           EncodingCase{"750000000000A128", 0.5, "0800"},
                                           EncodingCase{"750000000000A128", 0, "0000"},
                                           EncodingCase{"750000000000A128", -0.5, "F8FF"},
                                           EncodingCase{"750000000000A128", -10.125, "5EFF"},
                                           EncodingCase{"750000000000A128", -25.0625, "6FFE"},
                                           EncodingCase{"750000000000A128", -55, "90FC"}));

INSTANTIATE_TEST_SUITE_P(HalfDegree, ThermometerEncoding,
                         ::testing::Values(EncodingCase{"D90000000000B210", 85, "AA00"},
                                           EncodingCase{"D90000000000B210", 25, "3200"},
                                           EncodingCase{"D90000000000B210", 24.5, "3100"},
                                           EncodingCase{"D90000000000B210", 0.5, "0100"},
                                           EncodingCase{"D90000000000B210", 0, "0000"},
                                           EncodingCase{"D90000000000B210", -0.5, "FFFF"},
                                           EncodingCase{"D90000000000B210", -25, "CEFF"},
                                           EncodingCase{"D90000000000B210", -55, "92FF"}));

class HalfDegreeCounts : public ::testing::TestWithParam<double> {};

TEST_P(HalfDegreeCounts, RebuildTheTemperatureWithTheDataSheetFormula) {
    SimHarness sim(sensor("D90000000000B210", GetParam()));
    const QByteArray pad = *parseHexBytes(sim.convertAndRead("D90000000000B210"));
    const int halves = static_cast<std::int8_t>(pad[0]);
    const double tempRead = std::floor(halves / 2.0);
    const int remain = static_cast<std::uint8_t>(pad[6]);
    const int perC = static_cast<std::uint8_t>(pad[7]);
    EXPECT_NEAR(tempRead - 0.25 + double(perC - remain) / perC, GetParam(), 1.0 / 32);
}

INSTANTIATE_TEST_SUITE_P(Temperatures, HalfDegreeCounts,
                         ::testing::Values(25.0, 25.3, 25.74, 25.76, -10.8, 0.2));

TEST(Thermometer, ScratchpadEndsWithItsCrc) {
    for (const char* rom : {"750000000000A128", "D90000000000B210"}) {
        SimHarness sim(sensor(rom, 21.7));
        const QByteArray pad = *parseHexBytes(sim.convertAndRead(rom));
        ASSERT_EQ(pad.size(), 9);
        EXPECT_EQ(dallasCrc8(std::span(reinterpret_cast<const std::uint8_t*>(pad.constData()), 9)), 0) << rom;
    }
}

TEST(Thermometer, HoldsThePowerOnValueUntilItsFirstConversion) {
    SimHarness sim(sensor("750000000000A128", 20));
    sim.send("aA750000000000A128\r");
    EXPECT_EQ(sim.send("aW0ABEFFFFFFFFFFFFFFFFFF\r").mid(2, 18), "50054B467FFF0C101C");
}

TEST(Thermometer, LowerResolutionDropsTheUndefinedBits) {
    SimHarness sim(scenarioWith(R"({"rom": "750000000000A128", "temperature": 25.3, "resolution": 10})"));
    const QByteArray pad = sim.convertAndRead("750000000000A128");
    EXPECT_EQ(pad.left(4), "9401"); // 25.25 °C
    EXPECT_EQ(pad.mid(8, 2), "3F");
}

TEST(Thermometer, WriteCopyAndRecallKeepTheAlarmBytesAndConfiguration) {
    SimHarness sim(sensor("750000000000A128", 20));
    sim.send("aA750000000000A128\r");
    EXPECT_EQ(sim.send("aW044E1E0A1F\r"), "4E1E0A1F\r");
    sim.send("aA750000000000A128\r");
    EXPECT_EQ(sim.send("aW0248FF\r"), "48FF\r");
    sim.send("aA750000000000A128\r");
    sim.send("aW044E00007F\r");
    sim.send("aA750000000000A128\r");
    sim.send("aW01B8\r");
    const QByteArray pad = sim.convertAndRead("750000000000A128");
    EXPECT_EQ(pad.mid(4, 6), "1E0A1F"); // TH 30, TL 10, 9 bits, back from the EEPROM
    EXPECT_EQ(pad.left(4), "4001");     // 20 °C at 9 bits
}

TEST(Thermometer, ReadPowerSupplyTellsParasiteFromExternalPower) {
    SimHarness sim(
        scenarioWith(R"({"rom": "750000000000A128"}, {"rom": "D90000000000B210", "parasite": true})"));
    sim.send("aA750000000000A128\r");
    EXPECT_EQ(sim.send("aW02B4FF\r"), "B4FF\r");
    sim.send("aAD90000000000B210\r");
    EXPECT_EQ(sim.send("aW02B4FF\r"), "B400\r");
}

struct EmfCase {
    char type;
    double celsius;
    double microvolts; // ITS-90 table, reference junction at 0 °C
};

class ThermocoupleReference : public ::testing::TestWithParam<EmfCase> {};

TEST_P(ThermocoupleReference, MatchesTheTables) {
    const EmfCase& c = GetParam();
    const auto emf = Thermocouple::emfMicrovolts(c.type, c.celsius);
    ASSERT_TRUE(emf);
    EXPECT_NEAR(*emf, c.microvolts, 1.0) << c.type << " at " << c.celsius;
}

INSTANTIATE_TEST_SUITE_P(
    Types, ThermocoupleReference,
    ::testing::Values(EmfCase{'K', 25, 1000}, EmfCase{'K', 100, 4096}, EmfCase{'K', 500, 20644},
                      EmfCase{'K', 1000, 41276}, EmfCase{'K', -100, -3554}, EmfCase{'J', 100, 5269},
                      EmfCase{'J', 800, 45494}, EmfCase{'J', 1000, 57953}, EmfCase{'K', 0, 0},
                      EmfCase{'T', 100, 4279}, EmfCase{'T', -100, -3379}, EmfCase{'E', 100, 6319},
                      EmfCase{'N', 100, 2774}, EmfCase{'N', 1000, 36256}, EmfCase{'R', 100, 647},
                      EmfCase{'S', 100, 646}, EmfCase{'B', 1000, 4834}));

TEST(Thermocouple, KnowsOnlyTheLetterTypes) {
    EXPECT_FALSE(Thermocouple::emfMicrovolts('X', 100));
    EXPECT_FALSE(Thermocouple::knownType('k'));
}

struct RegisterCase {
    const char* type;
    double hot;
    double cold;
    const char* current;     // answer characters 5-8
    const char* temperature; // the four characters before the carriage return
};

class ThermocoupleRegisters : public ::testing::TestWithParam<RegisterCase> {};

TEST_P(ThermocoupleRegisters, CarryTheEmfAndTheColdJunction) {
    const RegisterCase& c = GetParam();
    SimHarness sim(scenarioWith(QByteArray(R"({"rom": "E70000000000D130", "type": ")") + c.type +
                                R"(", "temperature": )" + QByteArray::number(c.hot) +
                                R"(, "coldJunction": )" + QByteArray::number(c.cold) + "}"));
    sim.send("aAE70000000000D130\r");
    const QByteArray answer = sim.send("aW0E690EFFFFFFFFFFFFFFFFFFFFFFFF\r");
    EXPECT_EQ(answer.mid(4, 4), c.current);
    EXPECT_EQ(answer.mid(24, 4), c.temperature);
}

INSTANTIATE_TEST_SUITE_P(
    Junctions, ThermocoupleRegisters,
    ::testing::Values(RegisterCase{"K", 100, 25, "0638", "1900"},  // 3095.9 µV: 199 counts, the one above
                      RegisterCase{"J", 200, 20, "1388", "1400"},  // 9760 µV: 625 counts
                      RegisterCase{"K", 0, 25, "FE00", "1900"},    // -1000.3 µV: -64 counts
                      RegisterCase{"K", 25, 25, "0000", "1900"},   // no difference, no EMF
                      RegisterCase{"T", -10, -10, "0000", "F600"}, // cold junction below zero
                      RegisterCase{"E", 1000, 0, "7FF8",
                                   "0000"})); // 76 mV: beyond the ±64 mV the register holds

TEST(Thermocouple, WriteDataReachesOnlyWritableAddresses) {
    SimHarness sim(scenarioWith(R"({"rom": "E70000000000D130"})"));
    sim.send("aAE70000000000D130\r");
    sim.send("aW046C110102\r"); // 11h accumulated current LSB, then the reserved 12h
    sim.send("aAE70000000000D130\r");
    EXPECT_EQ(sim.send("aW056910FFFFFF\r"), "69100001FF\r");
}

} // namespace kelvara::sim::test
