#include "ui/SensorInstallsWindow.h"

namespace kelvara::ui {

using install::CellKind;
using install::CookWorkingRow;

SensorInstallsWindow::SensorInstallsWindow(app::AppContext& ctx, const base::Clock& clock,
                                           base::UserDialogs& dialogs, const app::UserSettings& settings,
                                           sensornet::SerialPort& port, sensornet::Pause& pause,
                                           QWidget* parent)
    : InstallationWindow(clock, dialogs, port, pause, parent), m_installation(ctx, m_link, dialogs) {
    auto& rows = m_installation.rows();
    auto& lamps = m_installation.lamps();
    // The thermocouple type letter: B, E, J, K, N, R, S or T.
    const std::function<QString(const QVariant&)> typeLetter = [](const QVariant& v) {
        return v.toString().trimmed().toUpper();
    };
    std::vector<GridColumn> sensorColumns{
        fieldColumn(QStringLiteral("Sensor"), CellKind::Integer, 0, rows, &CookWorkingRow::SensorNo),
        fieldColumn(QStringLiteral("Type"), CellKind::Text, 1, rows, &CookWorkingRow::SensorType, typeLetter),
        fieldColumn(QStringLiteral("Name"), CellKind::Text, 20, rows, &CookWorkingRow::Name),
        fieldColumn(QStringLiteral("Serial #"), CellKind::ReadOnly, 0, rows, &CookWorkingRow::SerialNo),
    };
    std::vector<GridColumn> lampColumns{
        fieldColumn(QStringLiteral("Sensor"), CellKind::Integer, 0, lamps, &install::LampRow::AlarmLedNo),
        fieldColumn(QStringLiteral("Light Serial #"), CellKind::ReadOnly, 0, lamps,
                    &install::LampRow::AlarmSerialNo),
    };
    setUp({QStringLiteral("frmSensorInstalls"), QStringLiteral("Cook Sensor Installation"),
           QStringLiteral("Cook Cycle Panel Setup"),
           QStringLiteral(
               "Using the Cook Cycle Panel specification sheet provided, please enter in the Sensor # "
               "to the corresponding Light Serial #.")},
          settings, m_installation, std::move(sensorColumns), std::move(lampColumns));
}

} // namespace kelvara::ui
