#pragma once

#include "install/ZoneInstallation.h"
#include "ui/InstallationWindow.h"

namespace kelvara::ui {

// Installs the zone temperature sensors found on the bus and, on request, the alarm panel's lamps.
class InstallKeyWindow final : public InstallationWindow {
    Q_OBJECT
public:
    InstallKeyWindow(app::AppContext& ctx, const base::Clock& clock, base::UserDialogs& dialogs,
                     const app::UserSettings& settings, sensornet::SerialPort& port, sensornet::Pause& pause,
                     QWidget* parent = nullptr);

    [[nodiscard]] install::ZoneInstallation& installation() { return m_installation; }

private:
    install::ZoneInstallation m_installation;
};

} // namespace kelvara::ui
