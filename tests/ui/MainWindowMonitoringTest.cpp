// The main window over a running monitoring job on the bus simulator: row colours, the zone details panel,
// the temporary disable from the window, the toolbar during a pass, and a close the login turns down.
#include "app/AppContext.h"
#include "app/UserSettings.h"
#include "monitoring/MonitoringCycle.h"
#include "monitoring/MonitoringJob.h"
#include "store/Database.h"
#include "store/MonitorSetsStore.h"
#include "support/FakeClock.h"
#include "support/Ha5Commands.h"
#include "support/RecordedDialogs.h"
#include "support/SimProcess.h"
#include "support/TempSite.h"
#include "ui/MainWindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <QToolBar>
#include <gtest/gtest.h>

using namespace kelvara;

namespace {

const QString kSensors[] = {"750000000000A128", "760000000000B228"};
const QString kLamps[] = {"610000000000C105", "620000000000D205"};

class MainWindowMonitoring : public ::testing::Test {
protected:
    MainWindowMonitoring() : sim(R"({"devices": []})") {
        EXPECT_TRUE(sim.started());
        for (int i = 0; i < 2; ++i) {
            sensors << sim.control("crc " + kSensors[i]).section(' ', -1);
            lamps << sim.control("crc " + kLamps[i]).section(' ', -1);
            sim.control(QStringLiteral(R"(add {"rom": "%1", "temperature": 4})").arg(sensors[i]));
            sim.control(QStringLiteral(R"(add {"rom": "%1", "on": false})").arg(lamps[i]));
        }
        ctx.siteDir = site.path();
        ctx.DatabaseMode = "KVR";
        ctx.commands = test::ha5Commands();
        ctx.settings.TempType = "C";
        ctx.settings.Zones = 2;
        EXPECT_TRUE(store::createDatabase(site.file("KVR.db"), store::DatabaseKind::Kvr).ok());
        ctx.databases.kvr = std::make_unique<store::Database>(store::DatabaseKind::Kvr);
        EXPECT_TRUE(ctx.databases.kvr->open(site.file("KVR.db")).ok());
        // Rooms 3 and 7: room numbers need not follow the zones' places.
        const int rooms[] = {3, 7};
        for (int i = 0; i < 2; ++i) {
            store::MonitorSetsRow z;
            z.Room = rooms[i];
            z.Name = QStringLiteral("Cooler %1").arg(rooms[i]);
            z.SerialNo = sensors[i];
            z.Record = i == 0;
            z.Alarm = true;
            z.HighAlarm = 8;
            z.LowAlarm = -2.5;
            z.ALarmSerialNo = lamps[i];
            EXPECT_TRUE(zones().insert(z).ok());
        }
        settings.save("Properties", "Settings", "115200,n,8,1");
        settings.save("Properties", "PortName", sim.ptyPath());
        clock.setAutoAdvance(1); // exchange deadlines must pass on a clock that otherwise stands still
    }

    store::MonitorSetsStore zones() { return store::MonitorSetsStore(*ctx.databases.kvr); }
    QColor rowColour(ui::MainWindow& w, int row) {
        return w.findChild<QTableWidget*>("gridC3")->item(row, 0)->background().color();
    }

    test::SimProcess sim;
    QStringList sensors, lamps;
    test::TempSite site;
    app::AppContext ctx;
    app::UserSettings settings{site.file("user.ini")};
    test::FakeClock clock{QDateTime(QDate(2026, 7, 1), QTime(10, 0, 0))};
    test::RecordedDialogs dialogs;
};

// Answers the next modal window by rejecting it, as a user pressing Cancel would.
void cancelNextModal() {
    QTimer::singleShot(0, [] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
            dialog->reject();
    });
}

// Confirms the next login with the site's empty password.
void acceptNextLogin() {
    QTimer::singleShot(0, [] {
        if (QWidget* dialog = QApplication::activeModalWidget())
            if (auto* ok = dialog->findChild<QPushButton*>("cmdOK"))
                ok->click();
    });
}

} // namespace

