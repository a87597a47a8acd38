#include "ui/SensorInstallsWindow.h"

namespace kelvara::ui {

using install::CellKind;

SensorInstallsWindow::SensorInstallsWindow(app::AppContext& ctx, const base::Clock& clock,
                                           base::UserDialogs& dialogs, const app::UserSettings& settings,
                                           sensornet::SerialPort& port, sensornet::Pause& pause,
                                           QWidget* parent)
    : InstallationWindow(clock, dialogs, port, pause, parent), m_installation(ctx, m_link, dialogs) {
    auto& rows = m_installation.rows();
    auto& lamps = m_installation.lamps();
    const auto at = [](auto& list, int row) -> auto& {
        return list[static_cast<std::size_t>(row)];
    };
    std::vector<GridColumn> sensorColumns{
        {QStringLiteral("Sensor"), CellKind::Integer, 0,
         [&rows, at](int r) { return QVariant(at(rows, r).SensorNo); },
         [&rows, at](int r, const QVariant& v) {
             at(rows, r).SensorNo = v.toInt();
             return true;
         }},
        // The thermocouple type letter: B, E, J, K, N, R, S or T.
        {QStringLiteral("Type"), CellKind::Text, 1,
         [&rows, at](int r) { return QVariant(at(rows, r).SensorType); },
         [&rows, at](int r, const QVariant& v) {
             at(rows, r).SensorType = v.toString().trimmed().toUpper();
             return true;
         }},
        {QStringLiteral("Name"), CellKind::Text, 20,
         [&rows, at](int r) { return QVariant(at(rows, r).Name); },
         [&rows, at](int r, const QVariant& v) {
             at(rows, r).Name = v.toString();
             return true;
         }},
        {QStringLiteral("Serial #"),
         CellKind::ReadOnly,
         0,
         [&rows, at](int r) { return QVariant(at(rows, r).SerialNo); },
         {}},
    };
    std::vector<GridColumn> lampColumns{
        {QStringLiteral("Sensor"), CellKind::Integer, 0,
         [&lamps, at](int r) { return QVariant(at(lamps, r).AlarmLedNo); },
         [&lamps, at](int r, const QVariant& v) {
             at(lamps, r).AlarmLedNo = v.toInt();
             return true;
         }},
        {QStringLiteral("Light Serial #"),
         CellKind::ReadOnly,
         0,
         [&lamps, at](int r) { return QVariant(at(lamps, r).AlarmSerialNo); },
         {}},
    };
    setUp({QStringLiteral("frmSensorInstalls"), QStringLiteral("Cook Sensor Installation"),
           QStringLiteral("Cook Cycle Panel Setup"),
           QStringLiteral(
               "Using the Cook Cycle Panel specification sheet provided, please enter in the Sensor # "
               "to the corresponding Light Serial #.")},
          settings, m_installation, std::move(sensorColumns), std::move(lampColumns));
}

} // namespace kelvara::ui
