// kelvara --report run as a child process on a seeded site, its PDF read back with pdftotext: the headings,
// a line per zone by Room with its figures, days without records, the summary, "Page n of m" on every page,
// the archive read from Archive.db (a missing one reads as empty and is not made), and the refusals.
#include "store/AlarmsStore.h"
#include "store/BatchsStore.h"
#include "store/CookCyclesStore.h"
#include "store/CookSettingsStore.h"
#include "store/MonitorSetsStore.h"
#include "store/MonitorStore.h"
#include "store/ProductsStore.h"
#include "store/ProviderStore.h"
#include "store/SystemStore.h"
#include "support/KelvaraProcess.h"
#include "support/PdfText.h"
#include "support/SiteDatabases.h"
#include "support/TempSite.h"

#include <QFile>
#include <QProcess>
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
        for (const auto& [room, name] :
             std::vector<std::pair<int, QString>>{{1, QStringLiteral("Cooler")},
                                                  {2, QStringLiteral("Freezer")},
                                                  {5, QStringLiteral("North; walk-in")}}) {
            store::MonitorSetsRow zone;
            zone.Room = room;
            zone.Name = name;
            ASSERT_TRUE(store::MonitorSetsStore(*kvr).insert(zone).ok());
        }
        record(*kvr, QDate(2026, 7, 1), {"35", "NR", "40.25"});
        record(*kvr, QDate(2026, 7, 1), {"36", "NR", "40"});
        record(*kvr, QDate(2026, 7, 3), {"NR", "-5", "41"});
    }

    static void record(const store::Database& db, const QDate& day, const std::vector<QString>& values) {
        store::MonitorRow row;
        row.RecDate = day;
        row.RecTime = QTime(8, 0);
        row.TempType = QStringLiteral("F");
        const int rooms[] = {1, 2, 5};
        for (std::size_t i = 0; i < values.size(); ++i)
            row.setTemp(rooms[i], values[i]);
        ASSERT_TRUE(store::MonitorStore(db).insert(row).ok());
    }

    int run(const QStringList& arguments) {
        return process.runToEnd(QStringList{"--site", site.path()} + arguments);
    }

    test::TempSite site;
    test::TempSite config;
    std::unique_ptr<store::Database> kvr;
    KelvaraProcess process{config.path()};
};

TEST_F(ReportExport, DailyTemperaturesPrintEachDayByZoneThenTheSummary) {
    const QString pdf = site.file("daily.pdf");
    ASSERT_EQ(
        run({"--report", "Daily Temperatures", "--from", "2026-07-01", "--to", "2026-07-03", "--pdf", pdf}),
        0)
        << process.stdErr().toStdString();
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
    EXPECT_EQ(pdfLines(pdf), expected);
}

TEST_F(ReportExport, ALongRangeRunsOverPagesEachWithItsHeader) {
    const QString pdf = site.file("year.pdf");
    ASSERT_EQ(
        run({"--report", "Daily Temperatures", "--from", "2026-01-01", "--to", "2026-12-31", "--pdf", pdf}),
        0);
    const QStringList lines = pdfLines(pdf);
    const int pages = static_cast<int>(lines.filter(QRegularExpression("^Page \\d+ of \\d+$")).size());
    ASSERT_GT(pages, 3);
    EXPECT_EQ(lines.count("Harbour Foods"), pages);
    EXPECT_EQ(lines.count("From: 01/01/2026 To: 12/31/2026"), pages);
    EXPECT_TRUE(lines.contains(QStringLiteral("Page %1 of %1").arg(pages)));
    EXPECT_EQ(lines.count("No records"), 363);
}

TEST_F(ReportExport, TheArchiveReadsArchiveDbAndAMissingOneAsEmpty) {
    const QString pdf = site.file("archive.pdf");
    ASSERT_EQ(run({"--report", "Archive Data", "--from", "2026-07-01", "--to", "2026-07-01", "--pdf", pdf}),
              0)
        << process.stdErr().toStdString();
    EXPECT_EQ(pdfLines(pdf),
              QStringList({"Harbour Foods", "Archive Data", "From: 07/01/2026 To: 07/01/2026", "07/01/2026",
                           "No records", "Summary", "No records", "Page 1 of 1"}));
    EXPECT_FALSE(QFile::exists(site.file("Archive.db")));

    auto archive = test::createOpenDatabase(site, store::DatabaseKind::Archive);
    record(*archive, QDate(2026, 7, 1), {"30"});
    archive.reset();
    ASSERT_EQ(run({"--report", "Archive Data", "--from", "2026-07-01", "--to", "2026-07-01", "--pdf", pdf}),
              0);
    EXPECT_TRUE(pdfLines(pdf).contains("1 - Cooler 1 0 30 30 30.0 °F"));
}