TEST_F(MainWindowMonitoring, RowsAreRedWhileRaisedAndOutsideYellowWhenDisabledWhiteOtherwise) {
    ui::MainWindow window(ctx);
    window.startMonitoring(clock, dialogs, settings);
    auto& state = window.job()->cycle().alarmState();

    state.ZoneAlarmRaised[0] = true;
    state.AlarmCondition = true;
    window.passFinished();
    EXPECT_EQ(rowColour(window, 0), QColor(255, 0, 0));
    EXPECT_EQ(rowColour(window, 1), QColor(255, 255, 255));
    EXPECT_TRUE(window.findChild<QLabel*>("AlarmInd")->isVisibleTo(&window));
    EXPECT_FALSE(window.findChild<QLabel*>("AlarmInd")->text().isEmpty());
    // A pass that reads no zone (only the cook side was due) stops the indicator and must start it again.
    Q_EMIT window.job()->cycle().readingChanged(true);
    EXPECT_TRUE(window.findChild<QLabel*>("AlarmInd")->text().isEmpty());
    Q_EMIT window.job()->cycle().readingChanged(false);
    EXPECT_FALSE(window.findChild<QLabel*>("AlarmInd")->text().isEmpty());

    state.AlarmCondition = false; // raised, but no zone is outside in this pass
    window.passFinished();
    EXPECT_EQ(rowColour(window, 0), QColor(255, 255, 255));
    EXPECT_TRUE(window.findChild<QLabel*>("AlarmInd")->text().isEmpty());

    state.AlarmCondition = true;
    state.ZoneAlarmDisabled[0] = true; // disabled wins over raised
    window.passFinished();
    EXPECT_EQ(rowColour(window, 0), QColor(255, 255, 0));
}

TEST_F(MainWindowMonitoring, TheDetailsPanelFollowsTheCurrentZoneAndTheUnitCaption) {
    ui::MainWindow window(ctx);
    auto* grid = window.findChild<QTableWidget*>("gridC3");
    ASSERT_EQ(grid->rowCount(), 2);
    EXPECT_EQ(grid->horizontalHeaderItem(2)->text(), "°C");
    EXPECT_EQ(grid->columnCount(), 12);
    EXPECT_EQ(window.findChild<QLabel*>("panZone")->text(), "3");
    EXPECT_EQ(window.findChild<QLabel*>("panREcord")->text(), "On");
    EXPECT_EQ(window.findChild<QLabel*>("panAlarm")->text(), "[On] ");
    EXPECT_EQ(window.findChild<QLabel*>("panLowAlarm")->text(), "-2.5");
    grid->setCurrentCell(1, 0);
    EXPECT_EQ(window.findChild<QLabel*>("panName")->text(), "Cooler 7");
    EXPECT_EQ(window.findChild<QLabel*>("panSerialNo")->text(), sensors[1]);
    EXPECT_EQ(window.findChild<QLabel*>("panREcord")->text(), "Off");
    EXPECT_FALSE(window.findChild<QLineEdit*>("txtDuration")->isEnabled());
}

