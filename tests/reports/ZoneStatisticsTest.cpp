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

// A zone's figures on one line: "zone unit readings noReading minimum maximum average", "-" for no value.
QString line(const reports::ZoneFigures& f) {
    const auto number = [](const std::optional<double>& v) {
        return v ? QString::number(*v) : QStringLiteral("-");
    };
    return QStringList{f.zone,
                       f.tempType,
                       QString::number(f.readings),
                       QString::number(f.noReading),
                       number(f.minimum),
                       number(f.maximum),
                       number(f.average)}
        .join(QLatin1Char(' '));
}

QStringList lines(const std::vector<reports::ZoneFigures>& figures) {
    QStringList result;
    for (const reports::ZoneFigures& f : figures)
        result << line(f);
    return result;
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
    // Room 5 reads its own Temp5 column, its ";" kept; a value that is no number counts neither way.
    EXPECT_EQ(lines(stats.days[0].zones), QStringList({"1 - Cooler F 2 0 35 36 35.5", "2 - Dock F 0 2 - - -",
                                                       "5 - North; walk-in F 1 0 40.5 40.5 40.5"}));
    EXPECT_FALSE(stats.days[1].hasRecords);
    EXPECT_TRUE(stats.days[1].zones.empty());
    // Day 3 has no value at all for room 2: no line for it.
    EXPECT_EQ(lines(stats.days[2].zones),
              QStringList({"1 - Cooler F 0 1 - - -", "5 - North; walk-in F 1 0 41 41 41"}));
    EXPECT_EQ(lines(stats.summary), QStringList({"1 - Cooler F 2 1 35 36 35.5", "2 - Dock F 0 2 - - -",
                                                 "5 - North; walk-in F 2 0 40.5 41 40.8"}));
}

TEST(ZoneStatistics, TwoUnitsNeverMix) {
    const QDate day(2026, 7, 1);
    const std::vector<store::MonitorRow> rows{reading(day, "F", {{1, "32"}}), reading(day, "C", {{1, "0"}}),
                                              reading(day, "F", {{1, "34"}})};
    const auto stats = ZoneStatistics::compute(rows, {zone(1, "Cooler")}, day, day);
    EXPECT_EQ(lines(stats.summary), QStringList({"1 - Cooler C 1 0 0 0 0", "1 - Cooler F 2 0 32 34 33"}));
}

TEST(ZoneStatistics, AFromDateAfterTheToDateHasNoDays) {
    const QDate day(2026, 7, 1);
    const auto stats =
        ZoneStatistics::compute({reading(day, "F", {{1, "32"}})}, {zone(1, "Cooler")}, day.addDays(1), day);
    EXPECT_TRUE(stats.days.empty());
    EXPECT_TRUE(stats.summary.empty());
}

} // namespace
