// The daily temperature figures: readings and "NR" counts, minimum, maximum and the rounded average per zone
// by Room, days without records, a line per unit, and the summary of the range.
#include "reports/ZoneStatistics.h"

#include <gtest/gtest.h>

using namespace kelvara;
using reports::ZoneStatistics;

namespace {

reports::ReportZone zone(int room, const char* name) {
    return {room, QString::number(room) + QStringLiteral(" - ") + QString::fromUtf8(name)};
}

store::MonitorRow reading(const QDate& day, const char* unit,
                          std::vector<std::pair<int, const char*>> values) {
    store::MonitorRow row;
    row.RecDate = day;
    row.RecTime = QTime(8, 0);
    row.TempType = QString::fromLatin1(unit);
    for (const auto& [room, value] : values)
        row.setTemp(room, QString::fromLatin1(value));
    return row;
}

TEST(ZoneStatistics, AveragesRoundToOneDecimalWithHalvesAwayFromZero) {
    struct Case {
        double sum;
        int count;
        double average;
    };
    for (const Case& c : {Case{4.5, 2, 2.3}, Case{-4.5, 2, -2.3}, Case{0.3, 2, 0.2}, Case{0.1, 3, 0.0},
                          Case{100, 3, 33.3}, Case{0.0625 * 4 + 0.05 * 2, 2, 0.2}, Case{-0.1, 2, -0.1}})
        EXPECT_DOUBLE_EQ(ZoneStatistics::roundedAverage(c.sum, c.count), c.average)
            << c.sum << "/" << c.count;
}

TEST(ZoneStatistics, FiguresPerDayAndZoneByRoomWithEmptyDaysAndTheSummary) {
    const QDate day(2026, 7, 1);
    const std::vector<reports::ReportZone> zones{zone(5, "North; walk-in"), zone(1, "Cooler"),
                                                 zone(2, "Dock"), zone(25, "Nowhere")};
    const std::vector<store::MonitorRow> rows{
        reading(day, "F", {{1, "35"}, {2, "NR"}, {5, "40.5"}}),
        reading(day, "F", {{1, "36"}, {2, "NR"}, {5, "x"}}),
        reading(day.addDays(2), "F", {{1, "NR"}, {5, "41"}}),
    };
    const auto stats = ZoneStatistics::compute(rows, zones, day, day.addDays(2));
    ASSERT_EQ(stats.days.size(), 3U);
    const auto& first = stats.days[0].zones;
    ASSERT_EQ(first.size(), 3U);
    EXPECT_EQ(first[0].zone, "1 - Cooler");
    EXPECT_EQ(first[0].readings, 2);
    EXPECT_EQ(first[0].noReading, 0);
    EXPECT_EQ(first[0].minimum, 35.0);
    EXPECT_EQ(first[0].maximum, 36.0);
    EXPECT_EQ(first[0].average, 35.5);
    EXPECT_EQ(first[1].zone, "2 - Dock");
    EXPECT_EQ(first[1].readings, 0);
    EXPECT_EQ(first[1].noReading, 2);
    EXPECT_FALSE(first[1].average.has_value());
    EXPECT_EQ(first[2].zone, "5 - North; walk-in"); // its own Temp5 column, the ";" kept
    EXPECT_EQ(first[2].readings, 1);
    EXPECT_EQ(first[2].tempType, "F");

    EXPECT_FALSE(stats.days[1].hasRecords);
    EXPECT_TRUE(stats.days[1].zones.empty());
    // Day 3 has no value at all for room 2: no line for it.
    ASSERT_EQ(stats.days[2].zones.size(), 2U);

    ASSERT_EQ(stats.summary.size(), 3U);
    EXPECT_EQ(stats.summary[0].readings, 2);
    EXPECT_EQ(stats.summary[0].noReading, 1);
    EXPECT_EQ(stats.summary[2].minimum, 40.5);
    EXPECT_EQ(stats.summary[2].maximum, 41.0);
    EXPECT_EQ(stats.summary[2].average, 40.8);
}

TEST(ZoneStatistics, TwoUnitsNeverMix) {
    const QDate day(2026, 7, 1);
    const std::vector<store::MonitorRow> rows{reading(day, "F", {{1, "32"}}), reading(day, "C", {{1, "0"}}),
                                              reading(day, "F", {{1, "34"}})};
    const auto stats = ZoneStatistics::compute(rows, {zone(1, "Cooler")}, day, day);
    ASSERT_EQ(stats.summary.size(), 2U);
    EXPECT_EQ(stats.summary[0].tempType, "C");
    EXPECT_EQ(stats.summary[0].average, 0.0);
    EXPECT_EQ(stats.summary[1].tempType, "F");
    EXPECT_EQ(stats.summary[1].average, 33.0);
    EXPECT_EQ(stats.summary[1].readings, 2);
}

TEST(ZoneStatistics, AFromDateAfterTheToDateHasNoDays) {
    const QDate day(2026, 7, 1);
    const auto stats =
        ZoneStatistics::compute({reading(day, "F", {{1, "32"}})}, {zone(1, "Cooler")}, day.addDays(1), day);
    EXPECT_TRUE(stats.days.empty());
    EXPECT_TRUE(stats.summary.empty());
}

} // namespace
