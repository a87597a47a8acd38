// The two sensor installation windows on a scripted adapter: Read filling the grid, Save enabled only with
// something to save, the panel setup frame, refused cell edits and error boxes.
#include "app/UserSettings.h"
#include "install/SensorInstallation.h"
#include "store/Database.h"
#include "store/DatabaseKind.h"
#include "support/SiteBench.h"
#include "ui/InstallKeyWindow.h"
#include "ui/SensorInstallsWindow.h"

#include <QAction>
#include <QDir>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSqlQuery>
#include <QTableView>
#include <QToolBar>
#include <gtest/gtest.h>
#include <memory>

using namespace kelvara;

namespace {

const QByteArray kSensor = "1100000000000A28";
const QByteArray kSwitch = "2200000000000B05";
const QByteArray kThermocouple = "3300000000000C30";

// Worked in the site folder, as the program does (the TempLog is opened there).
class InstallWindowsTest : public ::testing::Test, protected test::SiteContext {
protected:
    InstallWindowsTest() : SiteContext(QStringLiteral("KVRThermo")), m_oldDir(QDir::currentPath()) {
        QDir::setCurrent(site.path());
        site.write(QStringLiteral("KVR.INI"), "Zones=0\r\nDONE\r\n");
        settings.save("Properties", "Settings", "9600,n,8,1");
        settings.save("Properties", "PortName", "scripted");
        port.on("aR\r", "P\r");
    }
    ~InstallWindowsTest() override {
        ctx.TempLogFile.reset();
        QDir::setCurrent(m_oldDir);
    }

    // The search started by this command finds these devices, one answer each, then a bare carriage return.
    void busHolds(const QByteArray& firstCommand, const QList<QByteArray>& devices) {
        port.on(firstCommand, devices.isEmpty() ? QByteArray("\r") : devices.front() + "\r");
        for (qsizetype i = 1; i < devices.size(); ++i)
            port.on("as\r", devices[i] + "\r");
        port.on("as\r", "\r");
    }

    static QAction* action(QWidget& window, const char* name) {
        QToolBar* bar = window.findChild<QToolBar*>("cmdSerialKey");
        return bar ? bar->findChild<QAction*>(name) : nullptr;
    }

    app::UserSettings settings{site.file(QStringLiteral("user.ini"))};
    test::FakeClock clock;
    test::ScriptedPort port{clock};
    test::RecordedDialogs dialogs;

private:
    QString m_oldDir;
};

TEST_F(InstallWindowsTest, ReadFindingNothingTellsTheUserAndLeavesSaveDisabled) {
    busHolds("aF30\r", {});
    ui::SensorInstallsWindow window(ctx, clock, dialogs, settings, port, port);
    action(window, "Read")->trigger();
    EXPECT_EQ(window.findChild<QTableView*>("gridMonitors")->model()->rowCount(), 0);
    EXPECT_FALSE(action(window, "Save")->isEnabled());
    ASSERT_EQ(dialogs.texts.size(), 1);
    EXPECT_EQ(dialogs.texts[0], install::SensorInstallation::kReadError);
}

// What a read lists and a save keeps is ZoneInstallationTest's; here: the grid and Save follow the read, and
// Yes to the panel question shows the switches over a locked sensor grid.
TEST_F(InstallWindowsTest, ReadFillsTheGridAndYesToThePanelQuestionShowsTheSwitches) {
    busHolds("aS\r", {kSwitch, kSensor});
    ui::InstallKeyWindow window(ctx, clock, dialogs, settings, port, port);
    window.show();
    EXPECT_FALSE(action(window, "Save")->isEnabled()) << "nothing to save before a read";
    action(window, "Read")->trigger();
    QTableView* grid = window.findChild<QTableView*>("gridMonitors");
    ASSERT_EQ(grid->model()->rowCount(), 1);
    EXPECT_EQ(grid->model()->index(0, 2).data().toString(), QString::fromLatin1(kSensor));
    EXPECT_EQ(window.findChild<QListWidget*>("lisActivity")->count(), 2);
    EXPECT_TRUE(action(window, "Save")->isEnabled());
    busHolds("aF05\r", {kSwitch});
    dialogs.answers = {true, true}; // overwrite, then set up the panel
    action(window, "Save")->trigger();

    QGroupBox* panel = window.findChild<QGroupBox*>("panAlarm");
    EXPECT_TRUE(panel->isVisible());
    EXPECT_FALSE(grid->isEnabled());
    EXPECT_FALSE(window.findChild<QToolBar*>("cmdSerialKey")->isEnabled());
    QTableView* lamps = panel->findChild<QTableView*>("gridAlarmPanel");
    ASSERT_EQ(lamps->model()->rowCount(), 1);
    EXPECT_EQ(lamps->model()->index(0, 1).data().toString(), QString::fromLatin1(kSwitch));

    panel->findChild<QPushButton*>("cmdButton_1")->click();
    EXPECT_FALSE(panel->isVisible());
    EXPECT_TRUE(grid->isEnabled());
    EXPECT_TRUE(window.findChild<QToolBar*>("cmdSerialKey")->isEnabled());
}

TEST_F(InstallWindowsTest, ASaveThatFailsShowsTheEngineDescriptionInABoxAndOffersNoPanel) {
    busHolds("aF30\r", {kThermocouple});
    ui::SensorInstallsWindow window(ctx, clock, dialogs, settings, port, port);
    action(window, "Read")->trigger();
    ASSERT_TRUE(QSqlQuery(ctx.databases.thermo->connection()).exec("DROP TABLE ThermoSensors"));
    dialogs.answers = {true};
    action(window, "Save")->trigger();
    ASSERT_EQ(dialogs.texts.size(), 2);
    EXPECT_EQ(dialogs.kinds[1], int(base::UserDialogs::Kind::Critical));
    EXPECT_TRUE(dialogs.texts[1].contains("ThermoSensors")) << dialogs.texts[1].toStdString();
    EXPECT_TRUE(window.findChild<QGroupBox*>("panAlarm")->isHidden());
}

} // namespace
