// kelvara --report run as a child process on a seeded site, its PDF read back with pdftotext: the headings,
// a line per zone by Room with its figures, days without records, the summary, "Page n of m" on every page,
// the archive read from Archive.db (a missing one reads as empty and is not made), and the refusals.
#include "store/AlarmsStore.h"
#include "store/MonitorSetsStore.h"
#include "store/MonitorStore.h"
#include "store/SystemStore.h"
#include "support/KelvaraProcess.h"
#include "support/SiteDatabases.h"
#include "support/TempSite.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <gtest/gtest.h>

using namespace kelvara;
using test::KelvaraProcess;

namespace {

// The PDF's text, each line with its runs of spaces made one.
QStringList pdfLines(const QString& pdf) {
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    process.waitForFinished(30000);
    QStringList lines;
    for (QString line : QString::fromUtf8(process.readAllStandardOutput()).split(QLatin1Char('\n'))) {
        line = line.simplified();
        if (!line.isEmpty())
            lines << line;
    }
    return lines;
}

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

TEST_F(ReportExport, RefusesWithAMessageAndLeavesNoFile) {
    const QString pdf = site.file("none.pdf");
    EXPECT_NE(run({"--report", "Weekly", "--from", "2026-07-01", "--to", "2026-07-03", "--pdf", pdf}), 0);
    EXPECT_TRUE(process.stdErr().contains("There is no report \"Weekly\"."))
        << process.stdErr().toStdString();
    EXPECT_NE(run({"--report", "Daily Temperatures", "--from", "2026-07-01", "--pdf", pdf}), 0);
    site.write("DailyTemps.rpt", "title: Broken\n");
    EXPECT_NE(
        run({"--report", "Daily Temperatures", "--from", "2026-07-01", "--to", "2026-07-03", "--pdf", pdf}),
        0);
    EXPECT_TRUE(process.stdErr().contains("DailyTemps.rpt: The report template has no database."))
        << process.stdErr().toStdString();
    EXPECT_FALSE(QFile::exists(pdf));
}

} // namespace
