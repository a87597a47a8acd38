// The panel setup windows: edits of the wrong kind refused with a message, Save, Delete's confirmation, the
// panes, the lamp tests and the test question answered both ways.
#include "app/UserSettings.h"
#include "store/AlarmPanelStore.h"
#include "store/Database.h"
#include "store/LightPanelStore.h"
#include "store/MonitorSetsStore.h"
#include "store/ThermoSensorsStore.h"
#include "support/RecordingPort.h"
#include "support/SiteBench.h"
#include "ui/SensorsSetupWindow.h"
#include "ui/TempSetupWindow.h"

#include <QAbstractItemDelegate>
#include <QAction>
#include <QFrame>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QToolBar>
#include <gtest/gtest.h>

using namespace kelvara;

namespace {

const QString kLamp1 = QStringLiteral("1100000000000105");
const QString kLamp2 = QStringLiteral("2200000000000205");

class SetupWindowsTest : public ::testing::Test, protected test::SiteContext {
protected:
    SetupWindowsTest() : SiteContext(QStringLiteral("KVRThermo")) {
        settings.save("Properties", "Settings", "115200,n,8,1");
        settings.save("Properties", "PortName", "/dev/scripted");

        store::AlarmPanelStore panel(*ctx.databases.kvr);
        for (const auto& [ledNo, serial] :
             {std::pair{0, QStringLiteral("0000000000000005")}, {1, kLamp1}, {2, kLamp2}})
            EXPECT_TRUE(panel.insert({.AlarmLedNo = ledNo, .ALarmSerialNo = serial}).ok());
        for (int room = 1; room <= 2; ++room)
            EXPECT_TRUE(zones()
                            .insert({.Room = room,
                                     .Name = QStringLiteral("Cooler %1").arg(room),
                                     .AlarmDelay = 10,
                                     .AlarmLedNo = room == 1 ? 2 : 0})
                            .ok());
        store::ThermoSensorsStore sensors(*ctx.databases.thermo);
        store::LightPanelStore lights(*ctx.databases.thermo);
        for (int n = 1; n <= 2; ++n) {
            store::ThermoSensorsRow sensor;
            sensor.SensorNo = n;
            sensor.Name = QStringLiteral("Kettle %1").arg(n);
            sensor.LightSerialNo = n == 1 ? kLamp1 : kLamp2;
            EXPECT_TRUE(sensors.insert(sensor).ok());
            store::LightPanelRow light;
            light.LightNo = n;
            light.LightSerialNo = sensor.LightSerialNo;
            EXPECT_TRUE(lights.insert(light).ok());
        }
    }

    [[nodiscard]] store::MonitorSetsStore zones() const {
        return store::MonitorSetsStore(*ctx.databases.kvr);
    }
    [[nodiscard]] store::MonitorSetsRow zone(int room) const { return *zones().findByRoom(room).value(); }

    ui::TempSetupWindow& zoneWindow() {
        if (!m_zoneWindow)
            m_zoneWindow =
                std::make_unique<ui::TempSetupWindow>(ctx, clock, dialogs, settings, port, scripted);
        return *m_zoneWindow;
    }
    ui::SensorsSetupWindow& cookWindow() {
        if (!m_cookWindow)
            m_cookWindow =
                std::make_unique<ui::SensorsSetupWindow>(ctx, clock, dialogs, settings, port, scripted);
        return *m_cookWindow;
    }

    // Types text into a cell of the grid and commits it as the Enter key would.
    static void typeInto(QTableView& grid, int row, int column, const QString& text) {
        const QModelIndex index = grid.model()->index(row, column);
        grid.setCurrentIndex(index);
        grid.edit(index);
        auto* editor = grid.viewport()->findChild<QLineEdit*>();
        ASSERT_NE(editor, nullptr);
        editor->setText(text);
        grid.itemDelegate()->setModelData(editor, grid.model(), index);
        grid.closePersistentEditor(index);
        emit grid.itemDelegate()->closeEditor(editor);
    }

