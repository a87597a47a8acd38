// The chart's rows from a real zone database: zone list texts by Room, hourly and daily rows with their
// labels, the first record of each hour or day, empty rows and "NR" cells, days of 23 and 25 hours, empty
// ranges, the pixel-column envelope, the CSV form, and the row lookup going through the index.
#include "reports/ChartData.h"

#include "support/SiteDatabases.h"
#include "support/TempSite.h"
#include "support/ZoneRows.h"

#include <QSqlQuery>
#include <gtest/gtest.h>

using namespace kelvara;
using reports::ChartData;
using reports::ChartZone;

namespace {

class ChartDataTest : public ::testing::Test {
protected:
    ChartDataTest() : kvr(test::createOpenDatabase(site, store::DatabaseKind::Kvr)) {
        test::addZones(*kvr, {{1, "Cooler"}, {2, "Freezer"}, {5, "Dock"}});
    }

    void record(const QDate& day, const QTime& time, const std::vector<std::pair<int, QString>>& values) {
        test::addReading(*kvr, day, time, values, QStringLiteral("F"));
    }

    reports::ChartTable load(const QDate& from, const QDate& to) {
        auto zones = ChartData(*kvr).zoneList();
        EXPECT_TRUE(zones.ok());
        auto table = ChartData(*kvr).load(*zones, from, to);
        EXPECT_TRUE(table.ok()) << table.error().toStdString();
        return *table;
    }

    static std::vector<std::optional<double>> values(std::initializer_list<std::optional<double>> cells) {
        return cells;
    }

