// The main window over its monitoring job on a scripted port: row colours, the zone details panel, the
// temporary disable from the window, the menus during a pass, and closing through the login.
#include "app/UserSettings.h"
#include "monitoring/MonitoringCycle.h"
#include "monitoring/MonitoringJob.h"
#include "monitoring/ZoneListModel.h"
#include "store/Database.h"
#include "store/MonitorSetsStore.h"
#include "support/ModalDialog.h"
#include "support/SiteBench.h"
#include "ui/MainWindow.h"

#include <QAction>
#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QTableView>
#include <QToolBar>
#include <gtest/gtest.h>

using namespace kelvara;

namespace {

const QByteArray kLamps[] = {"610000000000C105", "620000000000D205"};
const QString kSensors[] = {"750000000000A128", "760000000000B228"};

class MainWindowMonitoring : public ::testing::Test, protected test::SiteContext {
protected:
    MainWindowMonitoring() {
        ctx.settings.TempType = "C";
        ctx.settings.Zones = 2;
        ctx.settings.ColdReadMins = 1;
        // Rooms 3 and 7: room numbers need not follow the zones' places.
        const int rooms[] = {3, 7};
        for (int i = 0; i < 2; ++i)
            EXPECT_TRUE(zones()
                            .insert({.Room = rooms[i],
                                     .Name = QStringLiteral("Cooler %1").arg(rooms[i]),
                                     .SerialNo = kSensors[i],
                                     .Record = i == 0,
                                     .Alarm = true,
                                     .HighAlarm = 8,
                                     .LowAlarm = -2.5,
                                     .ALarmSerialNo = kLamps[i]})
                            .ok());
        settings.save("Properties", "Settings", "115200,n,8,1");
        port.on("aR\r", "P\r", 5);
        port.on("aC,FF\r", "\r", 10);
    }

    store::MonitorSetsStore zones() { return store::MonitorSetsStore(*ctx.databases.kvr); }
    static QColor rowColour(ui::MainWindow& w, int row) {
        const QAbstractItemModel* grid = w.findChild<QTableView*>("gridC3")->model();
        return grid->data(grid->index(row, 0), Qt::BackgroundRole).value<QColor>();
    }
    static QString cell(ui::MainWindow& w, int row, int column) {
        const QAbstractItemModel* grid = w.findChild<QTableView*>("gridC3")->model();
        return grid->data(grid->index(row, column)).toString();
    }
    static void select(ui::MainWindow& w, int row) {
        auto* grid = w.findChild<QTableView*>("gridC3");
        grid->setCurrentIndex(grid->model()->index(row, 0));
    }

    app::UserSettings settings{site.file("user.ini")};
    test::FakeClock clock{QDateTime(QDate(2026, 7, 1), QTime(10, 0, 0))};
    test::ScriptedPort port{clock};
    test::RecordedDialogs dialogs;
    ui::MainWindow::Seams seams{clock, dialogs, settings, port.portFactory(), port.pauseFactory()};
};

} // namespace

TEST_F(MainWindowMonitoring, RowsAreRedWhileRaisedAndOutsideYellowWhenDisabledWhiteOtherwise) {
    ui::MainWindow window(ctx, seams);
    window.startMonitoring();
    auto& state = window.job().cycle().alarmState();
    auto* indicator = window.findChild<QLabel*>("AlarmInd");

    state.ZoneAlarmRaised[0] = true;
    state.AlarmCondition = true;
    window.job().zones().alarmStateChanged();
    window.passFinished();
    EXPECT_EQ(rowColour(window, 0), QColor(255, 0, 0));
    EXPECT_EQ(rowColour(window, 1), QColor(255, 255, 255));
    EXPECT_TRUE(indicator->isVisibleTo(&window));
    EXPECT_FALSE(indicator->text().isEmpty());
    // A pass that reads no zone (only the cook side was due) stops the indicator and must start it again.
    Q_EMIT window.job().cycle().readingChanged(true);
    EXPECT_TRUE(indicator->text().isEmpty());
    Q_EMIT window.job().cycle().readingChanged(false);
    EXPECT_FALSE(indicator->text().isEmpty());

    state.AlarmCondition = false; // raised, but no zone is outside in this pass
    window.passFinished();
    EXPECT_EQ(rowColour(window, 0), QColor(255, 255, 255));
    EXPECT_TRUE(indicator->text().isEmpty());

    state.AlarmCondition = true;
    state.ZoneAlarmDisabled[0] = true; // disabled wins over raised
    window.passFinished();
    EXPECT_EQ(rowColour(window, 0), QColor(255, 255, 0));
}

TEST_F(MainWindowMonitoring, TheDetailsPanelFollowsTheCurrentZoneAndTheUnitCaption) {
    ui::MainWindow window(ctx, seams);
    auto* grid = window.findChild<QTableView*>("gridC3");
    ASSERT_EQ(grid->model()->rowCount(), 2);
    EXPECT_EQ(grid->model()->headerData(2, Qt::Horizontal).toString(), "°C");
    EXPECT_TRUE(grid->isColumnHidden(3));
    EXPECT_FALSE(grid->isColumnHidden(2));
    EXPECT_EQ(cell(window, 0, 2), "0"); // not read yet
    EXPECT_EQ(window.findChild<QLabel*>("panZone")->text(), "3");
    EXPECT_EQ(window.findChild<QLabel*>("panREcord")->text(), "On");
    EXPECT_EQ(window.findChild<QLabel*>("panAlarm")->text(), "[On] ");
    EXPECT_EQ(window.findChild<QLabel*>("panLowAlarm")->text(), "-2.5");
    select(window, 1);
    EXPECT_EQ(window.findChild<QLabel*>("panName")->text(), "Cooler 7");
    EXPECT_EQ(window.findChild<QLabel*>("panSerialNo")->text(), kSensors[1]);
    EXPECT_EQ(window.findChild<QLabel*>("panREcord")->text(), "Off");
    EXPECT_FALSE(window.findChild<QLineEdit*>("txtDuration")->isEnabled());
}

