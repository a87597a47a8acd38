// The cook cycle panel: New, the product lookup, Start through the panel, the target change. (Stop through
// the panel is CookWalk's; the rules behind each button are CookCycleControlTest's.)
#include "ui/CookPanel.h"

#include "app/AppContext.h"
#include "cook/CookCycleControl.h"
#include "cook/CookCycleList.h"
#include "store/ProductsStore.h"
#include "store/ThermoSensorsStore.h"
#include "support/FakeClock.h"
#include "support/RecordedDialogs.h"
#include "support/SiteBench.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <gtest/gtest.h>

using namespace kelvara;

namespace {

template <typename T> T* child(const QWidget& w, const char* name) {
    auto* found = w.findChild<T*>(QLatin1String(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
}

class CookPanelTest : public ::testing::Test, protected test::SiteContext {
protected:
    CookPanelTest() : SiteContext(QStringLiteral("Thermo")) {
        ctx.settings.TempType = "F";
        clock.set(QDateTime(QDate(2026, 3, 2), QTime(21, 5)));
        for (int n : {1, 4})
            EXPECT_TRUE(
                store::ThermoSensorsStore(*ctx.databases.thermo)
                    .insert({.SensorNo = n,
                             .Name = QStringLiteral("Kettle %1").arg(n),
                             .SerialNo = QStringLiteral("E%1000000000D130").arg(n, 2, 10, QLatin1Char('0')),
                             .SensorType = "K"})
                    .ok());
        EXPECT_TRUE(
            store::ProductsStore(*ctx.databases.thermo)
                .insert({.Description = "Shepherd's Pie", .CookHours = 2, .CookMins = 15, .DesiredTemp = 165})
                .ok());
        panel.setUnit("F");
    }

    // New, then the sensor, the product (looked up as Enter does) and the batch ID.
    void enter(const QString& sensor, const QString& batchId) {
        panel.newCycle();
        child<QComboBox>(panel, "dbSensor")->setEditText(sensor);
        auto* product = child<QComboBox>(panel, "dbProduct");
        product->setEditText("Shepherd's Pie");
        Q_EMIT product->lineEdit()->editingFinished();
        child<QLineEdit>(panel, "txtBatchID")->setText(batchId);
    }
    void click() { child<QPushButton>(panel, "cmdAction")->click(); }
    QString text(const char* name) { return child<QLabel>(panel, name)->text(); }

    test::FakeClock clock;
    test::RecordedDialogs dialogs;
    cook::CookCycleList cycles;
    cook::CookCycleControl control{ctx, clock, dialogs, cycles};
    ui::CookPanel panel{ctx, cycles, control, dialogs};
};

} // namespace

TEST_F(CookPanelTest, NewOffersTheFreeSensorsAndTheProductFillsTheCycle) {
    panel.newCycle();
    EXPECT_FALSE(panel.isHidden());
    auto* sensors = child<QComboBox>(panel, "dbSensor");
    ASSERT_EQ(sensors->count(), 2);
    EXPECT_EQ(sensors->itemText(1), "4 - Kettle 4");
    EXPECT_EQ(text("lblBatchNo"), "1");
    EXPECT_EQ(child<QPushButton>(panel, "cmdAction")->text(), "Start");
    EXPECT_EQ(text("lblDegree"), "°F");

    auto* product = child<QComboBox>(panel, "dbProduct");
    product->setEditText("Shepherd's Pie"); // an apostrophe is a character of the name
    Q_EMIT product->lineEdit()->editingFinished();
    EXPECT_EQ(child<QLineEdit>(panel, "txtHour")->text(), "2");
    EXPECT_EQ(child<QLineEdit>(panel, "txtMinutes")->text(), "15");
    EXPECT_EQ(child<QLineEdit>(panel, "txtTarget")->text(), "165");
    EXPECT_EQ(text("lblStartTime"), "9:05 pm");
    EXPECT_EQ(text("lblEndTime"), "11:20 pm");

    product->setEditText("Pie");
    Q_EMIT product->lineEdit()->editingFinished();
    EXPECT_EQ(dialogs.texts.last(), "Product is not on file.");
    EXPECT_TRUE(product->currentText().isEmpty());
}

TEST_F(CookPanelTest, StartShowsTheRunningCycleWhoseTargetCanChange) {
    enter("1 - Kettle 1", "O'Neil 1");
    click();
    ASSERT_EQ(cycles.size(), 1);
    EXPECT_EQ(child<QPushButton>(panel, "cmdAction")->text(), "Stop");
    EXPECT_FALSE(child<QLineEdit>(panel, "txtBatchID")->isEnabled());
    EXPECT_TRUE(child<QLineEdit>(panel, "txtTarget")->isEnabled());
    EXPECT_EQ(text("lblStartTime"), "9:05 PM");
    EXPECT_EQ(child<QTableView>(panel, "gridThermo")->model()->index(0, 4).data().toString(), "NR");

    // The target changes once it is entered, and 0 is refused.
    auto* target = child<QLineEdit>(panel, "txtTarget");
    target->setText("17"); // typing on its way to 170 changes nothing yet
    EXPECT_EQ(cycles.row(0).Target, 165);
    target->setText("170");
    Q_EMIT target->editingFinished();
    EXPECT_EQ(cycles.row(0).Target, 170);
    EXPECT_EQ(store::ThermoSensorsStore(*ctx.databases.thermo).findBySensorNo(1).value()->Target, 170);

    target->setText("0");
    Q_EMIT target->editingFinished();
    EXPECT_EQ(dialogs.texts.last(), "You must enter in the Target Temperature.");
    EXPECT_EQ(target->text(), "170");
}
