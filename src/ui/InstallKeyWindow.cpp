#include "ui/InstallKeyWindow.h"

namespace kelvara::ui {

using install::CellKind;

InstallKeyWindow::InstallKeyWindow(app::AppContext& ctx, const base::Clock& clock, base::UserDialogs& dialogs,
                                   const app::UserSettings& settings, sensornet::SerialPort& port,
                                   sensornet::Pause& pause, QWidget* parent)
    : InstallationWindow(clock, dialogs, port, pause, parent), m_installation(ctx, m_link, dialogs) {
    auto& rows = m_installation.rows();
    auto& lamps = m_installation.lamps();
    const auto at = [](auto& list, int row) -> auto& {
        return list[static_cast<std::size_t>(row)];
    };
    std::vector<GridColumn> sensorColumns{
        {QStringLiteral("Zone"), CellKind::Integer, 0,
         [&rows, at](int r) { return QVariant(at(rows, r).Room); },
         [&rows, at](int r, const QVariant& v) {
             at(rows, r).Room = v.toInt();
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
        {QStringLiteral("Zone"), CellKind::Integer, 0,
         [&lamps, at](int r) { return QVariant(at(lamps, r).AlarmLedNo); },
         [&lamps, at](int r, const QVariant& v) {
             at(lamps, r).AlarmLedNo = v.toInt();
             return true;
         }},
        {QStringLiteral("Alarm Serial #"),
         CellKind::ReadOnly,
         0,
         [&lamps, at](int r) { return QVariant(at(lamps, r).AlarmSerialNo); },
         {}},
    };
    setUp({QStringLiteral("frmInstallKey"), QStringLiteral("Temperature Sensor Installation"),
           QStringLiteral("Alarm Panel Setup"),
           QStringLiteral(
               "Using the Alarm Panel specification sheet provided, please enter in the Zone # to the "
               "corresponding Alarm Serial #.")},
          settings, m_installation, std::move(sensorColumns), std::move(lampColumns));
}

} // namespace kelvara::ui
