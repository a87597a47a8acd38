// The chart window on a real zone database: its load (today, everything selected),
// select-all, the series a drawing makes (gaps for empty rows, the footnote, an empty chart for no zone),
// and printing to a PDF. (The toolbar's "Graph" opening it is ReportWindowTest's.)
#include "ui/ChartWindow.h"

#include "WindowSeams.h"
#include "app/AppContext.h"
#include "support/ModalDialog.h"
#include "support/PdfText.h"
#include "support/SiteDatabases.h"
#include "support/ZoneRows.h"

#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QDateEdit>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineSeries>
#include <QListWidget>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <gtest/gtest.h>

using namespace kelvara;

namespace {

// Rooms 1, 2 and 5; readings on 30 June (a gap at 1 am for room 2, "NR" at 2 am for room 1) and 1 July 2026.
struct Site : test::WindowSite {
    Site() {
        const store::Database& kvr = *ctx.databases.kvr;
        test::addZones(kvr, {{1, "Cooler"}, {2, "Freezer"}, {5, "Dock"}});
        test::addReading(kvr, QDate(2026, 6, 30), QTime(0, 0), {{1, "35"}, {2, "0"}, {5, "40"}});
        test::addReading(kvr, QDate(2026, 6, 30), QTime(1, 0), {{1, "36"}, {5, "41"}});
        test::addReading(kvr, QDate(2026, 6, 30), QTime(2, 0), {{1, "NR"}, {2, "2"}, {5, "42"}});
        test::addReading(kvr, QDate(2026, 7, 1), QTime(9, 0), {{1, "37"}, {2, "3"}, {5, "43"}});
    }
};

QStringList selected(const QListWidget& list) {
    QStringList texts;
    for (int i = 0; i < list.count(); ++i)
        if (list.item(i)->isSelected())
            texts << list.item(i)->text();
    return texts;
}

// The points of every line series of the chart, by series name, stretches one after another.
std::map<QString, std::vector<std::vector<QPointF>>> lines(QChart& chart) {
    std::map<QString, std::vector<std::vector<QPointF>>> result;
    for (QAbstractSeries* series : chart.series())
        if (auto* line = qobject_cast<QLineSeries*>(series)) {
            const QList<QPointF> points = line->points();
            result[line->name()].emplace_back(points.begin(), points.end());
        }
    return result;
}

} // namespace

// The zone list's texts and order are ChartDataTest's; here: it loads today with every zone selected.
TEST(ChartWindow, LoadsTodayWithEveryZoneSelectedAndSelectAllTogglesThem) {
    Site s;
    ui::ChartWindow window(*s.ctx.databases.kvr, s.seams.clock, s.seams.dialogs);
    EXPECT_EQ(window.findChild<QDateEdit*>("DTFrom")->date(), QDate(2026, 7, 1));
    EXPECT_EQ(window.findChild<QDateEdit*>("DTTo")->date(), QDate(2026, 7, 1));
    auto* list = window.findChild<QListWidget*>("lisZones");
    EXPECT_EQ(selected(*list), QStringList({"1-Cooler", "2-Freezer", "5-Dock"}));
    auto* all = window.findChild<QCheckBox*>("chkSelectAll");
    all->click();
    EXPECT_TRUE(selected(*list).isEmpty());
    all->click();
    EXPECT_EQ(selected(*list).size(), 3);
}

TEST(ChartWindow, DrawsOneLinePerSelectedZoneBrokenWhereNothingIsPlotted) {
    Site s;
    ui::ChartWindow window(*s.ctx.databases.kvr, s.seams.clock, s.seams.dialogs);
    window.show();
    window.findChild<QDateEdit*>("DTFrom")->setDate(QDate(2026, 6, 30));
    window.findChild<QDateEdit*>("DTTo")->setDate(QDate(2026, 6, 30));
    auto* list = window.findChild<QListWidget*>("lisZones");
    list->item(0)->setSelected(false); // 1-Cooler off
    window.findChild<QPushButton*>("cmdGraph")->click();
    auto* chart = window.findChild<QChartView*>("MSChart1")->chart();
    auto drawn = lines(*chart);
    ASSERT_EQ(drawn.size(), 2U);
    EXPECT_EQ(drawn["2-Freezer"],
              (std::vector<std::vector<QPointF>>{{QPointF(0, 0)}, {QPointF(2, 2)}})); // hour 1 has no reading
    EXPECT_EQ(drawn["5-Dock"],
              (std::vector<std::vector<QPointF>>{{QPointF(0, 40), QPointF(1, 41), QPointF(2, 42)}}));
    EXPECT_EQ(window.findChild<QLabel*>("lblFootnote")->text(), "From: 06/30/2026 To: 06/30/2026");
    EXPECT_EQ(window.table().rowCount(), 24);

    // Each drawing starts from an empty chart: nothing of the last one stays.
    window.findChild<QCheckBox*>("chkSelectAll")->click();
    window.findChild<QPushButton*>("cmdGraph")->click();
    EXPECT_TRUE(chart->series().isEmpty());

    window.findChild<QCheckBox*>("chkSelectAll")->click();
    window.findChild<QRadioButton*>("optBar")->click();
    window.findChild<QDateEdit*>("DTTo")->setDate(QDate(2026, 7, 1));
    window.findChild<QPushButton*>("cmdGraph")->click();
    ASSERT_EQ(chart->series().size(), 1);
    EXPECT_EQ(window.table().rowLabels, QStringList({"06/30/2026", "07/01/2026"}));
}

TEST(ChartWindow, PrintsTheCopiesInTheOrientationChosenWithTheFootnote) {
    Site s;
    ui::ChartWindow window(*s.ctx.databases.kvr, s.seams.clock, s.seams.dialogs);
    window.show();
    window.cmdGraph_Click();
    const QString pdf = s.site.file("chart.pdf");
    QPrinter& printer = window.printer();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    printer.setCopyCount(2);
    printer.setPageOrientation(QPageLayout::Landscape);
    EXPECT_TRUE(test::answerModal<QPrintDialog>([&] { window.cmdPrint_Click(); },
                                                [](QPrintDialog& d) { d.accept(); }));
    EXPECT_EQ(test::pdfLines(pdf).filter(window.table().footnote).size(), 2);
    QProcess info;
    info.start(QStringLiteral("pdfinfo"), {pdf});
    info.waitForFinished(30000);
    const QRegularExpression size(QStringLiteral("Page size:\\s+([0-9.]+) x ([0-9.]+)"));
    const auto match = size.match(QString::fromUtf8(info.readAllStandardOutput()));
    ASSERT_TRUE(match.hasMatch());
    EXPECT_GT(match.captured(1).toDouble(), match.captured(2).toDouble()) << "landscape";
    EXPECT_TRUE(window.findChild<QGroupBox*>()->isVisible());

    // Cancelling the dialog prints nothing.
    QFile::remove(pdf);
    EXPECT_TRUE(test::answerModal<QPrintDialog>([&] { window.cmdPrint_Click(); },
                                                [](QPrintDialog& d) { d.reject(); }));
    EXPECT_FALSE(QFile::exists(pdf));
}
