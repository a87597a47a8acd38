// The chart window on a real zone database: its load (dates, zone list by Room, everything selected),
// select-all, the series a drawing makes (gaps for empty rows, the footnote, an empty chart for no zone),
// printing to a PDF, and the toolbar's "Graph" opening it.
#include "ui/ChartWindow.h"

#include "WindowSeams.h"
#include "app/AppContext.h"
#include "store/MonitorSetsStore.h"
#include "store/MonitorStore.h"
#include "support/ModalDialog.h"
#include "support/PdfText.h"
#include "support/SiteDatabases.h"
#include "ui/MainWindow.h"

#include <QAction>
#include <QApplication>
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
#include <QTimer>
#include <QToolBar>
#include <gtest/gtest.h>

using namespace kelvara;

namespace {

// Rooms 1, 2 and 5; readings on 30 June (a gap at 1 am for room 2, "NR" at 2 am for room 1) and 1 July 2026.
struct Site {
    Site() {
        ctx.siteDir = site.path();
        ctx.DatabaseMode = QStringLiteral("KVR");
        test::openSiteDatabases(ctx, site);
        for (const auto& [room, name] : std::vector<std::pair<int, QString>>{{1, QStringLiteral("Cooler")},
                                                                             {2, QStringLiteral("Freezer")},
                                                                             {5, QStringLiteral("Dock")}}) {
            store::MonitorSetsRow zone;
            zone.Room = room;
            zone.Name = name;
            EXPECT_TRUE(store::MonitorSetsStore(*ctx.databases.kvr).insert(zone).ok());
        }
        const std::vector<std::tuple<QDate, int, QString, QString, QString>> rows{
            {QDate(2026, 6, 30), 0, "35", "0", "40"},
            {QDate(2026, 6, 30), 1, "36", "", "41"},
            {QDate(2026, 6, 30), 2, "NR", "2", "42"},
            {QDate(2026, 7, 1), 9, "37", "3", "43"}};
        for (const auto& [day, hour, t1, t2, t5] : rows) {
            store::MonitorRow row;
            row.RecDate = day;
            row.RecTime = QTime(hour, 0);
            row.setTemp(1, t1);
            if (!t2.isEmpty())
                row.setTemp(2, t2);
            row.setTemp(5, t5);
            EXPECT_TRUE(store::MonitorStore(*ctx.databases.kvr).insert(row).ok());
        }
    }
    test::TempSite site;
    app::AppContext ctx;
    test::WindowSeams seams;
};

QStringList listed(const QListWidget& list, bool selectedOnly) {
    QStringList texts;
    for (int i = 0; i < list.count(); ++i)
        if (!selectedOnly || list.item(i)->isSelected())
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

TEST(ChartWindow, LoadsTodayAndEveryZoneByRoomSelected) {
    Site s;
    ui::ChartWindow window(*s.ctx.databases.kvr, s.seams.clock, s.seams.dialogs);
    EXPECT_EQ(window.windowTitle(), " Temperature Charting");
    EXPECT_EQ(window.findChild<QGroupBox*>()->title(), " Date Range ");
    EXPECT_EQ(window.findChild<QDateEdit*>("DTFrom")->date(), QDate(2026, 7, 1));
    EXPECT_EQ(window.findChild<QDateEdit*>("DTTo")->date(), QDate(2026, 7, 1));
    auto* list = window.findChild<QListWidget*>("lisZones");
    EXPECT_EQ(listed(*list, false), QStringList({"1-Cooler", "2-Freezer", "5-Dock"}));
    EXPECT_EQ(listed(*list, true), listed(*list, false));
    for (const char* name : {"optLine", "optBar", "opt3DBar"})
        EXPECT_NE(window.findChild<QRadioButton*>(name), nullptr) << name;
    EXPECT_EQ(window.findChild<QRadioButton*>("optBar")->text(), " Plain Bar");
    for (const auto& [name, tag] : std::vector<std::pair<const char*, const char*>>{
             {"cmdGraph", "Graph"}, {"cmdPrint", "Print"}, {"cmdExit", "Exit"}})
        EXPECT_EQ(window.findChild<QPushButton*>(name)->property("tag").toString(), tag);
    auto* chart = window.findChild<QChartView*>("MSChart1")->chart();
    EXPECT_EQ(chart->title(), "Daily Temperature Display");

    auto* all = window.findChild<QCheckBox*>("chkSelectAll");
    all->click();
    EXPECT_TRUE(listed(*list, true).isEmpty());
    all->click();
    EXPECT_EQ(listed(*list, true).size(), 3);
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

TEST(ChartWindow, TheToolbarGraphOpensIt) {
    Site s;
    ui::MainWindow window(s.ctx, s.seams.seams());
    QAction* graph = nullptr;
    for (QAction* action : window.findChild<QToolBar*>("Toolbar1")->actions())
        if (action->objectName() == QLatin1String("Graph"))
            graph = action;
    ASSERT_NE(graph, nullptr);
    EXPECT_TRUE(graph->isEnabled());
    bool seen = false;
    QTimer::singleShot(0, [&] {
        if (auto* shown = qobject_cast<ui::ChartWindow*>(QApplication::activeModalWidget())) {
            seen = true;
            shown->findChild<QPushButton*>("cmdExit")->click();
        }
    });
    graph->trigger();
    EXPECT_TRUE(seen);
}
