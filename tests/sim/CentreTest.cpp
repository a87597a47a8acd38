// The message centres' own answers that the drivers do not reach: an empty password, blocks that are too
// long, broken or in pieces, and UCP frames that are damaged, early or unknown, or meet a fault of the line.
#include "ModemHarness.h"

#include <gtest/gtest.h>

namespace kelvara::sim::test {

namespace {
const QByteArray kLogOn = "\x1bPG1\r";
const QByteArray kAck = "\x06\r";
const QByteArray kNak = "\x15\r";
const QByteArray kWelcome = "110 1.8\r" + kAck + "\x1b[p\r";
const QByteArray kSent = "211 Page Sent\r" + kAck;
const QByteArray kPublishedUcp = "\x02"
                                 "00/00070/O/01/01234567890/09876543210//3/53686F7274204D657373616765/D9\x03";

QByteArray brokenChecksum(QByteArray block) {
    block[block.size() - 2] = '0';
    return block;
}
} // namespace

struct TapCase {
    const char* name;
    QByteArray block;
    QByteArray blockAnswer;
    const char* delivered; // none when null
};

class TapAnswers : public ::testing::TestWithParam<TapCase> {};

// A centre without a password: the id prompt, the log-on, then one block.
TEST_P(TapAnswers, AnswerTheBlock) {
    TapCentre centre("", LineFault::None);
    EXPECT_EQ(centre.receive("\r").bytes, "ID=");
    EXPECT_EQ(centre.receive(kLogOn).bytes, kWelcome);
    const CentreReply block = centre.receive(GetParam().block);
    EXPECT_EQ(block.bytes, GetParam().blockAnswer);
    std::vector<ModemMessage> delivered;
    if (GetParam().delivered)
        delivered.push_back({"tap", "1", GetParam().delivered});
    EXPECT_EQ(block.messages, delivered);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Centres, TapAnswers,
    ::testing::Values(
        TapCase{"FieldsBecomeLines", tapBlock("1", {"Cold room 3 high", "Freezer low"}), kSent, "Cold room 3 high\r\nFreezer low\r\n"},
        TapCase{"BrokenChecksum", brokenChecksum(tapBlock("1", {"a"})), kNak, nullptr},
        TapCase{"BlockOverTheLimit", tapBlock("1", {QByteArray(250, 'x')}), kNak, nullptr},
        TapCase{"BlockArrivingInPieces", "\r\n" + tapBlock("1", {"a"}), kSent, "a\r\n"}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

struct UcpCase {
    const char* name;
    QByteArray password;
    LineFault fault;
    QByteArray frame;
    QByteArray answer;
};

class UcpAnswers : public ::testing::TestWithParam<UcpCase> {};

TEST_P(UcpAnswers, AnswerOneFrameAndDeliverNothing) {
    UcpCentre centre(GetParam().password, GetParam().fault);
    const CentreReply reply = centre.receive(GetParam().frame);
    EXPECT_EQ(reply.bytes, GetParam().answer);
    EXPECT_TRUE(reply.messages.empty());
}

QByteArray refused(const char* trn, const char* operation, const char* code, const char* text) {
    return UcpCentre::frame(trn, QByteArray("R/") + operation + "/N/" + code + "/" + text + "/");
}

const QByteArray kLogOnPw = UcpCentre::frame("00", "O/60//6/5/1/7077//0100//////");

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Centres, UcpAnswers,
    ::testing::Values(
        UcpCase{"WrongChecksum", "", LineFault::None, QByteArray(kPublishedUcp).replace("D9\x03", "D8\x03"), refused("00", "01", "01", "Checksum error")},
        UcpCase{"WrongLength", "", LineFault::None, "\x02" "00/00071/O/01/01234567890/09876543210//3/53686F7274204D657373616765/DA\x03", refused("00", "01", "02", "Syntax error")},
        UcpCase{"NotHex", "", LineFault::None, UcpCentre::frame("00", "O/01/1///3/4G/"), refused("00", "01", "02", "Syntax error")},
        UcpCase{"CallInputBeforeLogOn", "pw", LineFault::None, kPublishedUcp, refused("00", "01", "07", "Authentication failure")},
        UcpCase{"UnknownOperation", "", LineFault::None, UcpCentre::frame("04", "O/31/1/0539/"), refused("04", "31", "03", "Operation not supported")},
        UcpCase{"NakFault", "", LineFault::Nak, kPublishedUcp, refused("00", "01", "02", "Syntax error")},
        UcpCase{"NakFaultOnLogOn", "pw", LineFault::Nak, kLogOnPw, refused("00", "60", "02", "Syntax error")},
        UcpCase{"SilentFault", "", LineFault::Silent, kPublishedUcp, ""}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

} // namespace kelvara::sim::test
