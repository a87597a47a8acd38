// kelvara --report run as a child process on a seeded site, its PDF read back with pdftotext: the headings,
// a line per zone by Room with its figures, days without records, the summary, "Page n of m" on every page,
// the archive read from Archive.db (a missing one reads as empty and is not made), and the refusals.
#include "store/AlarmsStore.h"
#include "store/BatchsStore.h"
#include "store/CookCyclesStore.h"
#include "store/CookSettingsStore.h"
#include "store/ProductsStore.h"
#include "store/ProviderStore.h"
#include "store/SystemStore.h"
#include "support/KelvaraProcess.h"
#include "support/PdfText.h"
#include "support/SiteDatabases.h"
#include "support/TempSite.h"
#include "support/ZoneRows.h"

#include <QFile>
#include <QRegularExpression>
#include <gtest/gtest.h>

using namespace kelvara;
using test::KelvaraProcess;
using test::pdfLines;

namespace {

class ReportExport : public ::testing::Test {
protected:
    void SetUp() override {
        kvr = test::createOpenDatabase(site, store::DatabaseKind::Kvr);
        auto system = store::SystemStore(*kvr).load();
        ASSERT_TRUE(system.ok()) << system.error().toStdString();
        system->company.BusinessName = QStringLiteral("Harbour Foods");
        ASSERT_TRUE(store::SystemStore(*kvr).update(*system).ok());
        test::addZones(*kvr, {{1, "Cooler"}, {2, "Freezer"}, {5, "North; walk-in"}});
        record(*kvr, QDate(2026, 7, 1), {"35", "NR", "40.25"});
        record(*kvr, QDate(2026, 7, 1), {"36", "NR", "40"});
        record(*kvr, QDate(2026, 7, 3), {"NR", "-5", "41"});
    }

    // A record at 8 am with these values for rooms 1, 2 and 5 in turn.
    static void record(const store::Database& db, const QDate& day, const std::vector<QString>& values) {
        const int rooms[] = {1, 2, 5};
        std::vector<std::pair<int, QString>> byRoom;
        for (std::size_t i = 0; i < values.size(); ++i)
            byRoom.emplace_back(rooms[i], values[i]);
        test::addReading(db, day, QTime(8, 0), byRoom, QStringLiteral("F"));
    }

    int run(const QStringList& arguments) {
        return process.runToEnd(QStringList{"--site", site.path()} + arguments);
    }
    // The lines of the report as printed to a PDF; none when the export failed.
    QStringList printed(const char* report, const QStringList& range = {}) {
        const QString pdf = site.file("report.pdf");
        QFile::remove(pdf);
        EXPECT_EQ(run(QStringList{"--report", report} + range + QStringList{"--pdf", pdf}), 0)
            << process.stdErr().toStdString();
        return pdfLines(pdf);
    }
    static QStringList dates(const char* from, const char* to) { return {"--from", from, "--to", to}; }

