// What each report caption is run with: its template, the parameters as name/value pairs (the zones by Room)
// and the record selection formula, written as the report window writes it.
#include "reports/ReportCatalogue.h"

#include <gtest/gtest.h>

using namespace kelvara;
using reports::ReportCatalogue;

namespace {

store::MonitorSetsRow zone(int room, const char* name) {
    store::MonitorSetsRow row;
    row.Room = room;
    row.Name = QString::fromUtf8(name);
    return row;
}

QStringList shown(const reports::ReportRequest& request) {
    QStringList pairs;
    for (const auto& [name, value] : request.parameters)
        pairs << name + QLatin1Char('=') + value;
    return pairs;
}

// The Zone parameters of rooms 1 to 20, with `named` filled in and the others empty.
QStringList zoneParameters(const std::map<int, QString>& named) {
    QStringList pairs;
    for (int room = 1; room <= 20; ++room)
        pairs << QStringLiteral("Zone%1=").arg(room) + (named.contains(room) ? named.at(room) : QString());
    return pairs;
}

TEST(ReportRequest, EachCaptionGetsItsTemplateParametersAndFormula) {
    const reports::ReportBounds july{QDate(2026, 7, 1), QDate(2026, 7, 31), {}, {}};
    const reports::ReportBounds batches{{}, {}, 0, 9999999};
    const std::vector<store::MonitorSetsRow> zones{zone(1, "Cooler"), zone(2, "Freezer"),
                                                   zone(5, "North; walk-in")};
    const QStringList dated =
        QStringList{"FromDate=07/01/2026", "ToDate=07/31/2026"} +
        zoneParameters({{1, "1 - Cooler"}, {2, "2 - Freezer"}, {5, "5 - North; walk-in"}});
    struct Case {
        const char* title;
        reports::ReportBounds bounds;
        const char* file;
        QStringList parameters;
        const char* formula;
    };
    for (const Case& c : std::vector<Case>{
             {"Daily Temperatures", july, "DailyTemps.rpt", dated,
              "{Monitor.RecDate} >= Date(2026, 7, 1) And {Monitor.RecDate} <= Date(2026, 7, 31)"},
             {"Archive Data", july, "Archive.rpt", dated,
              "{Monitor.RecDate} >= Date(2026, 7, 1) And {Monitor.RecDate} <= Date(2026, 7, 31)"},
             {"Alarm Report", july, "Alarms.rpt", dated,
              "{Alarms.Date} >= Date(2026, 7, 1) and {Alarms.Date} <= Date(2026, 7, 31)"},
             {"Listing By Date",
              july,
              "CycleBatch.rpt",
              {"From=07/01/2026", "To=07/31/2026"},
              "{CookCycles.Date} >= Date(2026, 7, 1) and {CookCycles.Date} <= Date(2026, 7, 31)"},
             {"Listing By Batch #",
              batches,
              "CycleBatch.rpt",
              {"From=0", "To=9999999"},
              "{CookCycles.batchno} >= 0 and {CookCycles.BatchNo} <= 9999999"},
             {"Product Listing", {}, "Products.rpt", {}, ""},
             {"Provider Listing", {}, "providers.rpt", {}, ""},
         }) {
        const auto request = ReportCatalogue::request(QString::fromLatin1(c.title), c.bounds, zones);
        ASSERT_TRUE(request.ok()) << c.title << ": " << request.error().toStdString();
        EXPECT_EQ(request->templateFile, c.file) << c.title;
        EXPECT_EQ(shown(*request), c.parameters) << c.title;
        EXPECT_EQ(request->formula, c.formula) << c.title;
    }
}

TEST(ReportRequest, ZoneParametersGoByRoom) {
    const reports::ReportBounds day{QDate(2026, 7, 1), QDate(2026, 7, 1), {}, {}};
    struct Case {
        std::vector<store::MonitorSetsRow> zones;
        std::map<int, QString> named;
    };
    for (const Case& c : std::vector<Case>{
             // Three zones: Zone1 to Zone3 carry them, Zone4 to Zone20 are empty.
             {{zone(1, "Cooler"), zone(2, "Freezer"), zone(3, "Dock")},
              {{1, "1 - Cooler"}, {2, "2 - Freezer"}, {3, "3 - Dock"}}},
             // Rooms 1, 2 and 5: Zone5 is the dock and Zone3 stays empty.
             {{zone(1, "Cooler"), zone(2, "Freezer"), zone(5, "Dock")},
              {{1, "1 - Cooler"}, {2, "2 - Freezer"}, {5, "5 - Dock"}}},
             // A room without a column is left out; of two zones on one room the first counts.
             {{zone(0, "Nowhere"), zone(21, "Beyond"), zone(20, "Last"), zone(4, "First"), zone(4, "Second")},
              {{4, "4 - First"}, {20, "20 - Last"}}},
             {{}, {}},
         }) {
        const auto request = ReportCatalogue::request(QStringLiteral("Daily Temperatures"), day, c.zones);
        ASSERT_TRUE(request.ok());
        EXPECT_EQ(shown(*request).mid(2), zoneParameters(c.named));
        std::vector<int> rooms;
        for (const reports::ReportZone& z : request->zones())
            rooms.push_back(z.room);
        EXPECT_EQ(rooms.size(), c.named.size());
    }
}

TEST(ReportRequest, ABoundOfTheWrongKindIsRefused) {
    const reports::ReportBounds dates{QDate(2026, 7, 1), QDate(2026, 7, 2), {}, {}};
    const reports::ReportBounds batches{{}, {}, 1, 2};
    struct Case {
        const char* title;
        reports::ReportBounds bounds;
        const char* message;
    };
    for (const Case& c : std::vector<Case>{
             {"Daily Temperatures", batches, "\"Daily Temperatures\" needs --from and --to."},
             {"Alarm Report", {}, "\"Alarm Report\" needs --from and --to."},
             {"Listing By Batch #", dates, "\"Listing By Batch #\" needs --first-batch and --last-batch."},
             {"Product Listing", dates, "\"Product Listing\" takes no range."},
             {"Weekly Temperatures", dates, "There is no report \"Weekly Temperatures\"."},
         }) {
        const auto request = ReportCatalogue::request(QString::fromLatin1(c.title), c.bounds, {});
        ASSERT_FALSE(request.ok()) << c.title;
        EXPECT_EQ(request.error(), c.message);
    }
}

} // namespace
