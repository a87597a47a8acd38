// A site without zones: before monitoring starts, the window leads the user through the port settings, the
// site settings and the sensor installation, one window after the other.
#include "app/AppContext.h"
#include "app/UserSettings.h"
#include "store/Database.h"
#include "support/FakeClock.h"
#include "support/Ha5Commands.h"
#include "support/RecordedDialogs.h"
#include "support/ScriptedPort.h"
#include "support/SiteDatabases.h"
#include "support/TempSite.h"
#include "ui/MainWindow.h"

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <gtest/gtest.h>

using namespace kelvara;

namespace {

class FirstStart : public ::testing::Test {
protected:
    FirstStart() {
        ctx.siteDir = site.path();
        ctx.DatabaseMode = "KVR";
        ctx.commands = test::ha5Commands();
        test::openSiteDatabases(ctx, site);
        site.write("KVR.INI", "BusinessName=Test\nZones=0\nDONE\n");
    }

    // Closes every modal window as it appears and notes its name, as a user pressing Escape would.
    QStringList closeModalsAsTheyCome() {
        QStringList seen;
        auto* watcher = new QTimer(qApp);
        QObject::connect(watcher, &QTimer::timeout, [&seen] {
            if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                seen << dialog->objectName();
                dialog->reject();
            }
        });
        watcher->start(10);
        ui::MainWindow window(ctx, {clock, dialogs, settings, port.portFactory(), port.pauseFactory()});
        window.runFirstStart();
        delete watcher;
        return seen;
    }

    test::TempSite site;
    app::AppContext ctx;
    app::UserSettings settings{site.file("user.ini")};
    test::FakeClock clock;
    test::ScriptedPort port{clock};
    test::RecordedDialogs dialogs;
};

} // namespace

TEST_F(FirstStart, NoZonesOpensPortSettingsSiteSettingsAndInstallationInTurn) {
    ctx.settings.Zones = 0;
    EXPECT_EQ(closeModalsAsTheyCome(), QStringList({"frmComPort", "frmSystem", "frmInstallKey"}));
}

TEST_F(FirstStart, ASiteWithZonesGoesStraightToMonitoring) {
    ctx.settings.Zones = 3;
    EXPECT_TRUE(closeModalsAsTheyCome().isEmpty());
}
