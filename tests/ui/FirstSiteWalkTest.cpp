// A new user's first site, through the windows only: the first start's port settings, site settings and
// sensor installation with its alarm panel, then the zone configuration; the next reading pass raises the
// warm zone and its lamp lights on the simulated bus, and stays lit when the configuration is looked at
// again.
#include "MenuEntry.h"
#include "app/AppContext.h"
#include "app/SingleInstance.h"
#include "app/SiteCreator.h"
#include "app/Startup.h"
#include "app/UserSettings.h"
#include "install/ZoneGridColumn.h"
#include "monitoring/MonitoringCycle.h"
#include "monitoring/MonitoringJob.h"
#include "store/MonitorSetsStore.h"
#include "support/FakeClock.h"
#include "support/RecordedDialogs.h"
#include "support/SimProcess.h"
#include "support/SystemSeams.h"
#include "support/TempSite.h"
#include "ui/MainWindow.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QPushButton>
#include <QTableView>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include <map>

using namespace kelvara;
using install::ZoneGridColumn;

namespace {

// Plays the user in each modal window as it opens, once per window name, then closes it.
class WindowScript {
public:
    explicit WindowScript(std::map<QString, std::function<void(QDialog&)>> steps)
        : m_steps(std::move(steps)) {
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (dialog == nullptr || m_busy)
                return;
            m_busy = true;
            seen << dialog->objectName();
            if (auto step = m_steps.find(dialog->objectName()); step != m_steps.end())
                step->second(*dialog);
            dialog->reject();
            m_busy = false;
        });
        m_timer.start(20);
    }

    QStringList seen;

private:
    std::map<QString, std::function<void(QDialog&)>> m_steps;
    QTimer m_timer;
    bool m_busy = false;
};

void setCell(QDialog& window, const char* grid, int row, int column, const QVariant& value) {
    auto* view = window.findChild<QTableView*>(QLatin1String(grid));
    ASSERT_NE(view, nullptr) << grid;
    ASSERT_LT(row, view->model()->rowCount()) << grid;
    EXPECT_TRUE(view->model()->setData(view->model()->index(row, column), value)) << grid;
}

QString cell(QDialog& window, const char* grid, int row, int column) {
    auto* view = window.findChild<QTableView*>(QLatin1String(grid));
    return view ? view->model()->index(row, column).data().toString() : QString();
}

QString zoneCell(ui::MainWindow& window, int row, int column, int role = Qt::DisplayRole) {
    const QAbstractItemModel* grid = window.findChild<QTableView*>("gridC3")->model();
    return grid->data(grid->index(row, column), role).toString();
}

} // namespace

