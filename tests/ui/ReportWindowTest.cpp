// The report window on a real site: its two modes by caption, the refused batch fields, a report printed to a
// PDF and read back, and every report menu entry (and the chart's button) opening its window.
#include "ui/ReportWindow.h"

#include "WindowSeams.h"
#include "app/AppContext.h"
#include "store/AlarmsStore.h"
#include "support/ModalDialog.h"
#include "support/PdfText.h"
#include "support/SiteDatabases.h"
#include "support/ZoneRows.h"
#include "ui/MainWindow.h"

#include <QAction>
#include <QDateEdit>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QToolBar>
#include <gtest/gtest.h>

using namespace kelvara;

namespace {

// Zone 5 with an alarm on 1 July 2026, today.
struct Site : test::WindowSite {
    Site() {
        test::addZones(*ctx.databases.kvr, {{5, "Dock"}});
        EXPECT_TRUE(store::AlarmsStore(*ctx.databases.kvr)
                        .insert({.Room = 5,
                                 .Date = QDate(2026, 7, 1),
                                 .Time = QTime(9, 15),
                                 .Temp = "44",
                                 .AlarmTemp = 41,
                                 .AlarmType = "High"})
                        .ok());
    }

    std::unique_ptr<ui::ReportWindow> window(const QString& title) {
        return std::make_unique<ui::ReportWindow>(
            title, reports::ReportSite{ctx.databases.kvr.get(), ctx.siteDir, ctx.dataDir}, seams.clock,
            seams.dialogs);
    }

    // The report as "Print" sends it: the printer dialog, set to a PDF file and `copies`, is accepted, or
    // cancelled when `accept` is false.
    QStringList printed(ui::ReportWindow& window, int copies = 1, bool accept = true) {
        QPrinter& printer = window.output().printer();
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(site.file("report.pdf"));
        printer.setCopyCount(copies);
        QFile::remove(site.file("report.pdf"));
        EXPECT_TRUE(test::answerModal<QPrintDialog>(
            [&] { window.print(); }, [accept](QPrintDialog& d) { accept ? d.accept() : d.reject(); }));
        return test::pdfLines(site.file("report.pdf"));
    }
};

TEST(ReportWindow, TheCaptionChoosesDatesOrBatchNumbers) {
    Site s;
    for (const auto& [title, batches] :
         std::vector<std::pair<const char*, bool>>{{"Daily Temperatures", false},
                                                   {"Alarm Report", false},
                                                   {"Archive Data", false},
                                                   {"Listing By Date", false},
                                                   {"Listing By Batch #", true}}) {
        const auto window = s.window(QString::fromLatin1(title));
        EXPECT_EQ(window->findChild<QLabel*>("lblTitle")->text(), batches ? "Batch Range" : "Date Range");
        for (const char* name : {"DTFrom", "DTTo"})
            EXPECT_EQ(window->findChild<QDateEdit*>(name)->isHidden(), batches) << title << " " << name;
        for (const char* name : {"txtBatchStart", "txtBatchEnd"})
            EXPECT_EQ(window->findChild<QLineEdit*>(name)->isHidden(), !batches) << title << " " << name;
    }
}

TEST(ReportWindow, ABatchFieldTakesAWholeNumberOnly) {
    Site s;
    const auto window = s.window(QStringLiteral("Listing By Batch #"));
    for (const auto& [first, last] : std::vector<std::pair<const char*, const char*>>{
             {"", "5"}, {"1.5", "5"}, {"-1", "5"}, {"1", "5 or 1=1"}, {"abc", "5"}, {"1", "99999999999"}}) {
        s.seams.dialogs.texts.clear();
        window->findChild<QLineEdit*>("txtBatchStart")->setText(first);
        window->findChild<QLineEdit*>("txtBatchEnd")->setText(last);
        EXPECT_FALSE(window->document().has_value()) << first << " to " << last;
        EXPECT_EQ(s.seams.dialogs.texts, QStringList{ui::ReportWindow::kInvalidBatchText})
            << first << " to " << last;
    }
    window->findChild<QLineEdit*>("txtBatchStart")->setText(" 3 ");
    window->findChild<QLineEdit*>("txtBatchEnd")->setText("9999999");
    const auto report = window->document();
    ASSERT_TRUE(report.has_value()) << s.seams.dialogs.texts.join('\n').toStdString();
    EXPECT_EQ(report->range, "From: 3 To: 9999999");
}

TEST(ReportWindow, PrintsTheReportOfTheDatesChosenInTheCopiesAskedForOrNothingWhenCancelled) {
    Site s;
    const auto window = s.window(QStringLiteral("Alarm Report"));
    const QStringList lines = s.printed(*window, 2);
    EXPECT_EQ(lines.count("5 - Dock 07/01/2026 9:15 am 44 41 High"), 2) << lines.join('\n').toStdString();
    EXPECT_EQ(lines.count("From: 07/01/2026 To: 07/01/2026"), 2);

    window->findChild<QDateEdit*>("DTFrom")->setDate(QDate(2026, 7, 2));
    window->findChild<QDateEdit*>("DTTo")->setDate(QDate(2026, 7, 3));
    EXPECT_TRUE(s.printed(*window).contains("No records"));
    EXPECT_TRUE(s.printed(*window, 1, false).isEmpty());
    EXPECT_FALSE(QFile::exists(s.site.file("report.pdf")));
    EXPECT_TRUE(s.seams.dialogs.texts.isEmpty()) << s.seams.dialogs.texts.join('\n').toStdString();
}

TEST(ReportWindow, PreviewShowsTheReportUnderItsCaption) {
    Site s;
    const auto window = s.window(QStringLiteral("Daily Temperatures"));
    int pages = 0;
    QString caption;
    EXPECT_TRUE(
        test::answerModal<QPrintPreviewDialog>([&] { window->preview(); },
                                               [&](QPrintPreviewDialog& d) {
                                                   caption = d.windowTitle();
                                                   pages = d.findChild<QPrintPreviewWidget*>()->pageCount();
                                                   d.reject();
                                               }));
    EXPECT_EQ(caption, "Daily Temperatures");
    EXPECT_EQ(pages, 1);
}

TEST(ReportWindow, EachReportMenuEntryAndTheGraphButtonOpenTheirWindow) {
    Site s;
    ui::MainWindow main(s.ctx, s.seams.seams());
    QList<QAction*> entries;
    for (const char* menuName : {"mnuReport", "mnuBatchListing"})
        entries += main.menuBar()->findChild<QMenu*>(menuName)->actions();
    entries << main.findChild<QToolBar*>("Toolbar1")->findChild<QAction*>("Graph");
    QStringList opened;
    for (QAction* entry : entries) {
        EXPECT_TRUE(entry->isEnabled()) << entry->text().toStdString();
        test::answerModal<QDialog>([entry] { entry->trigger(); },
                                   [&](QDialog& d) {
                                       opened << d.windowTitle();
                                       d.close();
                                   });
    }
    EXPECT_EQ(opened, QStringList({" Daily Temperatures", " Alarm Report", " Archive Data",
                                   " Listing By Date", " Listing By Batch #", " Temperature Charting"}));
}

} // namespace