TEST_F(MainWindowMonitoring, DisablingAZoneAsksSwitchesItsLampAndStoresTheHoursUntilCleared) {
    ui::MainWindow window(ctx);
    window.startMonitoring(clock, dialogs, settings);
    auto* grid = window.findChild<QTableWidget*>("gridC3");
    auto* box = window.findChild<QCheckBox*>("chkDisableAlarm");
    auto* hours = window.findChild<QLineEdit*>("txtDuration");
    grid->setCurrentCell(1, 0); // room 7, the second zone

    dialogs.answers = {false};
    box->click();
    EXPECT_FALSE(box->isChecked());
    EXPECT_EQ(dialogs.texts.last(), "Are you sure you want to disable the alarm on Zone #7 Cooler 7?");
    EXPECT_EQ(dialogs.titles.last(), " Temporary Alarm Disable - Kelvara");
    EXPECT_FALSE(window.job()->cycle().alarmState().ZoneAlarmDisabled[1]);

    const QDateTime before = clock.now();
    dialogs.answers = {true};
    box->click();
    ASSERT_TRUE(box->isChecked());
    EXPECT_TRUE(hours->isEnabled());
    // The zone's own place in the pass is disabled, whatever its room number.
    EXPECT_TRUE(window.job()->cycle().alarmState().ZoneAlarmDisabled[1]);
    EXPECT_FALSE(window.job()->cycle().alarmState().ZoneAlarmDisabled[0]);
    EXPECT_EQ(sim.control("get " + lamps[1]), lamps[1] + " on");
    EXPECT_EQ(rowColour(window, 1), QColor(255, 255, 0));
    auto stored = zones().findByRoom(7).value().value();
    EXPECT_TRUE(stored.DisableAlarm);
    ASSERT_TRUE(stored.AlarmOn.has_value());
    EXPECT_GE(*stored.AlarmOn, before.time().addSecs(-1));

    hours->setFocus();
    hours->selectAll();
    hours->insert("4");
    hours->setModified(true);
    Q_EMIT hours->editingFinished();
    EXPECT_EQ(zones().findByRoom(7).value()->Duration, 4);
    EXPECT_EQ(grid->item(1, ui::MainWindow::ColDuration)->text(), "4");
    EXPECT_FALSE(dialogs.texts.contains(ui::MainWindow::kEnterKeyMessage));

    box->click(); // clearing asks nothing and sets the hours back to 0
    stored = zones().findByRoom(7).value().value();
    EXPECT_FALSE(stored.DisableAlarm);
    EXPECT_EQ(stored.Duration, 0);
    EXPECT_EQ(hours->text(), "0");
    EXPECT_FALSE(window.job()->cycle().alarmState().ZoneAlarmDisabled[1]);
}

TEST_F(MainWindowMonitoring, APassTurnsTheMenusTheToolbarAndTheDisableBoxOffUntilItEnds) {
    ui::MainWindow window(ctx);
    window.startMonitoring(clock, dialogs, settings);
    auto* toolbar = window.findChild<QToolBar*>("Toolbar1");
    auto* box = window.findChild<QCheckBox*>("chkDisableAlarm");
    QMenuBar* menus = window.menuBar();
    bool offDuringPass = true;
    // Look at the window from inside the pass, when it serves events between two zones.
    QObject::connect(&window.job()->cycle(), &monitoring::MonitoringCycle::statusChanged, &window,
                     [&](const QString&, bool) {
                         offDuringPass = offDuringPass && !toolbar->isEnabled() && !box->isEnabled() &&
                                         !menus->isEnabled();
                     });
    window.job()->cycle().readNow();
    EXPECT_TRUE(offDuringPass);
    EXPECT_TRUE(toolbar->isEnabled());
    EXPECT_TRUE(box->isEnabled());
    EXPECT_TRUE(menus->isEnabled());
    EXPECT_EQ(window.findChild<QTableWidget*>("gridC3")->item(0, 2)->text(), "4");
}

TEST_F(MainWindowMonitoring, AClosePassedDuringAPassWaitsForItsEnd) {
    ui::MainWindow window(ctx);
    window.show();
    window.startMonitoring(clock, dialogs, settings);
    bool closedDuringPass = false;
    QObject::connect(&window.job()->cycle(), &monitoring::MonitoringCycle::statusChanged, &window,
                     [&](const QString&, bool) {
                         if (window.job()->cycle().reading())
                             closedDuringPass = closedDuringPass || window.close();
                     });
    window.job()->cycle().readNow();
    EXPECT_FALSE(closedDuringPass);
    // The pass wrote every zone before the window went.
    EXPECT_EQ(zones().findByRoom(7).value().value().CurrentTemp, "4");
    EXPECT_TRUE(window.isVisible());
    acceptNextLogin();
    QCoreApplication::processEvents();
    EXPECT_FALSE(window.isVisible());
    EXPECT_FALSE(window.job()->cycle().timerEnabled());
}

TEST_F(MainWindowMonitoring, ClosingNeedsThePasswordAndACancelledLoginKeepsMonitoring) {
    ui::MainWindow window(ctx);
    window.show();
    window.startMonitoring(clock, dialogs, settings);
    cancelNextModal();
    EXPECT_FALSE(window.close());
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(window.job()->cycle().timerEnabled());
}