TEST_F(ReportExport, TheAlarmReportListsEachEventInOrderThenCountsPerZone) {
    struct Event {
        QDate day;
        QTime time;
        int room;
        const char* temp;
        int alarmTemp;
        const char* type;
    };
    // Stored out of order, a room without a zone, one event on each side of the range.
    for (const Event& event : std::vector<Event>{{{2026, 7, 3}, {14, 30}, 1, "44", 41, "High"},
                                                 {{2026, 7, 1}, {8, 5}, 5, "45.5", 40, "High"},
                                                 {{2026, 7, 1}, {8, 5}, 2, "-25", -20, "Low"},
                                                 {{2026, 7, 1}, {0, 0}, 7, "NR", 38, "High"},
                                                 {{2026, 6, 30}, {23, 59}, 1, "50", 41, "High"},
                                                 {{2026, 7, 4}, {0, 0}, 1, "50", 41, "High"},
                                                 {{2026, 7, 2}, {12, 0}, 5, "39", 40, "Low"}}) {
        store::AlarmsRow row;
        row.Date = event.day;
        row.Time = event.time;
        row.Room = event.room;
        row.Temp = QString::fromLatin1(event.temp);
        row.AlarmTemp = event.alarmTemp;
        row.AlarmType = QString::fromLatin1(event.type);
        row.TempType = QStringLiteral("F");
        ASSERT_TRUE(store::AlarmsStore(*kvr).insert(row).ok());
    }
    const QString pdf = site.file("alarms.pdf");
    ASSERT_EQ(run({"--report", "Alarm Report", "--from", "2026-07-01", "--to", "2026-07-03", "--pdf", pdf}),
              0)
        << process.stdErr().toStdString();
    EXPECT_EQ(
        pdfLines(pdf),
        QStringList({"Harbour Foods", "Alarm Report", "From: 07/01/2026 To: 07/03/2026",
                     "Zone Date Time Temperature Alarm Temp Type", "7 07/01/2026 12:00 am NR 38 High",
                     "2 - Freezer 07/01/2026 8:05 am -25 -20 Low",
                     "5 - North; walk-in 07/01/2026 8:05 am 45.5 40 High",
                     "5 - North; walk-in 07/02/2026 12:00 pm 39 40 Low",
                     "1 - Cooler 07/03/2026 2:30 pm 44 41 High", "Alarms per zone", "1 - Cooler: 1",
                     "2 - Freezer: 1", "5 - North; walk-in: 2", "7: 1", "Total alarms: 5", "Page 1 of 1"}));

    ASSERT_EQ(run({"--report", "Alarm Report", "--from", "2026-08-01", "--to", "2026-08-31", "--pdf", pdf}),
              0);
    EXPECT_EQ(pdfLines(pdf), QStringList({"Harbour Foods", "Alarm Report", "From: 08/01/2026 To: 08/31/2026",
                                          "No records", "Page 1 of 1"}));
}

