#include "ui/InstallKeyWindow.h"

namespace kelvara::ui {

using install::CellKind;

InstallKeyWindow::InstallKeyWindow(app::AppContext& ctx, const base::Clock& clock, base::UserDialogs& dialogs,
                                   const app::UserSettings& settings, sensornet::SerialPort& port,
                                   sensornet::Pause& pause, QWidget* parent)
    : InstallationWindow(clock, dialogs, port, pause, parent), m_installation(ctx, m_link, dialogs) {
    auto& rows = m_installation.rows();
    auto& lamps = m_installation.lamps();
    std::vector<GridColumn> sensorColumns{
        fieldColumn(QStringLiteral("Zone"), CellKind::Integer, 0, rows, &install::ZoneWorkingRow::Room),
        fieldColumn(QStringLiteral("Name"), CellKind::Text, 20, rows, &install::ZoneWorkingRow::Name),
        fieldColumn(QStringLiteral("Serial #"), CellKind::ReadOnly, 0, rows,
                    &install::ZoneWorkingRow::SerialNo),
    };
    std::vector<GridColumn> lampColumns{
        fieldColumn(QStringLiteral("Zone"), CellKind::Integer, 0, lamps, &install::LampRow::AlarmLedNo),
        fieldColumn(QStringLiteral("Alarm Serial #"), CellKind::ReadOnly, 0, lamps,
                    &install::LampRow::AlarmSerialNo),
    };
    setUp({QStringLiteral("frmInstallKey"), QStringLiteral("Temperature Sensor Installation"),
           QStringLiteral("Alarm Panel Setup"),
           QStringLiteral(
               "Using the Alarm Panel specification sheet provided, please enter in the Zone # to the "
               "corresponding Alarm Serial #.")},
          settings, m_installation, std::move(sensorColumns), std::move(lampColumns));
}

} // namespace kelvara::ui
