// Framing of adapter commands, their checksums, and the CRC-8 and ROM id forms the adapter prints.
#include "SimHarness.h"
#include "sim/CommandParser.h"
#include "sim/DallasCrc.h"
#include "sim/Hex.h"
#include "sim/RomId.h"

#include <array>
#include <gtest/gtest.h>

namespace kelvara::sim::test {

namespace {
// The same command with its checksum appended.
QByteArray withChecksum(const QByteArray& command) {
    return command + hexByte(lineChecksum(command));
}
} // namespace

TEST(DallasCrc, MatchesTheDataSheetExamples) {
    // The ROM example of the 1-Wire CRC application note: family 02, serial 0000 0001 B81C, CRC A2.
    const std::array<std::uint8_t, 7> rom{0x02, 0x1C, 0xB8, 0x01, 0x00, 0x00, 0x00};
    EXPECT_EQ(dallasCrc8(rom), 0xA2);
    // A thermometer's power-on scratchpad and its CRC byte.
    const std::array<std::uint8_t, 8> pad{0x50, 0x05, 0x4B, 0x46, 0x7F, 0xFF, 0x0C, 0x10};
    EXPECT_EQ(dallasCrc8(pad), 0x1C);
}

TEST(RomId, PrintsCrcFirstAndFamilyLast) {
    const RomId rom = RomId::withValidCrc(0x02, 0x000001B81CULL);
    EXPECT_EQ(rom.text(), "A200000001B81C02");
    EXPECT_EQ(rom.family(), 0x02);
    EXPECT_TRUE(rom.crcValid());
    EXPECT_EQ(RomId::fromText(u"a200000001b81c02"), rom);
}

TEST(RomId, KeepsAWrongCrcAsWrittenAndOffersTheRightOne) {
    const auto rom = RomId::fromText(u"000000000000A128");
    ASSERT_TRUE(rom);
    EXPECT_EQ(rom->text(), "000000000000A128");
    EXPECT_FALSE(rom->crcValid());
    EXPECT_EQ(rom->withCrcFixed().text(), "750000000000A128");
}

TEST(RomId, RejectsTextThatIsNotSixteenHexDigits) {
    for (const char16_t* text : {u"", u"750000000000A12", u"750000000000A1288", u"75000000000GA128"})
        EXPECT_FALSE(RomId::fromText(text)) << QString::fromUtf16(text).toStdString();
}

struct FrameCase {
    const char* name;
    QByteArray input;
    Command::Status status;
    char letter;
    QByteArray data;
};

class CommandFraming : public ::testing::TestWithParam<FrameCase> {};

TEST_P(CommandFraming, CutsTheStreamIntoCommands) {
    const FrameCase& c = GetParam();
    CommandParser parser;
    const auto commands = parser.feed(c.input);
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(commands[0].status, c.status);
    if (c.status == Command::Status::Ok) {
        EXPECT_EQ(commands[0].letter, c.letter);
        EXPECT_EQ(commands[0].data, c.data);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Commands, CommandFraming,
    ::testing::Values(
        FrameCase{"Reset", "aR\r", Command::Status::Ok, 'R', ""},
        FrameCase{"ResetWithChecksum", withChecksum("aR") + "\r", Command::Status::Ok, 'R', ""},
        FrameCase{"ResetWithWrongChecksum", "aR00\r", Command::Status::BadChecksum, 0, ""},
        FrameCase{"Address", "aA750000000000A128\r", Command::Status::Ok, 'A', "750000000000A128"},
        FrameCase{"AddressWithChecksum", withChecksum("aA750000000000A128") + "\r", Command::Status::Ok, 'A',
                  "750000000000A128"},
        FrameCase{"AddressTooShort", "aA750000000000A1\r", Command::Status::Malformed, 0, ""},
        FrameCase{"AddressNotHex", "aA75000000000XA128\r", Command::Status::Malformed, 0, ""},
        FrameCase{"Block", "aW0144\r", Command::Status::Ok, 'W', "0144"},
        FrameCase{"BlockWithChecksum", withChecksum("aW0ABEFFFFFFFFFFFFFFFFFF") + "\r", Command::Status::Ok,
                  'W', "0ABEFFFFFFFFFFFFFFFFFF"},
        FrameCase{"BlockShorterThanItsCount", "aW0244\r", Command::Status::Malformed, 0, ""},
        FrameCase{"BlockWithOneCharacterTooMany", "aW01440\r", Command::Status::Malformed, 0, ""},
        FrameCase{"Bit", "aB1\r", Command::Status::Ok, 'B', "1"},
        FrameCase{"BitOtherThanZeroOrOne", "aB2\r", Command::Status::Malformed, 0, ""},
        FrameCase{"WholeList", "aS,FF\r", Command::Status::Ok, 'S', ",FF"},
        FrameCase{"WholeListWithChecksum", withChecksum("aC,FF") + "\r", Command::Status::Ok, 'C', ",FF"},
        FrameCase{"FamilySearch", "aF05\r", Command::Status::Ok, 'F', "05"},
        FrameCase{"NextOfSearch", "as\r", Command::Status::Ok, 's', ""},
        FrameCase{"BareReselect", "M", Command::Status::Ok, 'M', ""},
        FrameCase{"UnknownLetter", "aQ\r", Command::Status::Malformed, 0, ""},
        FrameCase{"NoChannelLetter", "R\r", Command::Status::Malformed, 0, ""},
        FrameCase{"AnotherAdaptersChannel", "bR\r", Command::Status::OtherChannel, 0, ""}),
    [](const ::testing::TestParamInfo<FrameCase>& info) { return std::string(info.param.name); });

TEST(CommandFraming, JoinsCommandsSplitAcrossReadsAndSkipsLineFeeds) {
    CommandParser parser;
    EXPECT_TRUE(parser.feed("aW01").empty());
    const auto first = parser.feed("44\r\naR\rM");
    ASSERT_EQ(first.size(), 3u);
    EXPECT_EQ(first[0].letter, 'W');
    EXPECT_EQ(first[1].letter, 'R');
    EXPECT_EQ(first[2].letter, 'M');
}

TEST(CommandFraming, DropsAFrameThatNeverEnds) {
    CommandParser parser;
    EXPECT_TRUE(parser.feed(QByteArray(CommandParser::kMaxFrame * 3, 'a')).empty());
    const auto commands = parser.feed("\raR\r");
    ASSERT_EQ(commands.size(), 2u);
    EXPECT_EQ(commands[0].status, Command::Status::Malformed);
    EXPECT_EQ(commands[1].status, Command::Status::Ok);
}

TEST(AdapterChecksum, AnswersCarryTheirChecksumOnlyInChecksumMode) {
    SimHarness plain(scenarioWith(R"({"rom": "750000000000A128", "temperature": 25})"));
    EXPECT_EQ(plain.send("aA750000000000A128\r"), "750000000000A128\r");

    SimHarness checked(R"({"checksum": true, "devices": [{"rom": "750000000000A128", "temperature": 25}]})");
    EXPECT_EQ(checked.send("aA750000000000A128\r"), withChecksum("750000000000A128") + "\r");
    EXPECT_EQ(checked.send("aW0144\r"), withChecksum("44") + "\r");
    // Reset, bit and empty answers never carry one.
    EXPECT_EQ(checked.send("aR\r"), "P\r");
    EXPECT_EQ(checked.send("aB1\r"), "1\r");
    checked.send("aS\r");
    EXPECT_EQ(checked.send("as\r"), "\r");
}

TEST(AdapterChecksum, RefusesACommandWhoseChecksumIsWrong) {
    SimHarness sim(scenarioWith(R"({"rom": "610000000000C105"})"));
    EXPECT_EQ(sim.send("aA610000000000C10500\r"), "E\r");
    // The refused address never reached the switch.
    EXPECT_EQ(sim.send("aC,FF\r"), "\r");
}

} // namespace kelvara::sim::test