    test::TempSite site;
    test::TempSite config;
    std::unique_ptr<store::Database> kvr;
    KelvaraProcess process{config.path()};
};

TEST_F(ReportExport, DailyTemperaturesPrintEachDayByZoneThenTheSummary) {
    const QStringList expected{"Harbour Foods",
                               "Daily Temperatures",
                               "From: 07/01/2026 To: 07/03/2026",
                               "07/01/2026",
                               "Zone Readings No Reading Minimum Maximum Average Unit",
                               "1 - Cooler 2 0 35 36 35.5 °F",
                               "2 - Freezer 0 2 °F",
                               "5 - North; walk-in 2 0 40 40.25 40.1 °F",
                               "07/02/2026",
                               "No records",
                               "07/03/2026",
                               "Zone Readings No Reading Minimum Maximum Average Unit",
                               "1 - Cooler 0 1 °F",
                               "2 - Freezer 1 0 -5 -5 -5.0 °F",
                               "5 - North; walk-in 1 0 41 41 41.0 °F",
                               "Summary",
                               "Zone Readings No Reading Minimum Maximum Average Unit",
                               "1 - Cooler 2 1 35 36 35.5 °F",
                               "2 - Freezer 1 2 -5 -5 -5.0 °F",
                               "5 - North; walk-in 3 0 40 41 40.4 °F",
                               "Page 1 of 1"};
    // Run as a service or in a container, with no session runtime folder, standard error stays clean.
    process.setEnvironment(QStringLiteral("XDG_RUNTIME_DIR"), QString());
    EXPECT_EQ(printed("Daily Temperatures", dates("2026-07-01", "2026-07-03")), expected);
    EXPECT_EQ(process.stdErr(), QString());
}

TEST_F(ReportExport, ALongRangeRunsOverPagesEachWithItsHeader) {
    const QStringList lines = printed("Daily Temperatures", dates("2026-01-01", "2026-12-31"));
    const int pages = static_cast<int>(lines.filter(QRegularExpression("^Page \\d+ of \\d+$")).size());
    ASSERT_GT(pages, 3);
    EXPECT_EQ(lines.count("Harbour Foods"), pages);
    EXPECT_EQ(lines.count("From: 01/01/2026 To: 12/31/2026"), pages);
    EXPECT_TRUE(lines.contains(QStringLiteral("Page %1 of %1").arg(pages)));
    EXPECT_EQ(lines.count("No records"), 363);
}

TEST_F(ReportExport, TheArchiveReadsArchiveDbAndAMissingOneAsEmpty) {
    EXPECT_EQ(printed("Archive Data", dates("2026-07-01", "2026-07-01")),
              QStringList({"Harbour Foods", "Archive Data", "From: 07/01/2026 To: 07/01/2026", "07/01/2026",
                           "No records", "Summary", "No records", "Page 1 of 1"}));
    EXPECT_FALSE(QFile::exists(site.file("Archive.db")));

    auto archive = test::createOpenDatabase(site, store::DatabaseKind::Archive);
    record(*archive, QDate(2026, 7, 1), {"30"});
    archive.reset();
    EXPECT_TRUE(
        printed("Archive Data", dates("2026-07-01", "2026-07-01")).contains("1 - Cooler 1 0 30 30 30.0 °F"));
}

TEST_F(ReportExport, TheAlarmReportListsEachEventInOrderThenCountsPerZone) {
    // Stored out of order, a room without a zone, one event on each side of the range.
    for (const auto& [day, time, room, temp, alarmTemp, type] :
         std::vector<std::tuple<QDate, QTime, int, QString, int, QString>>{
             {{2026, 7, 3}, {14, 30}, 1, "44", 41, "High"},
             {{2026, 7, 1}, {8, 5}, 5, "45.5", 40, "High"},
             {{2026, 7, 1}, {8, 5}, 2, "-25", -20, "Low"},
             {{2026, 7, 1}, {0, 0}, 7, "NR", 38, "High"},
             {{2026, 6, 30}, {23, 59}, 1, "50", 41, "High"},
             {{2026, 7, 4}, {0, 0}, 1, "50", 41, "High"},
             {{2026, 7, 2}, {12, 0}, 5, "39", 40, "Low"}})
        ASSERT_TRUE(store::AlarmsStore(*kvr)
                        .insert({.Room = room,
                                 .Date = day,
                                 .Time = time,
                                 .Temp = temp,
                                 .AlarmTemp = alarmTemp,
                                 .AlarmType = type,
                                 .TempType = "F"})
                        .ok());
    EXPECT_EQ(
        printed("Alarm Report", dates("2026-07-01", "2026-07-03")),
        QStringList({"Harbour Foods", "Alarm Report", "From: 07/01/2026 To: 07/03/2026",
                     "Zone Date Time Temperature Alarm Temp Type", "7 07/01/2026 12:00 am NR 38 High",
                     "2 - Freezer 07/01/2026 8:05 am -25 -20 Low",
                     "5 - North; walk-in 07/01/2026 8:05 am 45.5 40 High",
                     "5 - North; walk-in 07/02/2026 12:00 pm 39 40 Low",
                     "1 - Cooler 07/03/2026 2:30 pm 44 41 High", "Alarms per zone", "1 - Cooler: 1",
                     "2 - Freezer: 1", "5 - North; walk-in: 2", "7: 1", "Total alarms: 5", "Page 1 of 1"}));

    EXPECT_EQ(printed("Alarm Report", dates("2026-08-01", "2026-08-31")),
              QStringList({"Harbour Foods", "Alarm Report", "From: 08/01/2026 To: 08/31/2026", "No records",
                           "Page 1 of 1"}));
}

// Three batches in Thermo.db: 4 with readings over two days, 7 whose Batchs row was purged, 9 on a later day.
class BatchListing : public ReportExport {
protected:
    void SetUp() override {
        ReportExport::SetUp();
        thermo = test::createOpenDatabase(site, store::DatabaseKind::Thermo);
        const auto productId = store::ProductsStore(*thermo).insert({.Description = "Roast beef"});
        ASSERT_TRUE(productId.ok()) << productId.error().toStdString();
        for (const int batchNo : {4, 9})
            ASSERT_TRUE(store::BatchsStore(*thermo)
                            .insert({.BatchNo = batchNo,
                                     .BatchID = QStringLiteral("RB-%1").arg(batchNo),
                                     .SensorNo = 3,
                                     .ProductID = static_cast<int>(*productId),
                                     .Date = batchNo == 4 ? QDate(2026, 7, 1) : QDate(2026, 7, 5),
                                     .StartTime = "11:00 pm",
                                     .EndTime = "1:30 am",
                                     .Target = 165,
                                     .FinishTemp = 167.5})
                            .ok());
        for (const store::CookCyclesRow& row : std::vector<store::CookCyclesRow>{
                 {.BatchNo = 9, .Date = {2026, 7, 5}, .Time = "9:00 am", .Temperature = "150"},
                 {.BatchNo = 4, .Date = {2026, 7, 1}, .Time = "11:00 pm", .Temperature = "120"},
                 {.BatchNo = 7, .Date = {2026, 7, 2}, .Time = "6:00 am", .Temperature = "NR"},
                 {.BatchNo = 4, .Date = {2026, 7, 2}, .Time = "12:30 am", .Temperature = "NR"},
                 {.BatchNo = 4, .Date = {2026, 7, 2}, .Time = "1:30 am", .Temperature = "167"}})
            ASSERT_TRUE(store::CookCyclesStore(*thermo).insert(row).ok());
    }