TEST(FirstSiteWalk, FromAnEmptySiteToALitAlarmLampUsingOnlyTheWindows) {
    test::SimProcess sim(R"({"devices": []})");
    ASSERT_TRUE(sim.started());
    const QString coolerSensor = sim.control("crc 750000000000A128").section(' ', -1);
    const QString warmSensor = sim.control("crc 760000000000B228").section(' ', -1);
    const QString coolerLamp = sim.control("crc 610000000000C105").section(' ', -1);
    const QString warmLamp = sim.control("crc 620000000000D205").section(' ', -1);
    sim.control(QStringLiteral(R"(add {"rom": "%1", "temperature": 4})").arg(coolerSensor));
    sim.control(QStringLiteral(R"(add {"rom": "%1", "temperature": 30})").arg(warmSensor));
    sim.control(QStringLiteral(R"(add {"rom": "%1", "on": false})").arg(coolerLamp));
    sim.control(QStringLiteral(R"(add {"rom": "%1", "on": false})").arg(warmLamp));

    test::TempSite site;
    ASSERT_TRUE(app::SiteCreator(qEnvironmentVariable("KELVARA_DATA_DIR"))
                    .create(site.path(), app::SiteCreator::Sides::Zone)
                    .ok());
    const QString oldDir = QDir::currentPath();
    QDir::setCurrent(site.path());
    app::AppContext ctx;
    ctx.siteDir = site.path();
    test::RecordedDialogs dialogs;
    app::SingleInstance instance;
    ASSERT_EQ(app::Startup(ctx, dialogs, instance).run(), app::Startup::Outcome::Running);
    ASSERT_EQ(ctx.settings.Zones, 0);
    app::UserSettings settings(site.file("user.ini"));
    test::FakeClock clock(QDateTime(QDate(2026, 7, 1), QTime(10, 0, 0)));
    clock.setAutoAdvance(1);

    ui::MainWindow window(ctx, {clock, dialogs, settings, test::systemPorts(), test::eventLoopPauses()});
    {
        // Yes to the overwrite and to the alarm panel setup; No to the lamp test.
        dialogs.answers = {true, true, false};
        WindowScript script({
            {"frmComPort",
             [&](QDialog& w) {
                 w.findChild<QComboBox*>("cboPort")->setCurrentText(sim.ptyPath());
                 w.findChild<QComboBox*>("cboSpeed")->setCurrentText("115200");
                 w.findChild<QAction*>("mnuSave")->trigger();
             }},
            {"frmInstallKey",
             [&](QDialog& w) {
                 w.findChild<QAction*>("Read")->trigger();
                 // The user numbers and names the zones by the serial numbers the list shows.
                 for (int row = 0; row < 2; ++row) {
                     const bool warm = cell(w, "gridMonitors", row, 2) == warmSensor;
                     setCell(w, "gridMonitors", row, 0, warm ? 2 : 1);
                     setCell(w, "gridMonitors", row, 1, warm ? "Warm Room" : "Cooler");
                 }
                 w.findChild<QAction*>("Save")->trigger();
                 // Then enters each lamp switch's zone from the panel's sheet.
                 for (int row = 0; row < 2; ++row)
                     setCell(w, "gridAlarmPanel", row, 0,
                             cell(w, "gridAlarmPanel", row, 1) == warmLamp ? 2 : 1);
                 w.findChild<QPushButton*>("cmdButton_0")->click();
             }},
        });
        window.runFirstStart();
        EXPECT_EQ(script.seen, QStringList({"frmComPort", "frmSystem", "frmInstallKey"}));
    }
    ASSERT_EQ(ctx.settings.Zones, 2) << dialogs.texts.join('\n').toStdString();
    ASSERT_EQ(window.findChild<QTableView*>("gridC3")->model()->rowCount(), 2);

    window.startMonitoring();
    {
        WindowScript script({{"frmTempSetup", [&](QDialog& w) {
                                  for (int row = 0; row < 2; ++row) {
                                      setCell(w, "gridMonitors", row, int(ZoneGridColumn::Alarm), true);
                                      setCell(w, "gridMonitors", row, int(ZoneGridColumn::Low), 0.0);
                                      setCell(w, "gridMonitors", row, int(ZoneGridColumn::High), 8.0);
                                  }
                              }}});
        QAction* configuration = test::menuEntry(window, "Temperature Zone Configuration");
        ASSERT_NE(configuration, nullptr);
        configuration->trigger();
        EXPECT_EQ(script.seen, QStringList({"frmTempSetup"}));
    }
    const auto zones = store::MonitorSetsStore(*ctx.databases.kvr).loadAll().value();
    ASSERT_EQ(zones.size(), 2u);
    EXPECT_EQ(zones[1].Name, "Warm Room");
    EXPECT_EQ(zones[1].ALarmSerialNo, warmLamp);
    EXPECT_EQ(zones[1].HighAlarm, 8.0);
    EXPECT_TRUE(window.job().cycle().timerEnabled()); // monitoring runs again after the window

    window.job().cycle().readNow();
    const QString red = QColor(255, 0, 0).name();
    EXPECT_EQ(zoneCell(window, 1, 2), "30");
    EXPECT_EQ(sim.control("get " + warmLamp), warmLamp + " on");
    EXPECT_EQ(sim.control("get " + coolerLamp), coolerLamp + " off");
    EXPECT_EQ(zoneCell(window, 1, 0, Qt::BackgroundRole), red);

    // Looking at the configuration again changes nothing: the alarm stands, its lamp stays lit, its row red,
    // and both zones keep their readings until the next pass.
    {
        WindowScript script({});
        test::menuEntry(window, "Temperature Zone Configuration")->trigger();
        EXPECT_EQ(script.seen, QStringList({"frmTempSetup"}));
    }
    EXPECT_EQ(sim.control("get " + warmLamp), warmLamp + " on");
    EXPECT_EQ(zoneCell(window, 1, 0, Qt::BackgroundRole), red);
    EXPECT_EQ(zoneCell(window, 0, 2), "4");
    EXPECT_EQ(zoneCell(window, 1, 2), "30");

    window.job().unload();
    QDir::setCurrent(oldDir);
}
