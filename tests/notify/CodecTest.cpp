// The SMS drivers' pure parts: TAP blocks, UCP frames, message parts, dial strings and modem answers.
#include "notify/AnswerReader.h"
#include "notify/DialString.h"
#include "notify/SmsError.h"
#include "notify/SmsText.h"
#include "notify/TapBlocks.h"
#include "notify/UcpFrame.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

using namespace kelvara::notify;

namespace {

QByteArray bytes(const char* text) {
    return QByteArray(text);
}

TEST(TapChecksum, IsTheTwelveLowBitsOfTheByteSumInThreeCharacters) {
    EXPECT_EQ(tap::checksum(bytes("\x02"
                                  "123\rABC\r\x03")),
              "17;");
    EXPECT_EQ(tap::checksum(QByteArray(17, char(0xFF))), "0>?"); // 17 * 255 = 0x10EF
}

struct BlockRow {
    const char* name;
    QStringList fields;
    QList<QStringList> fieldsPerBlock; // empty: too long, nothing built
};

// The fields a block carries for pager 4711, after checking its frame.
QStringList blockFields(const QByteArray& block) {
    EXPECT_LE(block.size(), tap::kBlockLength);
    EXPECT_TRUE(block.startsWith("\x02"
                                 "4711\r"));
    EXPECT_TRUE(block.endsWith('\r'));
    const qsizetype etx = block.indexOf('\x03');
    EXPECT_EQ(block.size() - etx, 5);
    EXPECT_EQ(tap::checksum(block.left(etx + 1)), block.mid(etx + 1, 3));
    QStringList fields = QString::fromLatin1(block.mid(6, etx - 6)).split('\r');
    fields.removeLast(); // after the last field's CR
    return fields;
}

class TapBlockBuilding : public ::testing::TestWithParam<BlockRow> {};

TEST_P(TapBlockBuilding, PutsWholeFieldsIntoBlocksOfAtMost250Characters) {
    const auto built = tap::buildBlocks(QStringLiteral("4711"), GetParam().fields);
    if (GetParam().fieldsPerBlock.isEmpty()) {
        ASSERT_FALSE(built);
        EXPECT_EQ(built.code(), kSmsTooLong);
        return;
    }
    ASSERT_TRUE(built) << built.error().toStdString();
    QList<QStringList> got;
    for (const QByteArray& block : *built)
        got << blockFields(block);
    EXPECT_EQ(got, GetParam().fieldsPerBlock);
}

// A 4-digit id leaves 238 characters for one field, 237 for two together.
const QString k118(118, QLatin1Char('a'));
const QString k119(119, QLatin1Char('a'));
const QString k120(120, QLatin1Char('a'));
const QString k238(238, QLatin1Char('b'));

INSTANTIATE_TEST_SUITE_P(
    Fields, TapBlockBuilding,
    ::testing::Values(
        BlockRow{"ControlCharactersLeaveTheField", {QString("Zone\x02 1\x1b high\x7f")}, {{"Zone 1 high"}}},
        BlockRow{"TwoFieldsThatJustFitShareABlock", {k118, k119}, {{k118, k119}}},
        BlockRow{"AFieldThatDoesNotFitMovesOn", {k119, k119}, {{k119}, {k119}}},
        BlockRow{"ALongFieldIsCutToBlockSize", {k238 + "cc"}, {{k238}, {"cc"}}},
        BlockRow{
            "FiveBlocksAreAllowed", {k120, k120, k120, k120, k120}, {{k120}, {k120}, {k120}, {k120}, {k120}}},
        BlockRow{"SixBlocksAreTooMany", {k120, k120, k120, k120, k120, k120}, {}}),
    [](const auto& info) { return std::string(info.param.name); });

// The log-on and call input frames are pinned byte for byte by the drivers' good sends.
TEST(UcpFrames, CarryTheirLengthAndChecksum) {
    EXPECT_EQ(ucp::checksum("00/00070/O/01/01234567890/09876543210//3/53686F7274204D657373616765/"), "D9");
    EXPECT_EQ(
        ucp::operationFrame(0, "01", {"01234567890", "09876543210", "", "3", ucp::iraHex("Short Message")}),
        bytes("\x02"
              "00/00070/O/01/01234567890/09876543210//3/53686F7274204D657373616765/D9\x03"));
    EXPECT_EQ(ucp::iraHex(QString::fromLatin1("\xe4"
                                              "0")),
              "E430"); // Latin-1, upper case
}

struct ReplyRow {
    const char* body;
    int trn; // -1: not a reply
    bool positive;
    const char* message; // SM, or the negative reply's text
    const char* errorCode;
};

class UcpReplies : public ::testing::TestWithParam<ReplyRow> {};

TEST_P(UcpReplies, AreReadOnlyWhenLengthAndChecksumHold) {
    const auto reply = ucp::parseReply(GetParam().body);
    if (GetParam().trn < 0) {
        EXPECT_FALSE(reply);
        return;
    }
    ASSERT_TRUE(reply);
    EXPECT_EQ(reply->trn, GetParam().trn);
    EXPECT_EQ(reply->positive, GetParam().positive);
    EXPECT_EQ(reply->positive ? reply->systemMessage : reply->text, GetParam().message);
    EXPECT_EQ(reply->errorCode, GetParam().errorCode);
}

// Good replies are read by the drivers' good sends; here the negative one and what is not a reply.
// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Bodies, UcpReplies,
    ::testing::Values(
        ReplyRow{"00/00034/R/60/N/02/Bad password/A2", 0, false, "Bad password", "02"},
        ReplyRow{"00/00019/R/60/A//6E", -1, false, "", ""}, // checksum
        ReplyRow{"00/00020/R/60/A//6D", -1, false, "", ""}, // length
        ReplyRow{"00/00070/O/01/01234567890/09876543210//3/53686F7274204D657373616765/D9", -1, false, "", ""}, // an operation
        ReplyRow{"garbage", -1, false, "", ""}));
