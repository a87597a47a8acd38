// The report window on a real site: its two modes by caption, the refused batch fields, a report printed to a
// PDF and read back, and every report menu entry opening it under its caption.
#include "ui/ReportWindow.h"

#include "WindowSeams.h"
#include "app/AppContext.h"
#include "store/AlarmsStore.h"
#include "store/MonitorSetsStore.h"
#include "support/ModalDialog.h"
#include "support/PdfText.h"
#include "support/SiteDatabases.h"
#include "ui/MainWindow.h"

#include <QAction>
#include <QApplication>
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
#include <QTimer>
#include <QToolBar>
#include <gtest/gtest.h>

using namespace kelvara;

namespace {

struct Site {
    Site() {
        ctx.siteDir = site.path();
        ctx.dataDir = QString::fromUtf8(qgetenv("KELVARA_DATA_DIR"));
        ctx.DatabaseMode = QStringLiteral("KVR");
        test::openSiteDatabases(ctx, site);
        store::MonitorSetsRow zone;
        zone.Room = 5;
        zone.Name = QStringLiteral("Dock");
        EXPECT_TRUE(store::MonitorSetsStore(*ctx.databases.kvr).insert(zone).ok());
        store::AlarmsRow alarm;
        alarm.Room = 5;
        alarm.Date = QDate(2026, 7, 1);
        alarm.Time = QTime(9, 15);
        alarm.Temp = QStringLiteral("44");
        alarm.AlarmTemp = 41;
        alarm.AlarmType = QStringLiteral("High");
        EXPECT_TRUE(store::AlarmsStore(*ctx.databases.kvr).insert(alarm).ok());
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

    test::TempSite site;
    app::AppContext ctx;
    test::WindowSeams seams;
};

TEST(ReportWindow, TheCaptionChoosesDatesOrBatchNumbers) {
    struct Case {
        const char* title;
        const char* label;
        bool batches;
    };
    Site s;
    for (const Case& c : std::vector<Case>{{"Daily Temperatures", "Date Range", false},
                                           {"Alarm Report", "Date Range", false},
                                           {"Archive Data", "Date Range", false},
                                           {"Listing By Date", "Date Range", false},
                                           {"Listing By Batch #", "Batch Range", true}}) {
        const auto window = s.window(QString::fromLatin1(c.title));
        // Every window's caption starts with a space.
        EXPECT_EQ(window->windowTitle(), QStringLiteral(" ") + QString::fromLatin1(c.title));
        EXPECT_EQ(window->findChild<QLabel*>("lblTitle")->text(), c.label);
        for (const char* name : {"DTFrom", "DTTo"}) {
            auto* date = window->findChild<QDateEdit*>(name);
            EXPECT_EQ(date->isHidden(), c.batches) << c.title << " " << name;
            EXPECT_EQ(date->date(), QDate(2026, 7, 1));
            EXPECT_EQ(date->displayFormat(), "MM/dd/yyyy");
        }
        EXPECT_EQ(window->findChild<QLineEdit*>("txtBatchStart")->isHidden(), !c.batches) << c.title;
        EXPECT_EQ(window->findChild<QLineEdit*>("txtBatchEnd")->isHidden(), !c.batches) << c.title;
        EXPECT_EQ(window->findChild<QLineEdit*>("txtBatchStart")->text(), "0");
        EXPECT_EQ(window->findChild<QLineEdit*>("txtBatchEnd")->text(), "9999999");
        QStringList keys;
        for (QAction* action : window->findChild<QToolBar*>()->actions())
            keys << action->objectName() + "|" + action->text() + "|" + action->toolTip();
        EXPECT_EQ(keys, QStringList({"Preview| Preview |&Preview", "Print| Print |&Print Report",
                                     "Exit| Exit |Exit Reports"}));
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

TEST(ReportWindow, PrintsTheAlarmReportOfTheDatesChosen) {
    Site s;
    const auto window = s.window(QStringLiteral("Alarm Report"));
    const QStringList lines = s.printed(*window);
    EXPECT_TRUE(lines.contains("From: 07/01/2026 To: 07/01/2026")) << lines.join('\n').toStdString();
    EXPECT_TRUE(lines.contains("5 - Dock 07/01/2026 9:15 am 44 41 High")) << lines.join('\n').toStdString();
    EXPECT_TRUE(lines.contains("Total alarms: 1"));

    window->findChild<QDateEdit*>("DTFrom")->setDate(QDate(2026, 7, 2));
    window->findChild<QDateEdit*>("DTTo")->setDate(QDate(2026, 7, 3));
    EXPECT_TRUE(s.printed(*window).contains("No records"));
    EXPECT_TRUE(s.seams.dialogs.texts.isEmpty()) << s.seams.dialogs.texts.join('\n').toStdString();
}

TEST(ReportWindow, PrintsTheCopiesAskedForAndNothingWhenTheDialogIsCancelled) {
    Site s;
    const auto window = s.window(QStringLiteral("Alarm Report"));
    EXPECT_EQ(s.printed(*window, 2).count("Page 1 of 1"), 2);
    EXPECT_TRUE(s.printed(*window, 1, false).isEmpty());
    EXPECT_FALSE(QFile::exists(s.site.file("report.pdf")));
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

TEST(ReportWindow, EachReportMenuEntryOpensItUnderItsCaption) {
    Site s;
    ui::MainWindow main(s.ctx, s.seams.seams());
    QStringList opened;
    for (const auto& [menuName, count] :
         std::vector<std::pair<const char*, int>>{{"mnuReport", 3}, {"mnuBatchListing", 2}}) {
        auto* menu = main.menuBar()->findChild<QMenu*>(menuName);
        ASSERT_NE(menu, nullptr) << menuName;
        ASSERT_EQ(menu->actions().size(), count) << menuName;
        for (QAction* entry : menu->actions()) {
            EXPECT_TRUE(entry->isEnabled()) << entry->text().toStdString();
            QTimer::singleShot(0, [&] {
                if (auto* shown = qobject_cast<ui::ReportWindow*>(QApplication::activeModalWidget())) {
                    opened << shown->windowTitle().mid(1);
                    shown->close();
                }
            });
            entry->trigger();
        }
    }
    EXPECT_EQ(opened, QStringList({"Daily Temperatures", "Alarm Report", "Archive Data", "Listing By Date",
                                   "Listing By Batch #"}));
}

} // namespace
