// The message centres behind the modem's numbers: the published checksums, a TAP session with its log-on,
// blocks and goodbye, and UCP frames with their positive and negative acknowledgements.
#include "ModemHarness.h"

#include <gtest/gtest.h>

namespace kelvara::sim::test {

namespace {
const QByteArray kEsc = "\x1b";
const QByteArray kAck = "\x06\r";
const QByteArray kNak = "\x15\r";
const QByteArray kGoodbye = "\x1b\x04\r";
const QByteArray kWelcome = "110 1.8\r" + kAck + "\x1b[p\r";
const QByteArray kPublishedUcp = "00/00070/O/01/01234567890/09876543210//3/53686F7274204D657373616765/D9";

QByteArray ucpAnswer(const QByteArray& trn, const QByteArray& rest) {
    return UcpCentre::frame(trn, rest);
}
} // namespace

TEST(Centres, ChecksumsMatchThePublishedExamples) {
    EXPECT_EQ(TapCentre::checksum("\x02"
                                  "123\rABC\r\x03"),
              "17;");
    EXPECT_EQ(UcpCentre::checksum(kPublishedUcp.chopped(2)), "D9");
    // The frame builder fills in the length the same way.
    EXPECT_EQ(UcpCentre::frame("00", "O/01/01234567890/09876543210//3/53686F7274204D657373616765/"),
              "\x02" + kPublishedUcp + "\x03");
}

TEST(Centres, TapSessionThroughTheModemFromCallToGoodbye) {
    ModemHarness hayes(kHayes);
    EXPECT_EQ(hayes.dial("5550100"), result("CONNECT 9600"));
    EXPECT_EQ(hayes.send("\r"), "ID=");
    EXPECT_EQ(hayes.send(kEsc + "PG1secret\r"), kWelcome);
    EXPECT_EQ(hayes.send(tapBlock("4711", {"Cold room 3 high", "Freezer low"})), "211 Page Sent\r" + kAck);
    QByteArray broken = tapBlock("4711", {"again"});
    broken[broken.size() - 2] = '0';
    EXPECT_EQ(hayes.send(broken), kNak);
    EXPECT_EQ(hayes.send("\x04\r"), "115 Thank you\r" + kGoodbye + result("NO CARRIER"));
    const std::vector<ModemMessage> expected = {{"tap", "4711", "Cold room 3 high\r\nFreezer low\r\n"}};
    EXPECT_EQ(hayes.modem().messages(), expected);
    EXPECT_EQ(hayes.send("ATH0\r"), result("OK"));
}

struct TapCase {
    const char* name;
    QByteArray password; // the centre's
    LineFault fault;
    QByteArray logOn;
    QByteArray logOnAnswer;
    QByteArray block;
    QByteArray blockAnswer;
};

class TapAnswers : public ::testing::TestWithParam<TapCase> {};

TEST_P(TapAnswers, AnswerLogOnAndBlock) {
    const TapCase& c = GetParam();
    TapCentre centre(c.password, c.fault);
    EXPECT_EQ(centre.receive("\r").bytes, c.fault == LineFault::Silent ? "" : "ID=");
    const CentreReply logOn = centre.receive(c.logOn);
    EXPECT_EQ(logOn.bytes, c.logOnAnswer);
    EXPECT_EQ(logOn.hangUp, c.logOnAnswer == kGoodbye);
    const CentreReply block = centre.receive(c.block);
    EXPECT_EQ(block.bytes, c.blockAnswer);
    EXPECT_EQ(block.messages.size(), c.blockAnswer.endsWith(kAck) ? 1u : 0u);
}

INSTANTIATE_TEST_SUITE_P(Centres, TapAnswers,
                         ::testing::Values(TapCase{"EmptyPassword", "", LineFault::None, kEsc + "PG1\r",
                                                   kWelcome, tapBlock("1", {"a"}), "211 Page Sent\r" + kAck},
                                           TapCase{"WrongPassword", "secret", LineFault::None,
                                                   kEsc + "PG1guess\r", kGoodbye, tapBlock("1", {"a"}), ""},
                                           TapCase{"NakFault", "", LineFault::Nak, kEsc + "PG1\r", kWelcome,
                                                   tapBlock("1", {"a"}), kNak},
                                           TapCase{"RejectFault", "", LineFault::Reject, kEsc + "PG1\r",
                                                   kWelcome, tapBlock("1", {"a"}), "\x1e\r"},
                                           TapCase{"SilentFault", "", LineFault::Silent, kEsc + "PG1\r", "",
                                                   tapBlock("1", {"a"}), ""},
                                           TapCase{"BlockOverTheLimit", "", LineFault::None, kEsc + "PG1\r",
                                                   kWelcome, tapBlock("1", {QByteArray(250, 'x')}), kNak},
                                           TapCase{"BlockArrivingInPieces", "", LineFault::None,
                                                   kEsc + "PG1\r", kWelcome, "\r\n" + tapBlock("1", {"a"}),
                                                   "211 Page Sent\r" + kAck}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Centres, UcpLogOnThenCallInputsWithRisingTransactionNumbers) {
    UcpCentre centre("pw", LineFault::None);
    // The password "pw" as IRA hex.
    EXPECT_EQ(centre.receive(UcpCentre::frame("00", "O/60/123/6/5/1/7077//0100//////")).bytes,
              ucpAnswer("00", "R/60/A//"));
    CentreReply reply = centre.receive(UcpCentre::frame("01", "O/01/0170111///3/4869/"));
    EXPECT_EQ(reply.bytes, ucpAnswer("01", "R/01/A/0170111:000000000001/"));
    EXPECT_EQ(reply.messages, (std::vector<ModemMessage>{{"ucp", "0170111", "Hi"}}));
    reply = centre.receive(UcpCentre::frame("02", "O/01/0170111///3/4C6F77/"));
    EXPECT_EQ(reply.bytes, ucpAnswer("02", "R/01/A/0170111:000000000002/"));
    EXPECT_EQ(reply.messages, (std::vector<ModemMessage>{{"ucp", "0170111", "Low"}}));
}

struct UcpCase {
    const char* name;
    QByteArray password;
    LineFault fault;
    QByteArray frame;
    QByteArray answer;
};

class UcpAnswers : public ::testing::TestWithParam<UcpCase> {};

TEST_P(UcpAnswers, AnswerOneFrame) {
    UcpCentre centre(GetParam().password, GetParam().fault);
    const CentreReply reply = centre.receive(GetParam().frame);
    EXPECT_EQ(reply.bytes, GetParam().answer);
    EXPECT_EQ(reply.messages.size(), GetParam().answer.contains("/A/") ? 1u : 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Centres, UcpAnswers,
    ::testing::Values(UcpCase{"WithoutPasswordNoLogOnNeeded", "", LineFault::None,
                              "\x02" + kPublishedUcp + "\x03",
                              ucpAnswer("00", "R/01/A/01234567890:000000000001/")},
                      UcpCase{"WrongChecksum", "", LineFault::None,
                              "\x02" + kPublishedUcp.chopped(2) + "D8\x03",
                              ucpAnswer("00", "R/01/N/01/Checksum error/")},
                      UcpCase{"WrongLength", "", LineFault::None,
                              "\x02"
                              "00/00071/O/01/01234567890/09876543210//3/53686F7274204D657373616765/DA\x03",
                              ucpAnswer("00", "R/01/N/02/Syntax error/")},
                      UcpCase{"NotHex", "", LineFault::None, UcpCentre::frame("00", "O/01/1///3/4G/"),
                              ucpAnswer("00", "R/01/N/02/Syntax error/")},
                      UcpCase{"WrongPassword", "pw", LineFault::None,
                              UcpCentre::frame("00", "O/60//6/5/1/7078//0100//////"),
                              ucpAnswer("00", "R/60/N/07/Authentication failure/")},
                      UcpCase{"CallInputBeforeLogOn", "pw", LineFault::None, "\x02" + kPublishedUcp + "\x03",
                              ucpAnswer("00", "R/01/N/07/Authentication failure/")},
                      UcpCase{"UnknownOperation", "", LineFault::None, UcpCentre::frame("04", "O/31/1/0539/"),
                              ucpAnswer("04", "R/31/N/03/Operation not supported/")},
                      UcpCase{"NakFault", "", LineFault::Nak, "\x02" + kPublishedUcp + "\x03",
                              ucpAnswer("00", "R/01/N/02/Syntax error/")},
                      UcpCase{"NakFaultOnLogOn", "pw", LineFault::Nak,
                              UcpCentre::frame("00", "O/60//6/5/1/7077//0100//////"),
                              ucpAnswer("00", "R/60/N/02/Syntax error/")},
                      UcpCase{"RejectFault", "", LineFault::Reject, "\x02" + kPublishedUcp + "\x03",
                              ucpAnswer("00", "R/01/N/04/Operation not allowed/")},
                      UcpCase{"SilentFault", "", LineFault::Silent, "\x02" + kPublishedUcp + "\x03", ""}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace kelvara::sim::test