// clang-format on

TEST(UcpFrames, AreTakenFromTheLineOneAtATime) {
    QByteArray line = "\r\nx\x02"
                      "00/00019/R/60/A//6D\x03\x02"
                      "01/0";
    EXPECT_EQ(ucp::takeFrame(line), QByteArray("00/00019/R/60/A//6D"));
    EXPECT_FALSE(ucp::takeFrame(line)); // the second one is not whole yet
    line += "\x02"
            "01/00042/R/01/A//X\x03"; // a newer frame cuts the old one off
    EXPECT_EQ(ucp::takeFrame(line), QByteArray("01/00042/R/01/A//X"));
    EXPECT_TRUE(line.isEmpty());
}

struct PartsRow {
    const char* name;
    QString message;
    QStringList parts; // empty: too long
};

class MessageParts : public ::testing::TestWithParam<PartsRow> {};

TEST_P(MessageParts, SplitAtLineBreaksIntoAtMostFiveParts) {
    const auto parts = splitIntoParts(GetParam().message);
    if (GetParam().parts.isEmpty()) {
        ASSERT_FALSE(parts);
        EXPECT_EQ(parts.code(), kSmsTooLong);
        return;
    }
    ASSERT_TRUE(parts);
    EXPECT_EQ(*parts, GetParam().parts);
}

const QString k100 = QString(98, QLatin1Char('x')) + "\r\n";
const QString k200(200, QLatin1Char('y'));

// A short message whole and lines starting the next part are pinned by the drivers' sends.
INSTANTIATE_TEST_SUITE_P(
    Messages, MessageParts,
    ::testing::Values(
        PartsRow{"ControlCharactersGoLineBreaksStay", "Zone\x1a 1\x1b\r\n", {"Zone 1\r\n"}},
        PartsRow{"ALineLongerThanAPartIsCut", k200 + "\r\n", {k200.left(160), k200.mid(160) + "\r\n"}},
        PartsRow{"FivePartsAreAllowed", k100 + k100 + k100 + k100 + k100, {k100, k100, k100, k100, k100}},
        PartsRow{"SixPartsAreTooMany", k100 + k100 + k100 + k100 + k100 + k100, {}}),
    [](const auto& info) { return std::string(info.param.name); });

struct NumberRow {
    const char* number;
    bool subscriber;
    bool dialString;
};

class DialStrings : public ::testing::TestWithParam<NumberRow> {};

TEST_P(DialStrings, HoldOnlyDigitsAndTheModemsDialCharacters) {
    EXPECT_EQ(isSubscriberNumber(GetParam().number), GetParam().subscriber);
    EXPECT_EQ(isDialString(GetParam().number), GetParam().dialString);
}

INSTANTIATE_TEST_SUITE_P(
    Numbers, DialStrings,
    ::testing::Values(NumberRow{"01701234567", true, true}, NumberRow{"+491701234567", true, true},
                      NumberRow{"5550300,,,,4711#", false, true}, NumberRow{"0W123P4T*#", false, true},
                      NumberRow{"", false, false}, NumberRow{"+", false, false},
                      NumberRow{"++49", false, false}, NumberRow{"49+1", false, false},
                      NumberRow{"0170 123", false, false}, NumberRow{"555w1", false, false},
                      NumberRow{"555;", false, false}, NumberRow{"123\r", false, false}));

struct AnswerRow {
    QByteArray arrived;
    QList<QByteArray> lines;
    QByteArray rest;
};

class ModemAnswers : public ::testing::TestWithParam<AnswerRow> {};

TEST_P(ModemAnswers, AreCutIntoLinesAtCrOrLfKeepingAnUnfinishedPrompt) {
    AnswerReader reader;
    // Fed a byte at a time, as a slow line brings it.
    QList<QByteArray> lines;
    for (const char c : GetParam().arrived) {
        reader.feed(QByteArray(1, c));
        while (const auto line = reader.nextLine())
            lines << *line;
    }
    EXPECT_EQ(lines, GetParam().lines);
    EXPECT_EQ(reader.rest(), GetParam().rest);
}

INSTANTIATE_TEST_SUITE_P(
    Answers, ModemAnswers,
    ::testing::Values(AnswerRow{"ATE0\r\r\nOK\r\n", {"ATE0", "OK"}, ""},
                      AnswerRow{"\r\n+CPIN: READY\r\n\r\nOK\r\n", {"+CPIN: READY", "OK"}, ""},
                      AnswerRow{"\r\n> ", {}, "> "}, AnswerRow{"ID=", {}, "ID="},
                      AnswerRow{"110 1.8\r\x06\r\x1b[p\r", {"110 1.8", "\x06", "\x1b[p"}, ""}));

} // namespace
