// Framing of adapter commands and their checksums, and the ROM id forms the adapter prints.
#include "sim/CommandParser.h"
#include "sim/Hex.h"
#include "sim/RomId.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

namespace kelvara::sim::test {

namespace {
// The same command with its checksum appended.
QByteArray withChecksum(const QByteArray& command) {
    return command + hexByte(lineChecksum(command));
}
} // namespace

// The ROM example of the 1-Wire CRC application note: family 02, serial 0000 0001 B81C, CRC A2.
TEST(RomId, PrintsCrcFirstAndFamilyLastAndKeepsAWrongCrcAsWritten) {
    const RomId rom = RomId::withValidCrc(0x02, 0x000001B81CULL);
    EXPECT_EQ(rom.text(), "A200000001B81C02");
    EXPECT_EQ(rom.family(), 0x02);
    EXPECT_TRUE(rom.crcValid());
    EXPECT_EQ(RomId::fromText(u"a200000001b81c02"), rom);

    const auto wrong = RomId::fromText(u"000000000000A128");
    ASSERT_TRUE(wrong);
    EXPECT_EQ(wrong->text(), "000000000000A128");
    EXPECT_FALSE(wrong->crcValid());
    EXPECT_EQ(wrong->withCrcFixed().text(), "750000000000A128");

    for (const char16_t* text : {u"", u"750000000000A12", u"750000000000A1288", u"75000000000GA128"})
        EXPECT_FALSE(RomId::fromText(text)) << QString::fromUtf16(text).toStdString();
}

struct FrameCase {
    const char* name;
    QByteArray input;
    Command::Status status{};
    char letter = 0;
    QByteArray data{};
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

// Commands framed the plain way are read in the adapter dialogues; these are the checksummed and the broken
// ones.
constexpr auto kOk = Command::Status::Ok;
constexpr auto kMalformed = Command::Status::Malformed;
const FrameCase kFrames[] = {
    {"ResetWithChecksum", withChecksum("aR") + "\r", kOk, 'R'},
    {"ResetWithWrongChecksum", "aR00\r", Command::Status::BadChecksum},
    {"AddressWithChecksum", withChecksum("aA750000000000A128") + "\r", kOk, 'A', "750000000000A128"},
    {"AddressTooShort", "aA750000000000A1\r", kMalformed},
    {"AddressNotHex", "aA75000000000XA128\r", kMalformed},
    {"BlockWithChecksum", withChecksum("aW0ABEFFFFFFFFFFFFFFFFFF") + "\r", kOk, 'W',
     "0ABEFFFFFFFFFFFFFFFFFF"},
    {"BlockShorterThanItsCount", "aW0244\r", kMalformed},
    {"BlockWithOneCharacterTooMany", "aW01440\r", kMalformed},
    {"BitOtherThanZeroOrOne", "aB2\r", kMalformed},
    {"WholeListWithChecksum", withChecksum("aC,FF") + "\r", kOk, 'C', ",FF"},
    {"UnknownLetter", "aQ\r", kMalformed},
    {"NoChannelLetter", "R\r", kMalformed},
    {"AnotherAdaptersChannel", "bR\r", Command::Status::OtherChannel}};

INSTANTIATE_TEST_SUITE_P(Commands, CommandFraming, ::testing::ValuesIn(kFrames),
                         [](const ::testing::TestParamInfo<FrameCase>& info) {
                             return std::string(info.param.name);
                         });

TEST(CommandFraming, JoinsCommandsSplitAcrossReadsSkipsLineFeedsAndDropsAFrameThatNeverEnds) {
    CommandParser parser;
    EXPECT_TRUE(parser.feed("aW01").empty());
    const auto first = parser.feed("44\r\naR\rM");
    ASSERT_EQ(first.size(), 3u);
    EXPECT_EQ(first[0].letter, 'W');
    EXPECT_EQ(first[1].letter, 'R');
    EXPECT_EQ(first[2].letter, 'M');

    EXPECT_TRUE(parser.feed(QByteArray(CommandParser::kMaxFrame * 3, 'a')).empty());
    const auto commands = parser.feed("\raR\r");
    ASSERT_EQ(commands.size(), 2u);
    EXPECT_EQ(commands[0].status, Command::Status::Malformed);
    EXPECT_EQ(commands[1].status, Command::Status::Ok);
}

} // namespace kelvara::sim::test