    test::TempSite site;
    std::unique_ptr<store::Database> kvr;
    const QDate day{2026, 3, 8};
};

TEST_F(ChartDataTest, ZoneListGoesByRoomAndLeavesOutRoomsWithoutAColumn) {
    test::addZones(*kvr, {{21, "Yard"}});
    auto zones = ChartData(*kvr).zoneList();
    ASSERT_TRUE(zones.ok());
    QStringList listed;
    for (const ChartZone& zone : *zones)
        listed << QString::number(zone.room) + " " + zone.text;
    EXPECT_EQ(listed, QStringList({"1 1-Cooler", "2 2-Freezer", "5 5-Dock"}));
}

TEST_F(ChartDataTest, HourLabelsRunFromMidnightThroughNoon) {
    const std::vector<std::pair<int, const char*>> cases{{0, "12:00 am"},  {1, "1:00 am"},  {11, "11:00 am"},
                                                         {12, "12:00 pm"}, {13, "1:00 pm"}, {23, "11:00 pm"}};
    for (const auto& [hour, label] : cases)
        EXPECT_EQ(ChartData::hourLabel(hour), QString::fromLatin1(label)) << hour;
}

TEST_F(ChartDataTest, OneDayGivesTheFirstRecordOfEachHourAndEmptyHours) {
    record(day, QTime(0, 0), {{1, "35"}, {2, "0"}, {5, "40"}});
    record(day, QTime(0, 30), {{1, "36"}, {2, "1"}, {5, "41"}});
    record(day, QTime(3, 59), {{1, "NR"}, {2, "-2.5"}, {5, "42"}});
    record(day, QTime(23, 59), {{1, "37"}, {2, "2"}, {5, "43"}});
    record(day.addDays(1), QTime(0, 0), {{1, "99"}, {2, "99"}, {5, "99"}});
    const auto table = load(day, day);
    ASSERT_EQ(table.rowCount(), 24);
    EXPECT_EQ(table.columns, QStringList({"1-Cooler", "2-Freezer", "5-Dock"}));
    EXPECT_EQ(table.rowLabels.first(), QStringLiteral("12:00 am"));
    EXPECT_EQ(table.rowLabels.last(), QStringLiteral("11:00 pm"));
    EXPECT_EQ(table.cells[0], values({35, 0, 40}));
    EXPECT_EQ(table.cells[1], values({{}, {}, {}}));
    // "NR" leaves its own cell empty only; room 5 reads Temp5, not the third column.
    EXPECT_EQ(table.cells[3], values({{}, -2.5, 42}));
    EXPECT_EQ(table.cells[23], values({37, 2, 43}));
    EXPECT_EQ(table.footnote, QStringLiteral("From: 03/08/2026 To: 03/08/2026"));
}

TEST_F(ChartDataTest, DaysOf23And25HoursKeepTheirHours) {
    // Clocks forward: no record in hour 2. Clocks back: hour 1 recorded twice, the first pass counts.
    for (const QTime& time : {QTime(1, 0), QTime(3, 0)})
        record(day, time, {{1, QString::number(time.hour())}});
    const QDate autumn(2026, 11, 1);
    record(autumn, QTime(1, 0), {{1, "10"}});
    record(autumn, QTime(1, 30), {{1, "11"}});
    record(autumn, QTime(1, 0), {{1, "20"}});
    record(autumn, QTime(2, 0), {{1, "30"}});
    const auto spring = load(day, day);
    EXPECT_EQ(spring.cells[1][0], 1.0);
    EXPECT_EQ(spring.cells[2][0], std::nullopt);
    EXPECT_EQ(spring.cells[3][0], 3.0);
    const auto fall = load(autumn, autumn);
    EXPECT_EQ(fall.cells[1][0], 10.0);
    EXPECT_EQ(fall.cells[2][0], 30.0);
}

TEST_F(ChartDataTest, DailyRowsShowEachDaysFirstRecordAndLeaveEmptyDaysEmpty) {
    record(day, QTime(23, 59), {{1, "5"}});
    record(day.addDays(1), QTime(0, 0), {{1, "6"}}); // midnight belongs to its own day
    record(day.addDays(1), QTime(12, 0), {{1, "7"}});
    record(day.addDays(3), QTime(8, 0), {{1, "NR"}, {2, "8"}});
    const auto table = load(day, day.addDays(4));
    ASSERT_EQ(table.rowCount(), 5);
    EXPECT_EQ(table.rowLabels,
              QStringList({"03/08/2026", "03/09/2026", "03/10/2026", "03/11/2026", "03/12/2026"}));
    EXPECT_EQ(table.cells[0], values({5, {}, {}}));
    EXPECT_EQ(table.cells[1], values({6, {}, {}}));
    EXPECT_EQ(table.cells[2], values({{}, {}, {}}));
    EXPECT_EQ(table.cells[3], values({{}, 8, {}}));
    EXPECT_EQ(table.cells[4], values({{}, {}, {}}));
}

TEST_F(ChartDataTest, EmptyRangesAndNoZoneKeepTheirRows) {
    record(day, QTime(9, 0), {{1, "5"}});
    for (const auto& [from, to, rows] :
         {std::tuple{day.addDays(1), day.addDays(2), 2}, {day.addDays(5), day, 24}}) {
        const auto table = load(from, to);
        EXPECT_EQ(table.rowCount(), rows);
        for (const auto& row : table.cells)
            EXPECT_EQ(row, values({{}, {}, {}}));
    }
    const auto noZone = ChartData(*kvr).load({}, day, day.addDays(1));
    ASSERT_TRUE(noZone.ok());
    EXPECT_EQ(noZone->columnCount(), 0);
    EXPECT_EQ(noZone->rowCount(), 2);
}

TEST_F(ChartDataTest, RowLookupsGoThroughTheIndex) {
    for (const bool hourly : {true, false}) {
        QSqlQuery plan(kvr->connection());
        ASSERT_TRUE(plan.prepare(QStringLiteral("EXPLAIN QUERY PLAN ") +
                                 ChartData::rowSql({{1, "1-Cooler"}, {5, "5-Dock"}}, hourly)));
        plan.addBindValue(QStringLiteral("2026-03-08"));
        if (hourly) {
            plan.addBindValue(QStringLiteral("01:00:00"));
            plan.addBindValue(QStringLiteral("02:00:00"));
        }
        ASSERT_TRUE(plan.exec());
        QString detail;
        while (plan.next())
            detail += plan.value(3).toString() + QLatin1Char('\n');
        EXPECT_TRUE(detail.contains(QLatin1String("USING INDEX Monitor_RecDate_RecTime")))
            << detail.toStdString();
        EXPECT_FALSE(detail.contains(QLatin1String("TEMP B-TREE"))) << detail.toStdString();
    }
}

TEST(ChartTableTest, EnvelopeGivesTheLowestAndHighestOfEachPixelColumn) {
    reports::ChartTable table;
    table.columns << QStringLiteral("1-A");
    for (int r = 0; r < 7; ++r) {
        table.rowLabels << QString::number(r);
        table.cells.push_back({r == 4 ? std::nullopt : std::optional<double>(r % 3 * 10)});
    }
    const auto three = table.envelope(3); // runs of 3: rows 0-2, 3-5, 6
    EXPECT_EQ(three.first, (std::vector<int>{0, 3, 6}));
    EXPECT_EQ(three.spans[0][0].low, 0.0);
    EXPECT_EQ(three.spans[0][0].high, 20.0);
    EXPECT_EQ(three.spans[1][0].low, 0.0); // rows 3 and 5 (0 and 20), row 4 empty
    EXPECT_EQ(three.spans[1][0].high, 20.0);
    EXPECT_EQ(three.spans[2][0].low, 0.0);
    const auto wide = table.envelope(100);
    EXPECT_EQ(wide.first.size(), 7U);
    EXPECT_FALSE(wide.spans[4][0].low.has_value());
}

TEST(ChartTableTest, CsvHasTheHeaderAndEmptyCellsWhereNothingIsPlotted) {
    reports::ChartTable table;
    table.columns << QStringLiteral("1-Cooler") << QStringLiteral("5-Dock, north");
    table.rowLabels << QStringLiteral("12:00 am") << QStringLiteral("1:00 am");
    table.cells = {{35.5, std::nullopt}, {std::nullopt, -4}};
    EXPECT_EQ(table.toCsv(),
              QByteArray("Row,1-Cooler,\"5-Dock, north\"\r\n12:00 am,35.5,\r\n1:00 am,,-4\r\n"));
}

} // namespace
