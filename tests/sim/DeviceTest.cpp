// The device models against their data sheets: thermometer encodings and scratchpads, and the thermocouple
// interface's registers.
#include "SimHarness.h"
#include "sim/DallasCrc.h"
#include "sim/Hex.h"

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

void PrintTo(const EncodingCase& c, std::ostream* os) {
    *os << c.rom << " at " << c.celsius;
}

class ThermometerEncoding : public ::testing::TestWithParam<EncodingCase> {};

TEST_P(ThermometerEncoding, MatchesTheDataSheetTableInAScratchpadThatEndsWithItsCrc) {
    const EncodingCase& c = GetParam();
    SimHarness sim(sensor(c.rom, c.celsius));
    const QByteArray answer = sim.convertAndRead(c.rom);
    EXPECT_EQ(answer.left(4), c.register4);
    const QByteArray pad = parseHexBytes(answer).value_or(QByteArray());
    ASSERT_EQ(pad.size(), 9) << answer.constData();
    EXPECT_EQ(dallasCrc8(std::span(reinterpret_cast<const std::uint8_t*>(pad.constData()), 9)), 0);
}

constexpr const char* kSixteenth = "750000000000A128";
constexpr const char* kHalf = "D90000000000B210";
const EncodingCase kSixteenthDegree[] = {{kSixteenth, 125, "D007"},      {kSixteenth, 85, "5005"},
                                         {kSixteenth, 25.0625, "9101"},  {kSixteenth, 10.125, "A200"},
                                         {kSixteenth, 0.5, "0800"},      {kSixteenth, 0, "0000"},
                                         {kSixteenth, -0.5, "F8FF"},     {kSixteenth, -10.125, "5EFF"},
                                         {kSixteenth, -25.0625, "6FFE"}, {kSixteenth, -55, "90FC"}};
const EncodingCase kHalfDegree[] = {{kHalf, 85, "AA00"},  {kHalf, 25, "3200"}, {kHalf, 24.5, "3100"},
                                    {kHalf, 0.5, "0100"}, {kHalf, 0, "0000"},  {kHalf, -0.5, "FFFF"},
                                    {kHalf, -25, "CEFF"}, {kHalf, -55, "92FF"}};
INSTANTIATE_TEST_SUITE_P(SixteenthDegree, ThermometerEncoding, ::testing::ValuesIn(kSixteenthDegree));
INSTANTIATE_TEST_SUITE_P(HalfDegree, ThermometerEncoding, ::testing::ValuesIn(kHalfDegree));

class HalfDegreeCounts : public ::testing::TestWithParam<double> {};

TEST_P(HalfDegreeCounts, RebuildTheTemperatureWithTheDataSheetFormula) {
    SimHarness sim(sensor(kHalf, GetParam()));
    const QByteArray pad = *parseHexBytes(sim.convertAndRead(kHalf));
    const int halves = static_cast<std::int8_t>(pad[0]);
    const double tempRead = std::floor(halves / 2.0);
    const int remain = static_cast<std::uint8_t>(pad[6]);
    const int perC = static_cast<std::uint8_t>(pad[7]);
    EXPECT_NEAR(tempRead - 0.25 + double(perC - remain) / perC, GetParam(), 1.0 / 32);
}

INSTANTIATE_TEST_SUITE_P(Temperatures, HalfDegreeCounts,
                         ::testing::Values(25.0, 25.3, 25.74, 25.76, -10.8, 0.2));

struct RegisterCase {
    const char* type;
    double hot;
    double cold;
    const char* current;     // the current register, 0Eh-0Fh
    const char* temperature; // the temperature register, 18h-19h
};

void PrintTo(const RegisterCase& c, std::ostream* os) {
    *os << c.type << " " << c.hot << " over " << c.cold;
}

class ThermocoupleRegisters : public ::testing::TestWithParam<RegisterCase> {};

// Read Data from 0Eh on: the current register, the accumulated current (10h-11h), reserved 12h-17h, then the
// temperature register.
TEST_P(ThermocoupleRegisters, CarryTheEmfAndTheColdJunction) {
    const RegisterCase& c = GetParam();
    SimHarness sim(scenarioWith(QByteArray(R"({"rom": "E70000000000D130", "type": ")") + c.type +
                                R"(", "temperature": )" + QByteArray::number(c.hot) +
                                R"(, "coldJunction": )" + QByteArray::number(c.cold) + "}"));
    sim.send("aAE70000000000D130\r");
    EXPECT_EQ(sim.send("aW0E690EFFFFFFFFFFFFFFFFFFFFFFFF\r"),
              QByteArray("690E") + c.current + "0000FFFFFFFFFFFF" + c.temperature + "\r");
}

INSTANTIATE_TEST_SUITE_P(
    Junctions, ThermocoupleRegisters,
    ::testing::Values(RegisterCase{"K", 100, 25, "0638", "1900"},  // 3095.9 µV: 199 counts, the one above
                      RegisterCase{"J", 200, 20, "1388", "1400"},  // 9760 µV: 625 counts
                      RegisterCase{"K", 0, 25, "FE00", "1900"},    // -1000.3 µV: -64 counts
                      RegisterCase{"K", 25, 25, "0000", "1900"},   // no difference, no EMF
                      RegisterCase{"T", -10, -10, "0000", "F600"}, // cold junction below zero
                      RegisterCase{"K", 1500, 25, "6BC8", "1900"}, // held at the type's 1372 °C
                      RegisterCase{"E", 1000, 0, "7FF8",
                                   "0000"})); // 76 mV: beyond the ±64 mV the register holds

} // namespace kelvara::sim::test
