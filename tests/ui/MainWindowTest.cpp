// The main window's layout rules: the error line, the View toggle group, the cook-only layout, the unit
// caption.
#include "ui/MainWindow.h"

#include "WindowSeams.h"
#include "app/AppContext.h"
#include "support/ModalDialog.h"
#include "support/TempSite.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <gtest/gtest.h>

using namespace kelvara;

namespace {

QMenu* menu(ui::MainWindow& w, const QString& title) {
    for (QAction* a : w.menuBar()->actions())
        if (a->text() == title && a->menu())
            return a->menu();
    return nullptr;
}

QStringList visibleEntries(QMenu* m) {
    QStringList entries;
    for (QAction* a : m->actions())
        if (a->isVisible())
            entries << (a->isSeparator() ? QStringLiteral("-") : a->text());
    return entries;
}

} // namespace

TEST(MainWindowView, ALogEntryShowsItsFileAndASecondChoiceHidesTheListAgain) {
    test::TempSite site;
    site.write("SMTP.log", "first line\nsecond line\n");
    app::AppContext ctx;
    ctx.siteDir = site.path();
    ctx.DatabaseMode = "KVR";
    test::WindowSeams seams;
    ui::MainWindow window(ctx, seams.seams());
    window.show();
    auto* list = window.findChild<QListWidget*>("lstEMailStatus");
    window.reportError("Timeout", "Port_Data");
    ASSERT_EQ(list->count(), 1);
    EXPECT_EQ(list->item(0)->text(), "Error: Timeout in Module:Port_Data");

    window.chooseView(1); // "Alarm Notification Log"
    EXPECT_TRUE(list->isVisible());
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(list->item(1)->text(), "second line");
    QMenu* view = menu(window, "View");
    EXPECT_TRUE(view->actions().at(1)->isChecked());

    window.chooseView(1);
    EXPECT_FALSE(list->isVisible());
    EXPECT_FALSE(view->actions().at(1)->isChecked());

    window.chooseView(2); // "Communications Log" without its file: an empty list
    EXPECT_TRUE(list->isVisible());
    EXPECT_EQ(list->count(), 0);
    EXPECT_FALSE(view->actions().at(1)->isChecked());
    EXPECT_TRUE(view->actions().at(2)->isChecked());
}

TEST(MainWindowLayout, ACookOnlySiteShowsNoZonePartsAndAZoneOnlySiteNoCookMenu) {
    app::AppContext cookOnly;
    cookOnly.DatabaseMode = "Thermo";
    test::WindowSeams seams;
    ui::MainWindow cook(cookOnly, seams.seams());
    EXPECT_EQ(visibleEntries(menu(cook, "File")), QStringList({"Turn ON Lights on Panel", "-", "Exit"}));
    EXPECT_FALSE(menu(cook, "Reports")->menuAction()->isVisible());
    QStringList buttons;
    for (QAction* a : cook.findChild<QToolBar*>("Toolbar1")->actions())
        if (a->isVisible())
            buttons << a->objectName();
    EXPECT_EQ(buttons, QStringList({"Exit", "Properties", "Read"}));
    cook.show();
    EXPECT_FALSE(cook.findChild<QWidget*>("gridC3")->isVisible());
    EXPECT_FALSE(cook.findChild<QWidget*>("fraGeneral")->isVisible());

    app::AppContext zoneOnly;
    zoneOnly.DatabaseMode = "KVR";
    zoneOnly.settings.TempType = "C";
    // Start-up's notices (two settings files missing, say) are all shown, not only the last one.
    zoneOnly.startupNotices = {"Could not read KVR.INI (No such file or directory).",
                               "Could not read SensorReader.ini (No such file or directory)."};
    ui::MainWindow zones(zoneOnly, seams.seams());
    EXPECT_FALSE(menu(zones, "Cook Cycles")->menuAction()->isVisible());
    EXPECT_EQ(zones.findChild<QLabel*>("lblDegree")->text(), "°C");
    EXPECT_TRUE(menu(zones, "Reports")->menuAction()->isVisible());
    const QString status = zones.findChild<QLabel*>("lblStatus")->text();
    for (const QString& notice : zoneOnly.startupNotices)
        EXPECT_TRUE(status.contains(notice)) << status.toStdString();
}

// A site with zones goes straight to monitoring: none of the first-start windows opens; nor does one whose
// zone database is there but did not open (damaged, locked), whatever KVR.INI says: it is no new site.
// (The first-site walk goes through them on a new site.)
class FirstStart : public ::testing::TestWithParam<int> {};

TEST_P(FirstStart, ASiteWithZonesOrAnUnopenedZoneDatabaseOpensNoFirstStartWindow) {
    app::AppContext ctx;
    ctx.DatabaseMode = "KVR"; // KVR.db is there; none is open here
    ctx.settings.Zones = GetParam();
    test::WindowSeams seams;
    ui::MainWindow window(ctx, seams.seams());
    EXPECT_FALSE(test::answerModal<QDialog>([&] { window.runFirstStart(); }, [](QDialog& d) { d.reject(); }));
}

INSTANTIATE_TEST_SUITE_P(Zones, FirstStart, ::testing::Values(3, 0));