// Three batches in Thermo.db: 4 with readings over two days, 7 whose Batchs row was purged, 9 on a later day.
class BatchListing : public ReportExport {
protected:
    void SetUp() override {
        ReportExport::SetUp();
        thermo = test::createOpenDatabase(site, store::DatabaseKind::Thermo);
        store::ProductsRow beef;
        beef.Description = QStringLiteral("Roast beef");
        auto productId = store::ProductsStore(*thermo).insert(beef);
        ASSERT_TRUE(productId.ok()) << productId.error().toStdString();
        for (const int batchNo : {4, 9}) {
            store::BatchsRow batch;
            batch.BatchNo = batchNo;
            batch.BatchID = QStringLiteral("RB-%1").arg(batchNo);
            batch.SensorNo = 3;
            batch.ProductID = static_cast<int>(*productId);
            batch.Date = batchNo == 4 ? QDate(2026, 7, 1) : QDate(2026, 7, 5);
            batch.StartTime = QStringLiteral("11:00 pm");
            batch.EndTime = QStringLiteral("1:30 am");
            batch.Target = 165;
            batch.FinishTemp = 167.5;
            ASSERT_TRUE(store::BatchsStore(*thermo).insert(batch).ok());
        }
        struct Reading {
            int batchNo;
            QDate day;
            const char* time;
            const char* temperature;
        };
        for (const Reading& r : std::vector<Reading>{{9, {2026, 7, 5}, "9:00 am", "150"},
                                                     {4, {2026, 7, 1}, "11:00 pm", "120"},
                                                     {7, {2026, 7, 2}, "6:00 am", "NR"},
                                                     {4, {2026, 7, 2}, "12:30 am", "NR"},
                                                     {4, {2026, 7, 2}, "1:30 am", "167"}}) {
            store::CookCyclesRow row;
            row.BatchNo = r.batchNo;
            row.Date = r.day;
            row.Time = QString::fromLatin1(r.time);
            row.Temperature = QString::fromLatin1(r.temperature);
            ASSERT_TRUE(store::CookCyclesStore(*thermo).insert(row).ok());
        }
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
    const QString pdf = site.file("bydate.pdf");
    ASSERT_EQ(
        run({"--report", "Listing By Date", "--from", "2026-07-02", "--to", "2026-07-04", "--pdf", pdf}), 0)
        << process.stdErr().toStdString();
    EXPECT_EQ(pdfLines(pdf),
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
        const QString pdf = site.file("bybatch.pdf");
        ASSERT_EQ(run({"--report", "Listing By Batch #", "--first-batch", c.first, "--last-batch", c.last,
                       "--pdf", pdf}),
                  0)
            << process.stdErr().toStdString();
        EXPECT_EQ(pdfLines(pdf), QStringList({"Harbour Foods", "Cook Cycle Batches",
                                              QStringLiteral("From: %1 To: %2").arg(c.first, c.last)}) +
                                     c.body + QStringList{"Page 1 of 1"})
            << c.first << " to " << c.last;
    }
}

TEST_F(BatchListing, RefusesAMismatchedOrMalformedRange) {
    const QString pdf = site.file("refused.pdf");
    struct Case {
        QStringList arguments;
        const char* message;
    };
    for (const Case& c : std::vector<Case>{
             {{"--report", "Listing By Batch #", "--from", "2026-07-01", "--to", "2026-07-02"},
              "\"Listing By Batch #\" needs --first-batch and --last-batch."},
             {{"--report", "Listing By Date", "--first-batch", "1", "--last-batch", "2"},
              "\"Listing By Date\" needs --from and --to."},
             {{"--report", "Listing By Batch #", "--first-batch", "1.5", "--last-batch", "2"},
              "Invalid batch number"},
             {{"--report", "Listing By Batch #", "--first-batch", "1", "--last-batch", "2;DROP"},
              "Invalid batch number"},
             {{"--report", "Listing By Batch #", "--first-batch", "-1", "--last-batch", "2"},
              "Invalid batch number"},
         }) {
        EXPECT_NE(run(c.arguments + QStringList{"--pdf", pdf}), 0) << c.arguments.join(' ').toStdString();
        EXPECT_TRUE(process.stdErr().contains(QString::fromLatin1(c.message)))
            << process.stdErr().toStdString();
        EXPECT_FALSE(QFile::exists(pdf));
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

    const QString pdf = site.file("cook-only.pdf");
    ASSERT_EQ(
        run({"--report", "Listing By Batch #", "--first-batch", "4", "--last-batch", "4", "--pdf", pdf}), 0)
        << process.stdErr().toStdString();
    EXPECT_EQ(pdfLines(pdf), QStringList({"Kettle Works", "Cook Cycle Batches", "From: 4 To: 4"}) + batch4() +
                                 QStringList{"Page 1 of 1"});
    QFile::remove(pdf);
    EXPECT_NE(
        run({"--report", "Daily Temperatures", "--from", "2026-07-01", "--to", "2026-07-01", "--pdf", pdf}),
        0);
    EXPECT_TRUE(process.stdErr().contains("This site has no KVR.db: it keeps no zone temperatures."))
        << process.stdErr().toStdString();
    EXPECT_FALSE(QFile::exists(pdf));
    EXPECT_FALSE(QFile::exists(site.file("KVR.db")));
}

TEST_F(BatchListing, TheProductListingNamesEachProductByDescription) {
    store::ProductsRow chicken;
    chicken.Description = QStringLiteral("Chicken thighs");
    chicken.CookHours = 1;
    chicken.CookMins = 45;
    chicken.DesiredTemp = 165.5;
    auto id = store::ProductsStore(*thermo).insert(chicken);
    ASSERT_TRUE(id.ok());
    const QString pdf = site.file("products.pdf");
    ASSERT_EQ(run({"--report", "Product Listing", "--pdf", pdf}), 0) << process.stdErr().toStdString();
    EXPECT_EQ(pdfLines(pdf), QStringList({"Harbour Foods", "Product Listing",
                                          "Product Product ID Cook Hours Cook Minutes Desired Temp",
                                          QStringLiteral("Chicken thighs %1 1 45 165.5").arg(*id),
                                          "Roast beef 1 0 0 0", "Total products: 2", "Page 1 of 1"}));
}

TEST_F(ReportExport, TheProviderListingNeverPrintsThePassword) {
    const QString pdf = site.file("providers.pdf");
    ASSERT_EQ(run({"--report", "Provider Listing", "--pdf", pdf}), 0) << process.stdErr().toStdString();
    EXPECT_EQ(pdfLines(pdf), QStringList({"Harbour Foods", "Provider Listing", "No records", "Page 1 of 1"}));

    for (const auto& [name, password] : std::vector<std::pair<QString, QString>>{
             {QStringLiteral("Westnet"), QStringLiteral("s3cret-west")},
             {QStringLiteral("alpha dial"), QStringLiteral("hunter2")}}) {
        store::ProviderRow provider;
        provider.Provider = name;
        provider.AccessNo = QStringLiteral("5550100");
        provider.Device = QStringLiteral("ttyS0");
        provider.Speed = QStringLiteral("9600");
        provider.DataBits = QStringLiteral("8");
        provider.Parity = QStringLiteral("N");
        provider.StopBits = QStringLiteral("1");
        provider.Password = password;
        provider.Protocol = QStringLiteral("TAP");
        ASSERT_TRUE(store::ProviderStore(*kvr).insert(provider).ok());
    }
    ASSERT_EQ(run({"--report", "Provider Listing", "--pdf", pdf}), 0) << process.stdErr().toStdString();
    const QStringList lines = pdfLines(pdf);
    EXPECT_EQ(
        lines,
        QStringList({"Harbour Foods", "Provider Listing", "Provider Access Number Device Speed Line Protocol",
                     "alpha dial 5550100 ttyS0 9600 8-N-1 TAP", "Westnet 5550100 ttyS0 9600 8-N-1 TAP",
                     "Total providers: 2", "Page 1 of 1"}));
    EXPECT_FALSE(lines.join(' ').contains("hunter2"));
    EXPECT_FALSE(lines.join(' ').contains("s3cret"));
    EXPECT_NE(
        run({"--report", "Provider Listing", "--from", "2026-07-01", "--to", "2026-07-02", "--pdf", pdf}), 0);
    EXPECT_TRUE(process.stdErr().contains("\"Provider Listing\" takes no range."))
        << process.stdErr().toStdString();
}

TEST_F(ReportExport, RefusesWithAMessageAndLeavesNoFile) {
    const QString pdf = site.file("none.pdf");
    EXPECT_NE(run({"--report", "Weekly", "--from", "2026-07-01", "--to", "2026-07-03", "--pdf", pdf}), 0);
    EXPECT_TRUE(process.stdErr().contains("There is no report \"Weekly\"."))
        << process.stdErr().toStdString();
    EXPECT_NE(run({"--report", "Daily Temperatures", "--from", "2026-07-01", "--pdf", pdf}), 0);
    EXPECT_NE(run({"--report", "Daily Temperatures", "--pdf", pdf}), 0);
    EXPECT_TRUE(process.stdErr().contains("\"Daily Temperatures\" needs --from and --to."))
        << process.stdErr().toStdString();
    site.write("DailyTemps.rpt", "title: Broken\n");
    EXPECT_NE(
        run({"--report", "Daily Temperatures", "--from", "2026-07-01", "--to", "2026-07-03", "--pdf", pdf}),
        0);
    EXPECT_TRUE(process.stdErr().contains("DailyTemps.rpt: The report template has no database."))
        << process.stdErr().toStdString();
    EXPECT_FALSE(QFile::exists(pdf));
}

} // namespace
