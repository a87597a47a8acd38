// Answer cleaning, the active-switch list and the port choice lists.
#include "sensornet/AdapterProtocol.h"

#include "sensornet/PortLists.h"
#include "sensornet/SwitchList.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

using namespace kelvara::sensornet;

namespace {

struct CleanRow {
    const char* answer;
    const char* cleaned;
};

void PrintTo(const CleanRow& r, std::ostream* os) {
    PrintTo(QString::fromLatin1(r.answer), os);
}

class CleanAnswer : public ::testing::TestWithParam<CleanRow> {};

TEST_P(CleanAnswer, RemovesCarriageReturnsAndRejectsShortRemainders) {
    EXPECT_EQ(protocol::cleanAnswer(QString::fromLatin1(GetParam().answer)),
              QString::fromLatin1(GetParam().cleaned));
}

INSTANTIATE_TEST_SUITE_P(Answers, CleanAnswer,
                         ::testing::Values(CleanRow{"\r1234\r", "1234"},
                                           CleanRow{"750000000000A128\r", "750000000000A128"},
                                           CleanRow{"75000000\r0000A128\r\r", "750000000000A128"},
                                           CleanRow{"ABC", "Error"}, CleanRow{"A1\r", "Error"},
                                           CleanRow{"\r\r\r\r\r", "Error"}, CleanRow{"", "Error"},
                                           CleanRow{"Error", "Error"}));

struct ChecksumRow {
    const char* answer;
    const char* checked;
};

void PrintTo(const ChecksumRow& r, std::ostream* os) {
    PrintTo(QString::fromLatin1(r.answer), os);
}

class LineChecksums : public ::testing::TestWithParam<ChecksumRow> {};

TEST_P(LineChecksums, AreCheckedAndRemovedLineByLine) {
    EXPECT_EQ(protocol::withoutLineChecksums(QString::fromLatin1(GetParam().answer)),
              QString::fromLatin1(GetParam().checked));
}

INSTANTIATE_TEST_SUITE_P(
    Answers, LineChecksums,
    ::testing::Values(ChecksumRow{"750000000000A12828\r", "750000000000A128\r"},
                      ChecksumRow{"610000000000C10520\r8A0000000000B70537\r\r",
                                  "610000000000C105\r8A0000000000B705\r\r"},
                      ChecksumRow{"4468\r", "44\r"},
                      // A damaged line is emptied; its neighbours stay.
                      ChecksumRow{"610000000000C10521\r8A0000000000B70537\r\r", "\r8A0000000000B705\r\r"},
                      ChecksumRow{"610000000000C1052G\r", "\r"}, ChecksumRow{"44\r", "\r"},
                      // Reset, bit and error answers carry none.
                      ChecksumRow{"P\r", "P\r"}, ChecksumRow{"N\r", "N\r"}, ChecksumRow{"1\r", "1\r"},
                      ChecksumRow{"\r", "\r"}, ChecksumRow{"", ""},
                      // An unfinished line waits for its carriage return.
                      ChecksumRow{"610000000000C10520\r8A00000", "610000000000C105\r8A00000"}));

TEST(SwitchList, SplitsTheAnswerIntoWholeEntriesAndFindsALampWhereverItsIdStands) {
    const QString lamp1 = QStringLiteral("610000000000C105");
    const QString lamp2 = QStringLiteral("8A0000000000B705");
    const QString other = QStringLiteral("120000000000AB12");
    const QString cookLamp = QStringLiteral("3C0000000000E105");
    const SwitchList list(lamp1 + "\r" + other + "\r" + lamp2 + "\r" + cookLamp.left(9));
    ASSERT_EQ(list.entries().size(), 3u); // the cut-off entry does not count
    EXPECT_EQ(list.entries()[0].text, lamp1 + "\r");
    EXPECT_EQ(list.entries()[2].romId(), lamp2);
    EXPECT_EQ(list.entries()[2].family(), "05");
    EXPECT_TRUE(list.isOn(lamp1));
    EXPECT_TRUE(list.isOn(lamp2));
    EXPECT_FALSE(list.isOn(cookLamp));
    EXPECT_FALSE(list.isOn(QString()));
    const auto lamps = list.ofFamily("05");
    ASSERT_EQ(lamps.size(), 2u);
    EXPECT_EQ(lamps[0].romId(), lamp1);
    EXPECT_EQ(lamps[1].romId(), lamp2);
    EXPECT_TRUE(SwitchList(QStringLiteral("\r")).entries().empty());
}

TEST(PortLists, OffersLeadingDevicesThenSystemPortsThenFifteenComPorts) {
    const PortLists lists = PortLists::build({"Modem A"}, {"/dev/ttyUSB0", "/dev/ttyS0"});
    ASSERT_EQ(lists.ports.size(), 18);
    EXPECT_EQ(lists.ports.mid(0, 4), QStringList({"Modem A", "/dev/ttyUSB0", "/dev/ttyS0", "Com1"}));
    EXPECT_EQ(lists.ports.last(), "Com15");
    EXPECT_EQ(comPortNumber("Com15"), 15);
    EXPECT_FALSE(comPortNumber("/dev/ttyUSB0").has_value());
}

} // namespace
