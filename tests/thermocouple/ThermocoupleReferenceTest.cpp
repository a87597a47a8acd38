// The thermocouple reference functions against the published ITS-90 tables, their ranges and their shape.
#include "thermocouple/ThermocoupleReference.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <ostream>

using namespace kelvara::thermocouple;

namespace {

// The published tables print millivolts to three decimals, so a correct function lies within 0.5 µV of
// them; 1 µV leaves room for the odd table entry rounded from a slightly different computation.
constexpr double kTableToleranceMicrovolts = 1.0;

struct TableEntry {
    char type;
    double celsius;
    double tableMillivolts;
};

std::ostream& operator<<(std::ostream& out, const TableEntry& entry) {
    return out << entry.type << " at " << entry.celsius << " C";
}

class ThermocoupleReferenceTable : public testing::TestWithParam<TableEntry> {};

TEST_P(ThermocoupleReferenceTable, MatchesThePublishedTable) {
    const TableEntry entry = GetParam();
    const auto emf = referenceEmfMicrovolts(entry.type, entry.celsius);
    ASSERT_TRUE(emf.has_value());
    EXPECT_NEAR(*emf, entry.tableMillivolts * 1000.0, kTableToleranceMicrovolts);
}

// Range ends, the negative ranges, both sides of every subrange join, and type K around its bump near 127 °C.
const TableEntry kPublished[] = {
    {'B', 0, 0.000},     {'B', 20, -0.003},     {'B', 100, 0.033},   {'B', 250, 0.291},   {'B', 350, 0.596},
    {'B', 500, 1.242},   {'B', 600, 1.792},     {'B', 700, 2.431},   {'B', 1000, 4.834},  {'B', 1500, 10.099},
    {'B', 1820, 13.820}, {'E', -270, -9.835},   {'E', -200, -8.825}, {'E', -100, -5.237}, {'E', 100, 6.319},
    {'E', 350, 24.964},  {'E', 500, 37.005},    {'E', 1000, 76.373}, {'J', -210, -8.095}, {'J', -200, -7.890},
    {'J', -100, -4.633}, {'J', 100, 5.269},     {'J', 350, 19.090},  {'J', 500, 27.393},  {'J', 760, 42.919},
    {'J', 800, 45.494},  {'J', 1000, 57.953},   {'J', 1200, 69.553}, {'K', -270, -6.458}, {'K', -200, -5.891},
    {'K', -100, -3.554}, {'K', -1, -0.039},     {'K', 0, 0.000},     {'K', 25, 1.000},    {'K', 35, 1.407},
    {'K', 100, 4.096},   {'K', 127, 5.206},     {'K', 219, 8.900},   {'K', 500, 20.644},  {'K', 1000, 41.276},
    {'K', 1372, 54.886}, {'N', -270, -4.345},   {'N', -200, -3.990}, {'N', -100, -2.407}, {'N', 100, 2.774},
    {'N', 350, 11.136},  {'N', 600, 20.613},    {'N', 1000, 36.256}, {'N', 1300, 47.513}, {'R', -50, -0.226},
    {'R', 100, 0.647},   {'R', 350, 2.896},     {'R', 1000, 10.506}, {'R', 1500, 17.451}, {'R', 1600, 18.849},
    {'R', 1768, 21.101}, {'R', 1768.1, 21.103}, {'S', -50, -0.236},  {'S', 100, 0.646},   {'S', 350, 2.786},
    {'S', 1000, 9.587},  {'S', 1200, 11.951},   {'S', 1500, 15.582}, {'S', 1600, 16.777}, {'S', 1768, 18.693},
    {'T', -270, -6.258}, {'T', -200, -5.603},   {'T', -150, -4.648}, {'T', -100, -3.379}, {'T', -40, -1.475},
    {'T', 100, 4.279},   {'T', 200, 9.288},     {'T', 350, 17.819},  {'T', 400, 20.872}};
INSTANTIATE_TEST_SUITE_P(PublishedValues, ThermocoupleReferenceTable, testing::ValuesIn(kPublished));

TEST(ThermocoupleReference, HasNoValueJustOutsideEachTypesRange) {
    for (char type : kThermocoupleTypes) {
        SCOPED_TRACE(type);
        const auto range = thermocoupleRange(type);
        ASSERT_TRUE(range.has_value());
        EXPECT_TRUE(referenceEmfMicrovolts(type, range->lowestCelsius).has_value());
        EXPECT_TRUE(referenceEmfMicrovolts(type, range->highestCelsius).has_value());
        EXPECT_FALSE(referenceEmfMicrovolts(type, range->lowestCelsius - 0.001).has_value());
        EXPECT_FALSE(referenceEmfMicrovolts(type, range->highestCelsius + 0.001).has_value());
        EXPECT_FALSE(referenceEmfMicrovolts(type, std::numeric_limits<double>::quiet_NaN()).has_value());
    }
}

TEST(ThermocoupleReference, KnowsOnlyTheEightUpperCaseLetters) {
    for (char type : {'A', 'C', 'k', 't', ' ', '\0'}) {
        SCOPED_TRACE(static_cast<int>(type));
        EXPECT_FALSE(isThermocoupleType(type));
        EXPECT_FALSE(thermocoupleRange(type).has_value());
        EXPECT_FALSE(referenceEmfMicrovolts(type, 100.0).has_value());
    }
    for (char type : kThermocoupleTypes)
        EXPECT_TRUE(isThermocoupleType(type)) << type;
}

// The conversion seeks the greatest EMF at or below a reading, which needs rising columns; type B alone
// dips below zero between 0 and 21 °C.
TEST(ThermocoupleReference, EveryTypeRisesWithTemperatureExceptTypeBNearZero) {
    for (char type : kThermocoupleTypes) {
        SCOPED_TRACE(type);
        const auto range = *thermocoupleRange(type);
        const int first = static_cast<int>(std::ceil(range.lowestCelsius));
        const int last = static_cast<int>(std::floor(range.highestCelsius));
        for (int celsius = first + 1; celsius <= last; ++celsius) {
            const double step =
                *referenceEmfMicrovolts(type, celsius) - *referenceEmfMicrovolts(type, celsius - 1);
            if (type == 'B' && celsius <= 21)
                ASSERT_LT(step, 0.0) << celsius;
            else
                ASSERT_GT(step, 0.0) << celsius;
        }
    }
}

} // namespace
