// Thermocouple answers to temperatures: register decoding, the conversion table, the whole chain.
#include "cook/ThermoAnswer.h"
#include "cook/ThermoTable.h"
#include "monitoring/ZoneReader.h"
#include "store/ThermoTypesTable.h"
#include "support/TempSite.h"
#include "thermocouple/ThermocoupleReference.h"

#include <cmath>
#include <gtest/gtest.h>

using namespace kelvara;

namespace {

// The shipped table, built once from the reference functions and read back through the cache.
const cook::ThermoTable& shippedTable() {
    static const cook::ThermoTable table = [] {
        static test::TempSite site;
        const QString path = site.file(QStringLiteral("ThermoTypes.db"));
        EXPECT_TRUE(store::createThermoTypesDatabase(path).ok());
        auto loaded = cook::ThermoTable::load(path);
        EXPECT_TRUE(loaded.ok()) << loaded.error().toStdString();
        return loaded.ok() ? std::move(loaded).value() : cook::ThermoTable();
    }();
    return table;
}

// An interface's answer as the device gives it: the EMF between the junctions rounded up to the next count.
QString answerFor(char type, double hot, double cold) {
    const double emf =
        *thermocouple::referenceEmfMicrovolts(type, hot) - *thermocouple::referenceEmfMicrovolts(type, cold);
    const auto counts = static_cast<int>(std::ceil(emf / 15.625));
    const auto current = static_cast<quint16>(counts * 8);
    const auto coldWord = static_cast<quint16>(static_cast<int>(std::lround(cold * 8)) * 32);
    return QStringLiteral("690E%1%2FFFFFFFFFFFF%3\r")
        .arg(current, 4, 16, QLatin1Char('0'))
        .arg(QStringLiteral("0000"))
        .arg(coldWord, 4, 16, QLatin1Char('0'))
        .toUpper();
}

} // namespace

TEST(ThermoAnswer, DecodesBothRegistersAsTwosComplement) {
    struct Case {
        const char* current;
        const char* temperature;
        double microvolts;
        double celsius;
    };
    const Case cases[] = {
        {"0A00", "1900", 5000.0, 25.0},     // 320 counts; 200 eighths
        {"FFF8", "FFE0", -15.625, -0.125},  // one count below zero each
        {"0638", "1920", 3109.375, 25.125}, // the cold junction moves in eighths
        {"8000", "C900", -64000.0, -55.0},  // the most negative EMF; the coldest junction
        {"7FF8", "7D00", 63984.375, 125.0}, // the most positive
    };
    for (const Case& c : cases) {
        const QString answer = QStringLiteral("690E") + QLatin1String(c.current) +
                               QStringLiteral("0000FFFFFFFFFFFF") + QLatin1String(c.temperature) +
                               QLatin1Char('\r');
        SCOPED_TRACE(answer.toStdString());
        ASSERT_TRUE(cook::ThermoAnswer::accepted(answer));
        const auto registers = cook::ThermoAnswer::decode(answer);
        ASSERT_TRUE(registers.has_value());
        EXPECT_DOUBLE_EQ(registers->emfMicrovolts, c.microvolts);
        EXPECT_DOUBLE_EQ(registers->coldJunctionCelsius, c.celsius);
    }
}

TEST(ThermoAnswer, AnAnswerWithoutDataIsNoReading) {
    const char* answers[] = {
        "",                                   // nothing came
        "\r",                                 // only the terminator
        "690E0A000000FFFFFFFF\r",             // cut short
        "FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF\r", // the device drives no data
        "690EFFFF0000FFFFFFFFFFFF1900\r",     // the current register all ones
        "690E0A000000FFFFFFFFFFFFFFFF\r",     // the temperature register all ones
        "690E0G000000FFFFFFFFFFFF1900\r",     // not hex where a digit is read
        "690E0A000000FFFFFFFFFFFF19X0\r",
    };
    for (const char* answer : answers)
        EXPECT_FALSE(cook::ThermoAnswer::decode(QString::fromLatin1(answer)).has_value()) << answer;
    // The reserved registers must read F, and the temperature register must not: a garbled or silent device.
    EXPECT_FALSE(cook::ThermoAnswer::accepted(QStringLiteral("690E0A000000FFFFFF0FFFFF1900\r")));
    EXPECT_FALSE(cook::ThermoAnswer::accepted(QStringLiteral("690E0A000000FFFFFFFFFFFFFFFF\r")));
    EXPECT_FALSE(cook::ThermoAnswer::accepted(QString()));
}

TEST(ThermoConversion, ReadsTheHotJunctionThroughTheWholeChain) {
    struct Case {
        char type;
        double hot;
        double cold;
        const char* tempType;
        int shown;
    };
    const Case cases[] = {
        {'K', 100, 25, "F", 212},   {'K', 100, 25, "C", 100},
        {'K', 75, 22.125, "C", 75}, // the cold junction between two rows still counts
        {'J', 180, 23.5, "C", 180}, {'T', 60, 20.375, "C", 60},
        {'E', 165, 25, "F", 329},   {'N', 250, 18.875, "C", 250},
        {'K', 20, 24.625, "C", 20}, // hot junction colder than the cold one: a negative EMF
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(1, c.type) + " " + std::to_string(c.hot) + "/" + std::to_string(c.cold));
        const auto registers = cook::ThermoAnswer::decode(answerFor(c.type, c.hot, c.cold));
        ASSERT_TRUE(registers.has_value());
        const auto celsius = shippedTable().celsius(QString(QLatin1Char(c.type)), registers->emfMicrovolts,
                                                    registers->coldJunctionCelsius);
        ASSERT_TRUE(celsius.has_value());
        EXPECT_EQ(monitoring::ZoneReader::displayValue(*celsius, QLatin1String(c.tempType), 0), c.shown);
    }
}

TEST(ThermoConversion, OutsideTheTableOrWithoutATypeThereIsNoTemperature) {
    const cook::ThermoTable& table = shippedTable();
    EXPECT_FALSE(table.celsius(QStringLiteral("K"), -7000.0, 0.0).has_value());  // below the first row
    EXPECT_FALSE(table.celsius(QStringLiteral("K"), 60000.0, 25.0).has_value()); // above the last
    EXPECT_FALSE(table.celsius(QStringLiteral("X"), 4096.0, 25.0).has_value());
    EXPECT_FALSE(table.celsius(QString(), 4096.0, 25.0).has_value());
    EXPECT_FALSE(table.celsius(QStringLiteral("KK"), 4096.0, 25.0).has_value());
    EXPECT_FALSE(
        table.celsius(QStringLiteral("T"), 1000.0, 500.0).has_value()); // cold junction off T's table
    EXPECT_EQ(table.celsius(QStringLiteral("K"), 4100.0, 0.0), 100); // 4096.x µV at 100 °C, 4138.x at 101
}

TEST(ThermoConversion, AMissingTableFileIsAnError) {
    test::TempSite site;
    EXPECT_FALSE(cook::ThermoTable::load(site.file(QStringLiteral("ThermoTypes.db"))).ok());
}