    static QStringList batch4() {
        return {"Batch #4",
                "Batch ID: RB-4 Product: Roast beef Sensor: 3",
                "Start: 07/01/2026 11:00 pm End: 1:30 am Target: 165 Finish Temperature: 167.5",
                "Date Time Temperature",
                "07/01/2026 11:00 pm 120",
                "07/02/2026 12:30 am NR",
                "07/02/2026 1:30 am 167",
                "Readings: 2 No Reading: 1 Minimum: 120 Maximum: 167"};
    }
    static QStringList batch7() {
        return {"Batch #7",
                "Batch ID: Product: Sensor:",
                "Start: End: Target: Finish Temperature:",
                "Date Time Temperature",
                "07/02/2026 6:00 am NR",
                "Readings: 0 No Reading: 1 Minimum: Maximum:"};
    }

    std::unique_ptr<store::Database> thermo;
};

TEST_F(BatchListing, ByDateTakesTheReadingsOfTheRangeBatchByBatch) {
    EXPECT_EQ(printed("Listing By Date", dates("2026-07-02", "2026-07-04")),
              QStringList({"Harbour Foods", "Cook Cycle Batches", "From: 07/02/2026 To: 07/04/2026",
                           "Batch #4", "Batch ID: RB-4 Product: Roast beef Sensor: 3",
                           "Start: 07/01/2026 11:00 pm End: 1:30 am Target: 165 Finish Temperature: 167.5",
                           "Date Time Temperature", "07/02/2026 12:30 am NR", "07/02/2026 1:30 am 167",
                           "Readings: 1 No Reading: 1 Minimum: 167 Maximum: 167"}) +
                  batch7() + QStringList{"Page 1 of 1"});
}

TEST_F(BatchListing, ByBatchNumberTakesTheWholeBatchesOfTheRange) {
    struct Case {
        const char* first;
        const char* last;
        QStringList body;
    };
    for (const Case& c : std::vector<Case>{
             {"0", "9999999",
              batch4() + batch7() +
                  QStringList{"Batch #9", "Batch ID: RB-9 Product: Roast beef Sensor: 3",
                              "Start: 07/05/2026 11:00 pm End: 1:30 am Target: 165 Finish Temperature: 167.5",
                              "Date Time Temperature", "07/05/2026 9:00 am 150",
                              "Readings: 1 No Reading: 0 Minimum: 150 Maximum: 150"}},
             {"4", "7", batch4() + batch7()},
             {"5", "6", {"No records"}},
             {"9", "4", {"No records"}}}) {
        EXPECT_EQ(printed("Listing By Batch #", {"--first-batch", c.first, "--last-batch", c.last}),
                  QStringList({"Harbour Foods", "Cook Cycle Batches",
                               QStringLiteral("From: %1 To: %2").arg(c.first, c.last)}) +
                      c.body + QStringList{"Page 1 of 1"})
            << c.first << " to " << c.last;
    }
}

TEST_F(BatchListing, ACookOnlySiteListsItsBatchesUnderTheCookSidesBusinessName) {
    ASSERT_TRUE(store::CookSettingsStore(*thermo).ensureRow().ok());
    auto settings = store::CookSettingsStore(*thermo).load();
    ASSERT_TRUE(settings.ok());
    settings->company.BusinessName = QStringLiteral("Kettle Works");
    ASSERT_TRUE(store::CookSettingsStore(*thermo).update(*settings).ok());
    kvr.reset();
    ASSERT_TRUE(QFile::remove(site.file("KVR.db")));

    EXPECT_EQ(printed("Listing By Batch #", {"--first-batch", "4", "--last-batch", "4"}),
              QStringList({"Kettle Works", "Cook Cycle Batches", "From: 4 To: 4"}) + batch4() +
                  QStringList{"Page 1 of 1"});
    const QString pdf = site.file("refused.pdf");
    EXPECT_NE(run(QStringList{"--report", "Daily Temperatures"} + dates("2026-07-01", "2026-07-01") +
                  QStringList{"--pdf", pdf}),
              0);
    EXPECT_TRUE(process.stdErr().contains("This site has no KVR.db: it keeps no zone temperatures."))
        << process.stdErr().toStdString();
    EXPECT_FALSE(QFile::exists(pdf));
    EXPECT_FALSE(QFile::exists(site.file("KVR.db")));
}

TEST_F(BatchListing, TheProductListingNamesEachProductByDescription) {
    const auto id = store::ProductsStore(*thermo).insert(
        {.Description = "Chicken thighs", .CookHours = 1, .CookMins = 45, .DesiredTemp = 165.5});
    ASSERT_TRUE(id.ok());
    EXPECT_EQ(printed("Product Listing"),
              QStringList({"Harbour Foods", "Product Listing",
                           "Product Product ID Cook Hours Cook Minutes Desired Temp",
                           QStringLiteral("Chicken thighs %1 1 45 165.5").arg(*id), "Roast beef 1 0 0 0",
                           "Total products: 2", "Page 1 of 1"}));
}

TEST_F(ReportExport, TheProviderListingNeverPrintsThePassword) {
    EXPECT_EQ(printed("Provider Listing"),
              QStringList({"Harbour Foods", "Provider Listing", "No records", "Page 1 of 1"}));

    for (const auto& [name, password] : {std::pair{"Westnet", "s3cret-west"}, {"alpha dial", "hunter2"}})
        ASSERT_TRUE(store::ProviderStore(*kvr)
                        .insert({.Provider = name,
                                 .AccessNo = "5550100",
                                 .Device = "ttyS0",
                                 .Speed = "9600",
                                 .DataBits = "8",
                                 .Parity = "N",
                                 .StopBits = "1",
                                 .Password = password,
                                 .Protocol = "TAP"})
                        .ok());
    EXPECT_EQ(
        printed("Provider Listing"),
        QStringList({"Harbour Foods", "Provider Listing", "Provider Access Number Device Speed Line Protocol",
                     "alpha dial 5550100 ttyS0 9600 8-N-1 TAP", "Westnet 5550100 ttyS0 9600 8-N-1 TAP",
                     "Total providers: 2", "Page 1 of 1"}));
}

// Which report takes which range is ReportRequestTest's table; here the command line's own refusals reach
// standard error and leave no file.
TEST_F(ReportExport, RefusesWithAMessageAndLeavesNoFile) {
    const QString pdf = site.file("none.pdf");
    const QStringList range = dates("2026-07-01", "2026-07-03");
    struct Case {
        QStringList arguments;
        const char* message;
    };
    for (const Case& c : std::vector<Case>{
             {QStringList{"--report", "Weekly"} + range, "There is no report \"Weekly\"."},
             {{"--report", "Daily Temperatures"}, "\"Daily Temperatures\" needs --from and --to."},
             {{"--report", "Daily Temperatures", "--from", "2026-07-01"}, "--report needs --from and --to"},
             {{"--report", "Listing By Batch #", "--first-batch", "1.5", "--last-batch", "2"},
              "Invalid batch number"},
             {{"--report", "Listing By Batch #", "--first-batch", "1", "--last-batch", "2;DROP"},
              "Invalid batch number"},
             {{"--report", "Listing By Batch #", "--first-batch", "-1", "--last-batch", "2"},
              "Invalid batch number"},
             {{"--report", "Provider Listing", "--from", "2026-07-01", "--to", "2026-07-02"},
              "\"Provider Listing\" takes no range."},
         }) {
        EXPECT_NE(run(c.arguments + QStringList{"--pdf", pdf}), 0) << c.arguments.join(' ').toStdString();
        EXPECT_TRUE(process.stdErr().contains(QString::fromLatin1(c.message)))
            << process.stdErr().toStdString();
    }
    site.write("DailyTemps.rpt", "title: Broken\n");
    EXPECT_NE(run(QStringList{"--report", "Daily Temperatures"} + range + QStringList{"--pdf", pdf}), 0);
    EXPECT_TRUE(process.stdErr().contains("DailyTemps.rpt: The report template has no database."))
        << process.stdErr().toStdString();
    EXPECT_FALSE(QFile::exists(pdf));
}

} // namespace
