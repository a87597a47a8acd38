// The time rules of monitoring: when a side is due, when a pass records, and the read log's lines.
#include "monitoring/MonitoringCycle.h"
#include "monitoring/ReadLog.h"
#include "monitoring/TimeOfDay.h"
#include "monitoring/ZoneReader.h"
#include "support/TempSite.h"

#include <gtest/gtest.h>

using namespace kelvara::monitoring;

namespace {
QTime t(const char* hhmmss) {
    return QTime::fromString(QString::fromLatin1(hhmmss), "HH:mm:ss");
}
} // namespace

TEST(TickRules, ASideIsDueAfterItsIntervalOrOnceMidnightHasPassed) {
    struct Case {
        const char* last;
        const char* now;
        double coldSeconds;
        double hotSeconds;
        bool zoneSide;
        bool cookSide;
        bool cold;
        bool hot;
    };
    const Case cases[] = {
        {"10:00:00", "10:04:59", 300, 0, true, false, false, false},
        {"10:00:00", "10:05:00", 300, 0, true, false, true, false},
        {"10:00:00", "10:05:07", 300, 0, true, true, true, false}, // hot interval 0 never comes due
        {"23:58:00", "00:00:05", 300, 0, true, false, true, true}, // negative: due whatever the rest says
        {"23:58:00", "00:00:05", 0, 0, true, true, false,
         false}, // but nothing at all when every interval is 0
        {"10:00:00", "11:00:00", 300, 600, false, true, false, true}, // a cook-only site never reads zones
        {"00:00:00", "00:00:10", 10, 0, true, false, true, false},
    };
    for (const Case& c : cases) {
        const auto due = MonitoringCycle::dueSides(t(c.last), t(c.last), t(c.now), c.coldSeconds,
                                                   c.hotSeconds, c.zoneSide, c.cookSide);
        EXPECT_EQ(due.cold, c.cold) << c.last << " -> " << c.now;
        EXPECT_EQ(due.hot, c.hot) << c.last << " -> " << c.now;
    }
}

TEST(TickRules, IntervalsTakeLargeHoursAndFractionalMinutes) {
    EXPECT_DOUBLE_EQ(TimeOfDay::intervalSeconds(24, 0), 86400);
    EXPECT_DOUBLE_EQ(TimeOfDay::intervalSeconds(0, 2.5), 150);
    EXPECT_DOUBLE_EQ(TimeOfDay::intervalSeconds(1000, 0), 3600000); // no 16-bit overflow
}

TEST(RecordRule, RecordsAWholeIntervalAfterTheRecordedMinute) {
    // Recorded at 10:00:40 is stored as 10:00, so a 15-minute interval is due from 10:15:00.
    EXPECT_FALSE(TimeOfDay::intervalDue(t("10:00:00"), t("10:14:59"), 900));
    EXPECT_TRUE(TimeOfDay::intervalDue(t("10:00:00"), t("10:15:00"), 900));
    EXPECT_TRUE(TimeOfDay::intervalDue(t("23:50:00"), t("00:00:10"), 900)); // first pass after midnight
}

TEST(DisplayValue, ConvertsCalibratesAndRoundsHalvesToEven) {
    EXPECT_EQ(ZoneReader::displayValue(21.0, "F", 0), 70); // 69.8
    EXPECT_EQ(ZoneReader::displayValue(20.5, "C", 0), 20);
    EXPECT_EQ(ZoneReader::displayValue(21.5, "C", 0), 22);
    EXPECT_EQ(ZoneReader::displayValue(38.0, "C", -2), 36);
    EXPECT_EQ(ZoneReader::displayValue(-10.0, "F", 0), 14);
    EXPECT_EQ(ZoneReader::displayValue(20.0, "c", 0.5), 20); // any letter but F is Celsius
}

TEST(ReadLog, ZoneLinesAndHeadingHaveTheirFixedLayout) {
    const QString time = ReadLog::timeText(t("10:15:30"));
    EXPECT_EQ(ReadLog::zoneLine("750000000000A128", "91014B467FFF0C1087\r", t("10:15:30"), 5, "Cooler", "25"),
              "COLD   750000000000A128   91014B467FFF0C1087             " + time + "    5   Cooler   25");
    EXPECT_EQ(ReadLog::zoneLine("Error", "", t("10:15:30"), 12, "Freezer", "NR"),
              "COLD   Error   Error             " + time + "    12   Freezer   NR");
    EXPECT_EQ(ReadLog::zoneLine("Error", "", t("10:15:30"), -1, "X", "NR").indexOf("   -1   "),
              QString("COLD   Error   Error             " + time).size());
    EXPECT_FALSE(time.isEmpty());

    kelvara::test::TempSite site;
    site.write("Kelvara.log", "an old run\r\n");
    ReadLog log;
    ASSERT_TRUE(log.open(site.file("Kelvara.log")));
    ASSERT_TRUE(log.append("COLD   x"));
    log.close();
    EXPECT_EQ(site.read("Kelvara.log"),
              (ReadLog::kHeading + "\r\n" + QString(92, '-') + "\r\nCOLD   x\r\n").toLatin1());
}