TEST_F(MainWindowMonitoring, DisablingAZoneAsksSwitchesItsLampAndStoresTheHoursUntilCleared) {
    ui::MainWindow window(ctx, seams);
    window.startMonitoring();
    auto* box = window.findChild<QCheckBox*>("chkDisableAlarm");
    auto* hours = window.findChild<QLineEdit*>("txtDuration");
    select(window, 1); // room 7, the second zone

    dialogs.answers = {false};
    box->click();
    EXPECT_FALSE(box->isChecked());
    EXPECT_EQ(dialogs.texts.last(), "Are you sure you want to disable the alarm on Zone #7 Cooler 7?");
    EXPECT_EQ(dialogs.titles.last(), " Temporary Alarm Disable - Kelvara");
    EXPECT_FALSE(window.job().cycle().alarmState().ZoneAlarmDisabled[1]);

    dialogs.answers = {true};
    box->click();
    ASSERT_TRUE(box->isChecked());
    EXPECT_TRUE(hours->isEnabled());
    // The zone's own place in the pass is disabled, whatever its room number (the lamp and the stored
    // columns are JobTest's).
    EXPECT_TRUE(window.job().cycle().alarmState().ZoneAlarmDisabled[1]);
    EXPECT_FALSE(window.job().cycle().alarmState().ZoneAlarmDisabled[0]);
    EXPECT_EQ(rowColour(window, 1), QColor(255, 255, 0));

    hours->setFocus();
    hours->selectAll();
    hours->insert("4");
    hours->setModified(true);
    Q_EMIT hours->editingFinished();
    EXPECT_EQ(zones().findByRoom(7).value()->Duration, 4);
    EXPECT_EQ(cell(window, 1, 8), "4");
    EXPECT_FALSE(dialogs.texts.contains(ui::MainWindow::kEnterKeyMessage));

    box->click(); // clearing asks nothing and sets the hours back to 0
    EXPECT_EQ(zones().findByRoom(7).value()->Duration, 0);
    EXPECT_EQ(hours->text(), "0");
    EXPECT_FALSE(window.job().cycle().alarmState().ZoneAlarmDisabled[1]);
}

TEST_F(MainWindowMonitoring, ClosingNeedsTheLoginAndAClosingAskedForDuringAPassWaitsForItsEnd) {
    ui::MainWindow window(ctx, seams);
    window.show();
    window.startMonitoring();
    EXPECT_TRUE(
        test::answerModal<QDialog>([&] { EXPECT_FALSE(window.close()); }, [](QDialog& d) { d.reject(); }));
    EXPECT_TRUE(window.isVisible()) << "a cancelled login keeps the window monitoring";
    EXPECT_TRUE(window.job().cycle().timerEnabled());

    auto* toolbar = window.findChild<QToolBar*>("Toolbar1");
    auto* box = window.findChild<QCheckBox*>("chkDisableAlarm");
    QMenuBar* menus = window.menuBar();
    bool offDuringPass = true;
    bool closedDuringPass = false;
    // Look at the window from inside the pass, when it serves events.
    QObject::connect(&window.job().cycle(), &monitoring::MonitoringCycle::statusChanged, &window,
                     [&](const QString&, bool) {
                         if (!window.job().cycle().reading())
                             return;
                         offDuringPass = offDuringPass && !toolbar->isEnabled() && !box->isEnabled() &&
                                         !menus->isEnabled();
                         closedDuringPass = closedDuringPass || window.close();
                     });
    window.job().cycle().readNow();
    EXPECT_TRUE(offDuringPass);
    EXPECT_FALSE(closedDuringPass);
    EXPECT_TRUE(toolbar->isEnabled());
    EXPECT_TRUE(box->isEnabled());
    EXPECT_TRUE(menus->isEnabled());
    EXPECT_EQ(cell(window, 0, 2), "NR"); // the bus did not answer the search
    // The close asked for during the pass comes once it is over, with the login.
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(test::answerModal<QDialog>([] { QCoreApplication::processEvents(); },
                                           [](QDialog& d) { d.findChild<QPushButton*>("cmdOK")->click(); }));
    EXPECT_FALSE(window.isVisible());
    EXPECT_FALSE(window.job().cycle().timerEnabled());
}

TEST_F(MainWindowMonitoring, TheCallButtonOpensTheNotificationListWithMonitoringSuspendedThenResumesIt) {
    ui::MainWindow window(ctx, seams);
    window.startMonitoring();
    auto* call = window.findChild<QToolBar*>("Toolbar1")->findChild<QAction*>("Call");
    QString opened;
    bool timerOffMeanwhile = false;
    EXPECT_TRUE(test::answerModal<QDialog>([&] { call->trigger(); },
                                           [&](QDialog& d) {
                                               opened = d.objectName();
                                               timerOffMeanwhile = !window.job().cycle().timerEnabled();
                                               d.reject();
                                           }));
    EXPECT_EQ(opened, "frmAlarmSMS");
    EXPECT_TRUE(timerOffMeanwhile);
    EXPECT_TRUE(dialogs.texts.contains(monitoring::MonitoringCycle::kSuspendText));
    EXPECT_TRUE(window.job().cycle().timerEnabled()) << "monitoring goes on once the window is closed";
}
