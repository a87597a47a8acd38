#pragma once

#include "install/CookInstallation.h"
#include "ui/InstallationWindow.h"

namespace kelvara::ui {

// Installs the cook sensors found on the bus and, on request, the cook cycle panel's lamps.
class SensorInstallsWindow final : public InstallationWindow {
    Q_OBJECT
public:
    SensorInstallsWindow(app::AppContext& ctx, const base::Clock& clock, base::UserDialogs& dialogs,
                         const app::UserSettings& settings, sensornet::SerialPort& port,
                         sensornet::Pause& pause, QWidget* parent = nullptr);

    [[nodiscard]] install::CookInstallation& installation() { return m_installation; }

private:
    install::CookInstallation m_installation;
};

} // namespace kelvara::ui
