// kelvara --chart run as a child process: the rows as CSV for all zones or the rooms asked for, a picture,
// and the refusals (unknown room, missing database, bad dates) that leave no file behind.
#include "support/KelvaraProcess.h"
#include "support/SiteDatabases.h"
#include "support/TempSite.h"
#include "support/ZoneRows.h"

#include <QFile>
#include <QImage>
#include <gtest/gtest.h>

using namespace kelvara;
using test::KelvaraProcess;

namespace {

class ChartExport : public ::testing::Test {
protected:
    void SetUp() override {
        auto kvr = test::createOpenDatabase(site, store::DatabaseKind::Kvr);
        test::addZones(*kvr, {{1, "Cooler"}, {2, "Freezer"}, {5, "Dock"}});
        test::addReading(*kvr, QDate(2026, 5, 1), QTime(6, 0), {{1, "35"}, {5, "40.5"}});
        test::addReading(*kvr, QDate(2026, 5, 3), QTime(6, 0), {{1, "NR"}, {5, "41"}});
    }

    int run(const QStringList& arguments) {
        return process.runToEnd(QStringList{"--site", site.path(), "--chart"} + arguments);
    }

    test::TempSite site;
    test::TempSite config;
    KelvaraProcess process{config.path()};
};

TEST_F(ChartExport, WritesTheRowsOfEveryZoneOrOfTheRoomsAsked) {
    const QString csv = site.file("chart.csv");
    ASSERT_EQ(run({"--from", "2026-05-01", "--to", "2026-05-03", "--csv", csv}), 0)
        << process.stdErr().toStdString();
    EXPECT_EQ(test::TempSite::readFile(csv), QByteArray("Row,1-Cooler,2-Freezer,5-Dock\r\n"
                                                        "05/01/2026,35,,40.5\r\n"
                                                        "05/02/2026,,,\r\n"
                                                        "05/03/2026,,,41\r\n"));
    ASSERT_EQ(run({"--from", "2026-05-01", "--to", "2026-05-01", "--zones", "5,1", "--csv", csv}), 0);
    const QList<QByteArray> lines = test::TempSite::readFile(csv).split('\n');
    EXPECT_EQ(lines.size(), 26); // header, 24 hours, the empty piece after the last line end
    EXPECT_EQ(lines[0], "Row,5-Dock,1-Cooler\r");
    EXPECT_EQ(lines[7], "6:00 am,40.5,35\r");
}

TEST_F(ChartExport, DrawsThePicture) {
    const QString png = site.file("chart.png");
    ASSERT_EQ(run({"--from", "2026-05-01", "--to", "2026-05-03", "--png", png}), 0)
        << process.stdErr().toStdString();
    const QImage image(png);
    EXPECT_EQ(image.size(), QSize(1024, 640));
}

TEST_F(ChartExport, RefusesWithAMessageAndLeavesNoFile) {
    const QString csv = site.file("chart.csv");
    EXPECT_NE(run({"--from", "2026-05-01", "--to", "2026-05-03", "--zones", "3", "--csv", csv}), 0);
    EXPECT_TRUE(process.stdErr().contains("There is no zone in room 3.")) << process.stdErr().toStdString();
    EXPECT_NE(run({"--from", "05/01/2026", "--to", "2026-05-03", "--csv", csv}), 0);
    EXPECT_NE(run({"--from", "2026-05-01", "--to", "2026-05-03"}), 0);
    ASSERT_TRUE(QFile::remove(site.file("KVR.db")));
    EXPECT_NE(run({"--from", "2026-05-01", "--to", "2026-05-03", "--csv", csv}), 0);
    EXPECT_TRUE(process.stdErr().contains("Could not find the System Database"));
    EXPECT_FALSE(QFile::exists(csv));
    EXPECT_FALSE(QFile::exists(site.file("KVR.db")));
}

} // namespace
