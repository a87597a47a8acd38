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
class ZoneConfiguration;
class ZoneGridModel;
} // namespace kelvara::install

namespace kelvara::ui {

class LampPanelPane;

// The zone configuration window: edits the installed zones in place, hands the alarm-panel lamp serials to
// the zones, and tests the alarm panel's lamps over its own serial port.
class TempSetupWindow final : public QDialog {
    Q_OBJECT
public:
    // port is the window's own (closed) serial port; pause is how its one-second waits pass.
    TempSetupWindow(app::AppContext& ctx, const base::Clock& clock, base::UserDialogs& dialogs,
                    const app::UserSettings& settings, sensornet::SerialPort& port, sensornet::Pause& pause,
                    QWidget* parent = nullptr);
    ~TempSetupWindow() override;

    // Toolbar and pane commands, also reachable for tests.
    void deleteZone();
    void saveLampSerials();
    void showPanel();
    void testPanel();
    // Choosing a row of the alarm-panel list tests that zone's lamp.
    void testLamp(int row);

    // Null when the site has no zone side.
    [[nodiscard]] install::ZoneGridModel* zones() const { return m_zones.get(); }
    [[nodiscard]] const install::LampTest& lampTest() const { return m_test; }

    inline static const QString kTitle = QStringLiteral("Kelvara");
    inline static const QString kPanelTestQuestion =
        QStringLiteral("The computer can now test the Alarm Panel by activating each of the Zones lights.  "
                       "Continue?");
    // A deleted zone cannot be brought back, so the user confirms which one goes.
    inline static const QString kDeleteQuestion =
        QStringLiteral("Delete Zone #%1 %2?  The zone cannot be restored afterwards.");

protected:
    void reject() override;

private:
    void fillAlarmList();

    app::AppContext& m_ctx;
    base::UserDialogs& m_dialogs;
    const app::UserSettings& m_settings;
    sensornet::Pause& m_pause;
    sensornet::AdapterLink m_link;
    install::LampTest m_test;
    std::unique_ptr<install::ZoneConfiguration> m_configuration;
    std::unique_ptr<install::ZoneGridModel> m_zones;
    LampTestGuard m_guard;

    QToolBar* m_toolbar = nullptr;
    QTableView* m_grid = nullptr;
    LampPanelPane* m_pane = nullptr;
};

} // namespace kelvara::ui
