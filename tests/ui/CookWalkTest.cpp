// A cook cycle from start to stop in the main window: the thermocouple passes the product's temperature, the
// lamp lights and "CookDone.wav" plays; after a restart the cycle runs on, still done; Stop puts the lamp
// out.
#include "WindowSeams.h"
#include "app/AppContext.h"
#include "cook/HotViewerLog.h"
#include "monitoring/MonitoringCycle.h"
#include "monitoring/MonitoringJob.h"
#include "notify/SoundPlayer.h"
#include "store/BatchsStore.h"
#include "store/CookCyclesStore.h"
#include "store/ProductsStore.h"
#include "store/ThermoSensorsStore.h"
#include "store/ThermoTypesTable.h"
#include "support/Ha5Commands.h"
#include "support/SiteDatabases.h"
#include "thermocouple/ThermocoupleReference.h"

#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTableView>
#include <cmath>
#include <gtest/gtest.h>

using namespace kelvara;

namespace {

const QByteArray kRom = "E70000000000D130";
const QByteArray kLamp = "5D0000000000C505";
const QByteArray kThermoCmd = "aW0E690EFFFFFFFFFFFFFFFFFFFFFFFF\r";

QByteArray kAnswer(double hot) {
    const double emf =
        *thermocouple::referenceEmfMicrovolts('K', hot) - *thermocouple::referenceEmfMicrovolts('K', 25);
    const auto current = static_cast<quint16>(static_cast<int>(std::ceil(emf / 15.625)) * 8);
    return "690E" + QString::number(current, 16).rightJustified(4, QLatin1Char('0')).toUpper().toLatin1() +
           "0000FFFFFFFFFFFF1900\r";
}

struct RecordingSound final : notify::SoundPlayer {
    void play(const QString& file, bool) override { played << QFileInfo(file).fileName(); }
    void stop() override {}
    void close() override {}
    QStringList played;
};

class CookWalk : public ::testing::Test {
protected:
    CookWalk() {
        ctx.siteDir = site.path();
        ctx.DatabaseMode = "Thermo";
        ctx.commands = test::ha5Commands();
        ctx.settings.TempType = "C";
        ctx.settings.HotReadMins = 1;
        ctx.settings.HotRecMins = 1;
        test::openSiteDatabases(ctx, site);
        EXPECT_TRUE(store::createThermoTypesDatabase(site.file("ThermoTypes.db")).ok());
        store::ThermoSensorsRow s;
        s.SensorNo = 1;
        s.Name = "Kettle";
        s.SerialNo = QString::fromLatin1(kRom);
        s.LightSerialNo = QString::fromLatin1(kLamp);
        s.SensorType = "K";
        s.Alarm = true;
        EXPECT_TRUE(store::ThermoSensorsStore(*ctx.databases.thermo).insert(s).ok());
        store::ProductsRow p;
        p.Description = "Beef Stock";
        p.CookHours = 3;
        p.DesiredTemp = 90;
        EXPECT_TRUE(store::ProductsStore(*ctx.databases.thermo).insert(p).ok());
        seams.settings.save("Properties", "Settings", "115200,n,8,1");
        auto& port = seams.port;
        port.on("aR\r", "P\r", 5);
        port.on("aS\r", kRom + "\r", 10);
        port.on("aA" + kRom + "\r", kRom + "\r", 10);
        port.on("aA" + kLamp + "\r", kLamp + "\r", 10);
        port.on("aC,FF\r", "\r", 10);
    }

    ui::MainWindow::Seams windowSeams() {
        ui::MainWindow::Seams s = seams.seams();
        s.sound = &sound;
        return s;
    }
    static QAction* menuEntry(ui::MainWindow& w, const QString& text) {
        for (QAction* a : w.menuBar()->findChild<QMenu*>("mnuCook")->actions())
            if (a->text() == text)
                return a;
        return nullptr;
    }
    void pass(ui::MainWindow& w) { w.job().cycle().ReadSensors(false, true); }
    int lampAddressed() const { return static_cast<int>(seams.port.written.count("aA" + kLamp + "\r")); }

    test::TempSite site;
    app::AppContext ctx;
    test::WindowSeams seams;
    RecordingSound sound;
};

} // namespace

TEST_F(CookWalk, ACycleGetsDoneLightsItsLampSoundsRunsOnAfterARestartAndStops) {
    {
        ui::MainWindow w(ctx, windowSeams());
        w.job().start(seams.settings);
        auto* panel = w.findChild<QWidget*>("frmThermo");
        EXPECT_TRUE(panel->isHidden()); // nothing runs yet
        ASSERT_NE(menuEntry(w, "New Cook Cycle"), nullptr);
        menuEntry(w, "New Cook Cycle")->trigger();
        EXPECT_FALSE(panel->isHidden());
        panel->findChild<QComboBox*>("dbSensor")->setCurrentIndex(0);
        auto* product = panel->findChild<QComboBox*>("dbProduct");
        product->setEditText("Beef Stock");
        Q_EMIT product->lineEdit()->editingFinished();
        panel->findChild<QLineEdit*>("txtBatchID")->setText("K-1");
        panel->findChild<QPushButton*>("cmdAction")->click();
        ASSERT_EQ(panel->findChild<QPushButton*>("cmdAction")->text(), "Stop");

        seams.port.on(kThermoCmd, kAnswer(60), 20);
        pass(w);
        EXPECT_EQ(lampAddressed(), 0);
        EXPECT_TRUE(sound.played.isEmpty());

        seams.port.on(kThermoCmd, kAnswer(95), 20); // heated past the product's 90 °C
        seams.clock.advanceSeconds(70);
        pass(w);
        EXPECT_EQ(lampAddressed(), 1);
        EXPECT_EQ(sound.played, QStringList{"CookDone.wav"});
        const QAbstractItemModel* grid = panel->findChild<QTableView*>("gridThermo")->model();
        EXPECT_EQ(grid->index(0, 0).data().toString(), "True");
        EXPECT_EQ(grid->index(0, 4).data().toString(), "95");
        EXPECT_EQ(test::TempSite::readFile(site.file("HotViewer.log")), "1,Kettle,95,90\r\n");
        EXPECT_TRUE(test::TempSite::readFile(site.file("Kelvara.log")).contains("   1   Kettle  95\r\n"));
        EXPECT_EQ(store::CookCyclesStore(*ctx.databases.thermo).loadAll()->size(), 2u);
        w.job().unload();
    } // the program ends without a Stop, as a killed one would

    ui::MainWindow again(ctx, windowSeams());
    again.job().start(seams.settings);
    auto* panel = again.findChild<QWidget*>("frmThermo");
    EXPECT_FALSE(panel->isHidden());
    EXPECT_EQ(panel->findChild<QPushButton*>("cmdAction")->text(), "Stop");
    EXPECT_EQ(panel->findChild<QTableView*>("gridThermo")->model()->index(0, 0).data().toString(), "True");

    // The lamp is lit now; Stop ends the batch and the next lamp update puts it out.
    seams.port.on("aC,FF\r", kLamp + " \r", 10);
    seams.dialogs.answers = {true};
    panel->findChild<QPushButton*>("cmdAction")->click();
    EXPECT_TRUE(panel->isHidden());
    EXPECT_FALSE(QFile::exists(site.file("HotViewer.log")));
    const auto batch = store::BatchsStore(*ctx.databases.thermo).findByBatchNo(1).value();
    ASSERT_TRUE(batch.has_value());
    EXPECT_FALSE(batch->EndTime.isEmpty());
    const int before = lampAddressed();
    pass(again);
    EXPECT_EQ(lampAddressed(), before + 1);
    again.job().unload();
}
