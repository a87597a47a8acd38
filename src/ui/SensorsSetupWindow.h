#pragma once

#include "base/Clock.h"
#include "base/UserDialogs.h"
#include "install/LampTest.h"
#include "sensornet/AdapterLink.h"
#include "ui/LampTestGuard.h"

#include <QDialog>
#include <memory>

class QTableView;
class QToolBar;

namespace kelvara::app {
struct AppContext;
class UserSettings;
} // namespace kelvara::app

namespace kelvara::sensornet {
class Pause;
class SerialPort;
} // namespace kelvara::sensornet

namespace kelvara::install {
class CookSensorGridModel;
}

namespace kelvara::ui {

class LampPanelPane;

// The cook sensor window: edits the installed cook sensors in place, deletes one, and tests the cook cycle
// panel's lamps over its own serial port.
class SensorsSetupWindow final : public QDialog {
    Q_OBJECT
public:
    // port is the window's own (closed) serial port; pause is how its one-second waits pass.
    SensorsSetupWindow(app::AppContext& ctx, const base::Clock& clock, base::UserDialogs& dialogs,
                       const app::UserSettings& settings, sensornet::SerialPort& port,
                       sensornet::Pause& pause, QWidget* parent = nullptr);
    ~SensorsSetupWindow() override;

    void deleteSensor();
    void showPanel();
    void testPanel();
    // Choosing a row of the lamp list tests that lamp.
    void testLamp(int row);

    // Null when the site has no cook side.
    [[nodiscard]] install::CookSensorGridModel* sensors() const { return m_sensors.get(); }
    [[nodiscard]] const install::LampTest& lampTest() const { return m_test; }

    inline static const QString kTitle = QStringLiteral("Kelvara");
    inline static const QString kPanelTestQuestion =
        QStringLiteral("The computer can now test the Cook Cycle Panel by activating each of the lights.  "
                       "Continue?");
    // A deleted sensor cannot be brought back, so the user confirms which one goes.
    inline static const QString kDeleteQuestion =
        QStringLiteral("Delete cook sensor #%1 %2?  The sensor cannot be restored afterwards.");

protected:
    void reject() override;

private:
    void fillLights();

    app::AppContext& m_ctx;
    base::UserDialogs& m_dialogs;
    sensornet::Pause& m_pause;
    sensornet::AdapterLink m_link;
    install::LampTest m_test;
    std::unique_ptr<install::CookSensorGridModel> m_sensors;
    LampTestGuard m_guard;

    QToolBar* m_toolbar = nullptr;
    QTableView* m_grid = nullptr;
    LampPanelPane* m_pane = nullptr;
};

} // namespace kelvara::ui
