#include "ui/SensorInstallsWindow.h"

namespace kelvara::ui {

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
        {{QStringLiteral("Sensor"), [&rows, at](int r) { return QVariant(at(rows, r).SensorNo); },
          [&rows, at](int r, const QVariant& v) { at(rows, r).SensorNo = v.toInt(); }},
         CellKind::Integer},
        // The thermocouple type letter: B, E, J, K, N, R, S or T.
        {{QStringLiteral("Type"), [&rows, at](int r) { return QVariant(at(rows, r).SensorType); },
          [&rows, at](int r, const QVariant& v) {
              at(rows, r).SensorType = v.toString().trimmed().toUpper();
          }},
         CellKind::Text,
         1},
        {{QStringLiteral("Name"), [&rows, at](int r) { return QVariant(at(rows, r).Name); },
          [&rows, at](int r, const QVariant& v) { at(rows, r).Name = v.toString(); }},
         CellKind::Text,
         20},
        {{QStringLiteral("Serial #"), [&rows, at](int r) { return QVariant(at(rows, r).SerialNo); }, {}},
         CellKind::ReadOnly},
    };
    std::vector<GridColumn> lampColumns{
        {{QStringLiteral("Sensor"), [&lamps, at](int r) { return QVariant(at(lamps, r).AlarmLedNo); },
          [&lamps, at](int r, const QVariant& v) { at(lamps, r).AlarmLedNo = v.toInt(); }},
         CellKind::Integer},
        {{QStringLiteral("Light Serial #"),
          [&lamps, at](int r) { return QVariant(at(lamps, r).AlarmSerialNo); },
          {}},
         CellKind::ReadOnly},
    };
    setUp({QStringLiteral("frmSensorInstalls"), QStringLiteral("Cook Sensor Installation"),
           QStringLiteral("Cook Cycle Panel Setup"),
           QStringLiteral(
               "Using the Cook Cycle Panel specification sheet provided, please enter in the Sensor # "
               "to the corresponding Light Serial #.")},
          settings, m_installation, std::move(sensorColumns), std::move(lampColumns));
}

} // namespace kelvara::ui
