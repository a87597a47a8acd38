// A cook cycle from start to stop in the main window on the simulated bus: the thermocouple passes the
// product's temperature, the lamp lights and "CookDone.wav" plays; after a restart the cycle runs on, still
// done; Stop puts the lamp out.
#include "MenuEntry.h"
#include "app/AppContext.h"
#include "app/UserSettings.h"
#include "monitoring/MonitoringCycle.h"
#include "monitoring/MonitoringJob.h"
#include "notify/SoundPlayer.h"
#include "store/BatchsStore.h"
#include "store/CookCyclesStore.h"
#include "store/ProductsStore.h"
#include "store/ThermoSensorsStore.h"
#include "store/ThermoTypesTable.h"
#include "support/FakeClock.h"
#include "support/Ha5Commands.h"
#include "support/RecordedDialogs.h"
#include "support/SimProcess.h"
#include "support/SiteDatabases.h"
#include "support/SystemSeams.h"
#include "support/TempSite.h"
#include "ui/MainWindow.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <gtest/gtest.h>

using namespace kelvara;

namespace {

struct RecordingSound final : notify::SoundPlayer {
    void play(const QString& file, bool) override { played << QFileInfo(file).fileName(); }
    void stop() override {}
    void close() override {}
    QStringList played;
};

// A cook-only site with one type K sensor and its lamp on the simulated bus, reached through a real
// pseudo-terminal; the clock is the test's.
class CookWalk : public ::testing::Test {
protected:
    CookWalk() {
        EXPECT_TRUE(sim.started());
        rom = sim.control("crc E70000000000D130").section(' ', -1);
        lamp = sim.control("crc 5D0000000000C505").section(' ', -1);
        sim.control(QStringLiteral(R"(add {"rom": "%1", "type": "K", "coldJunction": 25, "temperature": 60})")
                        .arg(rom));
        sim.control(QStringLiteral(R"(add {"rom": "%1", "on": false})").arg(lamp));

        ctx.siteDir = site.path();
        ctx.DatabaseMode = "Thermo";
        ctx.commands = test::ha5Commands();
        ctx.settings.TempType = "C";
        ctx.settings.HotReadMins = 1;
        ctx.settings.HotRecMins = 1;
        test::openSiteDatabases(ctx, site);
        EXPECT_TRUE(store::createThermoTypesDatabase(site.file("ThermoTypes.db")).ok());
        EXPECT_TRUE(store::ThermoSensorsStore(*ctx.databases.thermo)
                        .insert({.SensorNo = 1,
                                 .Name = "Kettle",
                                 .SerialNo = rom,
                                 .LightSerialNo = lamp,
                                 .SensorType = "K",
                                 .Alarm = true})
                        .ok());
        EXPECT_TRUE(store::ProductsStore(*ctx.databases.thermo)
                        .insert({.Description = "Beef Stock", .CookHours = 3, .DesiredTemp = 90})
                        .ok());
        settings.save("Properties", "Settings", "115200,n,8,1");
        settings.save("Properties", "PortName", sim.ptyPath());
    }

    ui::MainWindow::Seams windowSeams() {
        ui::MainWindow::Seams s{clock, dialogs, settings, test::systemPorts(), test::eventLoopPauses()};
        s.sound = &sound;
        return s;
    }
    void pass(ui::MainWindow& w) { w.job().cycle().ReadSensors(false, true); }
    QString lampState() { return sim.control("get " + lamp).section(' ', -1); }

    test::SimProcess sim{R"({"devices": []})"};
    QString rom;
    QString lamp;
    test::TempSite site;
    test::TempSite userFolder;
    app::UserSettings settings{userFolder.file("user.ini")};
    test::FakeClock clock{QDateTime(QDate(2026, 7, 1), QTime(10, 0, 0))};
    test::RecordedDialogs dialogs;
    app::AppContext ctx;
    RecordingSound sound;
};

} // namespace

TEST_F(CookWalk, ACycleGetsDoneLightsItsLampSoundsRunsOnAfterARestartAndStops) {
    ASSERT_TRUE(sim.started());
    {
        ui::MainWindow w(ctx, windowSeams());
        w.job().start(settings);
        auto* panel = w.findChild<QWidget*>("frmThermo");
        EXPECT_TRUE(panel->isHidden()); // nothing runs yet
        ASSERT_NE(test::menuEntry(w, "New Cook Cycle"), nullptr);
        test::menuEntry(w, "New Cook Cycle")->trigger();
        EXPECT_FALSE(panel->isHidden());
        panel->findChild<QComboBox*>("dbSensor")->setCurrentIndex(0);
        auto* product = panel->findChild<QComboBox*>("dbProduct");
        product->setEditText("Beef Stock");
        Q_EMIT product->lineEdit()->editingFinished();
        panel->findChild<QLineEdit*>("txtBatchID")->setText("K-1");
        panel->findChild<QPushButton*>("cmdAction")->click();
        ASSERT_EQ(panel->findChild<QPushButton*>("cmdAction")->text(), "Stop");

        pass(w);
        EXPECT_EQ(lampState(), "off");
        EXPECT_TRUE(sound.played.isEmpty());
        const QAbstractItemModel* grid = panel->findChild<QTableView*>("gridThermo")->model();
        EXPECT_NEAR(grid->index(0, 4).data().toDouble(), 60, 1);

        sim.control(QStringLiteral("set %1 temperature 95").arg(rom)); // heated past the product's 90 °C
        clock.advanceSeconds(70);
        pass(w);
        EXPECT_EQ(lampState(), "on");
        EXPECT_EQ(sound.played, QStringList{"CookDone.wav"});
        EXPECT_EQ(grid->index(0, 0).data().toString(), "True");
        EXPECT_NEAR(grid->index(0, 4).data().toDouble(), 95, 1);
        const QString viewer = test::TempSite::readFile(site.file("HotViewer.log"));
        EXPECT_TRUE(viewer.startsWith("1,Kettle,9") && viewer.endsWith(",90\r\n")) << viewer.toStdString();
        EXPECT_TRUE(test::TempSite::readFile(site.file("Kelvara.log")).contains("   1   Kettle  9"));
        EXPECT_EQ(store::CookCyclesStore(*ctx.databases.thermo).loadAll()->size(), 2u);
        w.job().unload();
    } // the program ends without a Stop, as a killed one would; the lamp goes out with it

    ui::MainWindow again(ctx, windowSeams());
    again.job().start(settings);
    auto* panel = again.findChild<QWidget*>("frmThermo");
    EXPECT_FALSE(panel->isHidden());
    EXPECT_EQ(panel->findChild<QPushButton*>("cmdAction")->text(), "Stop");
    EXPECT_EQ(panel->findChild<QTableView*>("gridThermo")->model()->index(0, 0).data().toString(), "True");
    clock.advanceSeconds(70);
    pass(again);
    EXPECT_EQ(lampState(), "on"); // still done after the restart

    // Stop ends the batch; the next lamp update puts its lamp out.
    dialogs.answers = {true};
    panel->findChild<QPushButton*>("cmdAction")->click();
    EXPECT_TRUE(panel->isHidden());
    EXPECT_FALSE(QFile::exists(site.file("HotViewer.log")));
    const auto batch = store::BatchsStore(*ctx.databases.thermo).findByBatchNo(1).value();
    ASSERT_TRUE(batch.has_value());
    EXPECT_FALSE(batch->EndTime.isEmpty());
    pass(again);
    EXPECT_EQ(lampState(), "off");
    again.job().unload();
}
