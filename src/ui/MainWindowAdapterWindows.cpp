// The windows that take the adapter from the monitoring job while they are open, and the first start.
#include "app/AppContext.h"
#include "base/UserDialogs.h"
#include "monitoring/MonitoringCycle.h"
#include "monitoring/MonitoringJob.h"
#include "monitoring/PanelLamps.h"
#include "sensornet/EventLoopPause.h"
#include "sensornet/PortLists.h"
#include "sensornet/SystemSerialPort.h"
#include "ui/ComPortDialog.h"
#include "ui/InstallKeyWindow.h"
#include "ui/MainWindow.h"
#include "ui/SensorInstallsWindow.h"
#include "ui/SensorsSetupWindow.h"
#include "ui/SystemSettingsDialog.h"
#include "ui/TempSetupWindow.h"

#include <QApplication>
#include <functional>

namespace kelvara::ui {

void MainWindow::runAdapterWindow(const AdapterWindow& window) {
    if (!m_clock || !m_dialogs || !m_settings)
        return;
    // The window owns the adapter while it is open: monitoring stops and the main port closes.
    if (m_job)
        m_job->cycle().SuspendMonitoring(true);
    {
        const auto owned = sensornet::makeSystemSerialPort();
        sensornet::SerialPort& port = *owned;
        sensornet::EventLoopPause pause;
        window(port, pause);
        port.close();
    }
    reloadZones();
    if (m_job) {
        m_job->lamps().Light_Panel(m_job->cycle().alarmState());
        m_job->cycle().start();
    }
    unsetCursor();
}

void MainWindow::runFirstStart(const base::Clock& clock, base::UserDialogs& dialogs,
                               app::UserSettings& settings) {
    if (m_ctx.settings.Zones >= 1)
        return;
    // A site without zones cannot monitor anything yet: port, settings and sensors, one after the other.
    {
        ComPortDialog ports(settings, dialogs, sensornet::fillPortLists(), this);
        ports.exec();
    }
    QApplication::processEvents();
    {
        SystemSettingsDialog system(m_ctx, dialogs, this);
        system.exec();
    }
    QApplication::processEvents();
    if (m_ctx.hasZoneSide()) {
        const auto owned = sensornet::makeSystemSerialPort();
        sensornet::SerialPort& port = *owned;
        sensornet::EventLoopPause pause;
        InstallKeyWindow install(m_ctx, clock, dialogs, settings, port, pause, this);
        install.exec();
    }
    fillZoneGrid();
}

void MainWindow::openInstallation() {
    runAdapterWindow([this](sensornet::SerialPort& port, sensornet::Pause& pause) {
        InstallKeyWindow window(m_ctx, *m_clock, *m_dialogs, *m_settings, port, pause, this);
        window.exec();
    });
}

void MainWindow::openZoneConfiguration() {
    runAdapterWindow([this](sensornet::SerialPort& port, sensornet::Pause& pause) {
        TempSetupWindow window(m_ctx, *m_clock, *m_dialogs, *m_settings, port, pause, this);
        window.exec();
    });
}

void MainWindow::openCookSensorInstallation() {
    runAdapterWindow([this](sensornet::SerialPort& port, sensornet::Pause& pause) {
        SensorInstallsWindow window(m_ctx, *m_clock, *m_dialogs, *m_settings, port, pause, this);
        window.exec();
    });
}

void MainWindow::openCookSensorSetup() {
    runAdapterWindow([this](sensornet::SerialPort& port, sensornet::Pause& pause) {
        SensorsSetupWindow window(m_ctx, *m_clock, *m_dialogs, *m_settings, port, pause, this);
        window.exec();
    });
}

} // namespace kelvara::ui