    app::UserSettings settings{site.file("user.ini")};
    test::FakeClock clock{QDateTime(QDate(2026, 3, 2), QTime(8, 15, 0))};
    test::RecordedDialogs dialogs;
    test::ScriptedPort scripted{clock};
    test::RecordingPort port{scripted};

private:
    std::unique_ptr<ui::TempSetupWindow> m_zoneWindow;
    std::unique_ptr<ui::SensorsSetupWindow> m_cookWindow;
};

TEST_F(SetupWindowsTest, TextTypedIntoANumberColumnIsRefusedWithAMessageAndNotStored) {
    ui::TempSetupWindow& w = zoneWindow();
    w.show();
    auto* grid = w.findChild<QTableView*>("gridMonitors");
    typeInto(*grid, 0, 6, "five");
    ASSERT_EQ(dialogs.texts.size(), 1);
    EXPECT_EQ(dialogs.texts[0], "Please enter a whole number in \"Delay (Min)\". The value was not saved.");
    EXPECT_EQ(zone(1).AlarmDelay, 10);
    EXPECT_EQ(grid->model()->index(0, 6).data().toInt(), 10);

    // The same cell with a number goes through (the delay rule it meets is GridEdit's table).
    typeInto(*grid, 0, 6, "5");
    EXPECT_EQ(dialogs.texts.size(), 1);
    EXPECT_EQ(zone(1).AlarmDelay, 5);
}

TEST_F(SetupWindowsTest, SaveHandsTheZonesTheirLampSerialsAndThePaneListsThem) {
    ui::TempSetupWindow& w = zoneWindow();
    w.findChild<QAction*>("Save")->trigger();
    EXPECT_EQ(zone(1).ALarmSerialNo, kLamp2); // which lamp a zone gets is LampSerials' table

    w.show();
    w.findChild<QAction*>("Panel")->trigger();
    EXPECT_TRUE(w.findChild<QFrame*>("panAlarm")->isVisible());
    auto* list = w.findChild<QTableView*>("gridAlarms");
    ASSERT_EQ(list->model()->rowCount(), 2);
    EXPECT_EQ(list->model()->index(0, 1).data().toString(), kLamp2);
}

TEST_F(SetupWindowsTest, DeleteNamesTheZoneAndRemovesItOnlyOnYes) {
    ui::TempSetupWindow& w = zoneWindow();
    auto* grid = w.findChild<QTableView*>("gridMonitors");
    grid->setCurrentIndex(grid->model()->index(1, 0));
    dialogs.answers = {false, true};
    w.findChild<QAction*>("Delete")->trigger();
    EXPECT_EQ(zones().count(), 2);
    ASSERT_EQ(dialogs.texts.size(), 1);
    EXPECT_TRUE(dialogs.texts[0].contains("Zone #2 Cooler 2")) << dialogs.texts[0].toStdString();

    w.findChild<QAction*>("Delete")->trigger();
    EXPECT_EQ(zones().count(), 1);
    EXPECT_EQ(zone(1).Name, "Cooler 1");
    EXPECT_EQ(scripted.pauses, (QList<qint64>{1000}));
}

// No to either window's test question sends nothing; Yes switches each zone lamp four times and frees the
// window afterwards.
TEST_F(SetupWindowsTest, ThePanelTestRunsOnlyOnYes) {
    ui::TempSetupWindow& w = zoneWindow();
    w.saveLampSerials(); // zone 1 gets lamp 2; zone 2 has none and is passed over
    dialogs.answers = {false, false, true};
    w.findChild<QPushButton*>("cmdTest")->click();
    cookWindow().findChild<QPushButton*>("cmdTest")->click();
    EXPECT_EQ(dialogs.texts, (QStringList{ui::TempSetupWindow::kPanelTestQuestion,
                                          ui::SensorsSetupWindow::kPanelTestQuestion}));
    EXPECT_EQ(port.openings, 0);
    EXPECT_TRUE(port.written.isEmpty());

    w.findChild<QPushButton*>("cmdTest")->click();
    EXPECT_EQ(port.written,
              QList<QByteArray>({"aR\r", "aR\r"}) + QList<QByteArray>(4, "aA" + kLamp2.toLatin1() + "\r"));
    EXPECT_TRUE(w.findChild<QToolBar*>("cmdSerialKey")->isEnabled());
    EXPECT_TRUE(w.findChild<QFrame*>("panAlarm")->isEnabled());
    EXPECT_FALSE(scripted.isOpen());
}

// While a lamp test owns the port, nothing that changes the table can be used, in either window.
TEST_F(SetupWindowsTest, NothingChangesTheTableWhileALampTestRuns) {
    ui::TempSetupWindow& zonesWindow = zoneWindow();
    ui::SensorsSetupWindow& cook = cookWindow();
    zonesWindow.saveLampSerials(); // zone 1 gets lamp 2
    zonesWindow.showPanel();
    QDialog* testing = nullptr;
    int pausesSeen = 0;
    scripted.duringPause = [&] {
        ++pausesSeen;
        auto* grid = testing->findChild<QTableView*>("gridMonitors");
        grid->setCurrentIndex(grid->model()->index(0, 0));
        testing->findChild<QAction*>("Delete")->trigger();
        if (QAction* save = testing->findChild<QAction*>("Save"))
            save->trigger();
        EXPECT_FALSE(grid->isEnabled());
        EXPECT_FALSE(testing->findChild<QToolBar*>("cmdSerialKey")->isEnabled());
    };
    dialogs.answers = {true, true, true, true};
    testing = &zonesWindow;
    zonesWindow.testLamp(0); // the single lamp of the zone window
    testing = &cook;
    cook.testLamp(0);
    scripted.duringPause = {};
    EXPECT_GT(pausesSeen, 10);
    EXPECT_TRUE(dialogs.texts.isEmpty()) << dialogs.texts.join('\n').toStdString();
    EXPECT_EQ(zones().count(), 2);
    EXPECT_EQ(store::ThermoSensorsStore(*ctx.databases.thermo).loadAll()->size(), 2u);
    EXPECT_TRUE(zonesWindow.findChild<QTableView*>("gridMonitors")->isEnabled());
}

// Cook sensors are edited in place, with the same checks as the zones.
TEST_F(SetupWindowsTest, TheCookSensorsAreEditedInPlaceAndWrongKindsAreRefused) {
    ui::SensorsSetupWindow& w = cookWindow();
    w.show();
    auto* grid = w.findChild<QTableView*>("gridMonitors");
    typeInto(*grid, 0, 1, "Fryer");
    typeInto(*grid, 0, 3, "k");
    typeInto(*grid, 0, 4, "two");
    const auto stored = store::ThermoSensorsStore(*ctx.databases.thermo).findBySensorNo(1).value();
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->Name, "Fryer");
    EXPECT_EQ(stored->SensorType, "K");
    EXPECT_EQ(stored->LightNo, 0);
    EXPECT_EQ(dialogs.texts,
              QStringList{"Please enter a whole number in \"Light\". The value was not saved."});
}

TEST_F(SetupWindowsTest, ChoosingACookLampSendsItsCommandSixTimes) {
    ui::SensorsSetupWindow& w = cookWindow();
    w.testLamp(1);
    EXPECT_EQ(port.written,
              QList<QByteArray>{"aR\r"} + QList<QByteArray>(6, "aA" + kLamp2.toLatin1() + "\r"));
    EXPECT_EQ(w.lampTest().switchings(), 6);
}

} // namespace
