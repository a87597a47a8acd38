// Temperature answers: the two decoding formats against the sensors' data-sheet tables, the bus check byte,
// the classification of answers and the removal of the adapter's echo.
#include "sensornet/AdapterProtocol.h"
#include "sensornet/TemperatureDecoder.h"
#include "support/QtPrinters.h"

#include <cmath>
#include <gtest/gtest.h>
#include <string>

using namespace kelvara::sensornet;

namespace {

struct DataSheetRow {
    const char* reg; // the temperature register as the data sheet prints it, high byte first
    double celsius;
};

void PrintTo(const DataSheetRow& r, std::ostream* os) {
    auto& o = *os;
    o << r.reg << " = " << r.celsius << " C";
}

// The answer starts with the register's low byte, then its high byte.
QString answerFor(const char* reg) {
    const QString r = QString::fromLatin1(reg);
    return r.mid(2, 2) + r.left(2) + QStringLiteral("4B467FFF0C10\r");
}

class HalfDegreeFormat : public ::testing::TestWithParam<DataSheetRow> {};

TEST_P(HalfDegreeFormat, GivesTheDataSheetTemperature) {
    const auto c = decoding::decodeTemperature(answerFor(GetParam().reg), QStringLiteral("10"));
    ASSERT_TRUE(c.has_value());
    EXPECT_DOUBLE_EQ(*c, GetParam().celsius);
}

const DataSheetRow kHalfDegree[] = {{"00AA", 85.0},  {"0032", 25.0},  {"0031", 24.5},  {"0050", 40.0},
                                    {"0001", 0.5},   {"0000", 0.0},   {"FFFF", -0.5},  {"FFCE", -25.0},
                                    {"FF92", -55.0}, {"00FF", 127.5}, {"FF00", -128.0}};
INSTANTIATE_TEST_SUITE_P(DataSheet, HalfDegreeFormat, ::testing::ValuesIn(kHalfDegree));

class SixteenthDegreeFormat : public ::testing::TestWithParam<std::tuple<DataSheetRow, std::string>> {};

TEST_P(SixteenthDegreeFormat, GivesTheWholeDegreesBelowTheDataSheetTemperature) {
    const auto& [row, family] = GetParam();
    const auto c = decoding::decodeTemperature(answerFor(row.reg), QString::fromStdString(family));
    ASSERT_TRUE(c.has_value());
    EXPECT_DOUBLE_EQ(*c, std::floor(row.celsius));
}

const DataSheetRow kSixteenthDegree[] = {
    {"07D0", 125.0}, {"0550", 85.0}, {"0191", 25.0625}, {"00A2", 10.125},   {"0008", 0.5},
    {"0000", 0.0},   {"FFF8", -0.5}, {"FF5E", -10.125}, {"FE6F", -25.0625}, {"FC90", -55.0}};
INSTANTIATE_TEST_SUITE_P(DataSheet, SixteenthDegreeFormat,
                         ::testing::Combine(::testing::ValuesIn(kSixteenthDegree),
                                            ::testing::Values(std::string("28"), std::string("22"),
                                                              std::string("3B"))));

TEST(DecodeTemperature, RefusesAnswersWithoutFourHexDigits) {
    for (const char* answer : {"", "\r", "91\r", "91G1\r", " 9101", "91-1"})
        EXPECT_FALSE(decoding::decodeTemperature(QString::fromLatin1(answer), "28").has_value()) << answer;
}

TEST(DallasCrc8, MatchesKnownBlocks) {
    // A ROM id and a sensor's power-on scratchpad, each followed by the check byte the device sends.
    EXPECT_EQ(decoding::dallasCrc8(QByteArray::fromHex("021CB801000000")), 0xA2);
    EXPECT_EQ(decoding::dallasCrc8(QByteArray::fromHex("50054B467FFF0C10")), 0x1C);
    EXPECT_EQ(decoding::dallasCrc8(QByteArray::fromHex("50054B467FFF0C101C")), 0);
}

struct CheckRow {
    const char* answer;
    TemperatureAnswerCheck expected;
};

void PrintTo(const CheckRow& r, std::ostream* os) {
    PrintTo(QString::fromLatin1(r.answer), os);
}

class TemperatureAnswerChecks : public ::testing::TestWithParam<CheckRow> {};

TEST_P(TemperatureAnswerChecks, Classify) {
    EXPECT_EQ(decoding::checkTemperatureAnswer(QString::fromLatin1(GetParam().answer)), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Answers, TemperatureAnswerChecks,
                         ::testing::Values(CheckRow{"50054B467FFF0C101C\r", TemperatureAnswerCheck::Usable},
                                           CheckRow{"5005\r", TemperatureAnswerCheck::Usable},
                                           CheckRow{"FFFFFFFFFFFFFFFFFF\r", TemperatureAnswerCheck::NoData},
                                           CheckRow{"FFFFFFFFFF", TemperatureAnswerCheck::NoData},
                                           CheckRow{"50054B467FFF0C101D\r", TemperatureAnswerCheck::BadCrc},
                                           CheckRow{"51054B467FFF0C101C\r", TemperatureAnswerCheck::BadCrc},
                                           CheckRow{"500\r", TemperatureAnswerCheck::Unreadable},
                                           CheckRow{"", TemperatureAnswerCheck::Unreadable},
                                           CheckRow{"\r", TemperatureAnswerCheck::Unreadable},
                                           CheckRow{"5?054B467FFF0C101C\r",
                                                    TemperatureAnswerCheck::Unreadable}));

struct EchoRow {
    const char* answer;
    const char* expected;
};

void PrintTo(const EchoRow& r, std::ostream* os) {
    PrintTo(QString::fromLatin1(r.answer), os);
}

class WriteEchoRemoval : public ::testing::TestWithParam<EchoRow> {};

TEST_P(WriteEchoRemoval, KeepsOnlyTheBytesReadFromTheSensor) {
    const QString command = QStringLiteral("aW0ABEFFFFFFFFFFFFFFFFFF\r");
    EXPECT_EQ(protocol::withoutWriteEcho(QString::fromLatin1(GetParam().answer), command),
              QString::fromLatin1(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(
    Answers, WriteEchoRemoval,
    ::testing::Values(
        EchoRow{"BE50054B467FFF0C101C\r", "50054B467FFF0C101C\r"},
        EchoRow{"BEFFFFFFFFFFFFFFFFFF\r", "FFFFFFFFFFFFFFFFFF\r"},
        // An answer cut short still loses its echo.
        EchoRow{"BE0550", "0550"},
        // An adapter that does not echo: its answer stays whole, even when its data begin with BE.
        EchoRow{"50054B467FFF0C101C\r", "50054B467FFF0C101C\r"},
        EchoRow{"BE004B467FFF0C1000\r", "BE004B467FFF0C1000\r"}, EchoRow{"", ""}, EchoRow{"\r", "\r"}));

} // namespace
