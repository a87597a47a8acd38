// The windows that take the adapter from the monitoring job while they are open, and the first start.
#include "app/AppContext.h"
#include "monitoring/MonitoringCycle.h"
#include "monitoring/MonitoringJob.h"
#include "monitoring/PanelLamps.h"
#include "sensornet/PortLists.h"
#include "store/Database.h"
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
    // The window owns the adapter while it is open: monitoring stops and the main port closes.
    m_job->cycle().SuspendMonitoring(true);
    {
        const std::unique_ptr<sensornet::SerialPort> port = m_seams.makePort();
        const std::unique_ptr<sensornet::Pause> pause = m_seams.makePause();
        window(*port, *pause);
        port->close();
    }
    // Zones the window kept keep their alarm and reading; the panel then matches them again.
    m_job->reloadZones();
    m_job->lamps().Light_Panel(m_job->cycle().alarmState());
    if (m_started)
        m_job->cycle().start();
    unsetCursor();
}

void MainWindow::runFirstStart() {
    if (m_ctx.settings.Zones >= 1)
        return;
    // A zone database that is there but did not open is no new site: its error has been shown, and the
    // first-start windows would set up over it.
    if (m_ctx.hasZoneSide() && !(m_ctx.databases.kvr && m_ctx.databases.kvr->isOpen()))
        return;
    // A site without zones cannot monitor anything yet: port, settings and sensors, one after the other.
    {
        ComPortDialog ports(m_seams.settings, m_seams.dialogs, sensornet::fillPortLists(), this);
        ports.exec();
    }
    QApplication::processEvents();
    {
        SystemSettingsDialog system(m_ctx, m_seams.dialogs, this);
        system.exec();
    }
    QApplication::processEvents();
    if (m_ctx.hasZoneSide()) {
        const std::unique_ptr<sensornet::SerialPort> port = m_seams.makePort();
        const std::unique_ptr<sensornet::Pause> pause = m_seams.makePause();
        InstallKeyWindow install(m_ctx, m_seams.clock, m_seams.dialogs, m_seams.settings, *port, *pause,
                                 this);
        install.exec();
    }
    m_job->loadZones();
}

void MainWindow::openInstallation() {
    runAdapterWindow([this](sensornet::SerialPort& port, sensornet::Pause& pause) {
        InstallKeyWindow window(m_ctx, m_seams.clock, m_seams.dialogs, m_seams.settings, port, pause, this);
        window.exec();
    });
}

void MainWindow::openZoneConfiguration() {
    runAdapterWindow([this](sensornet::SerialPort& port, sensornet::Pause& pause) {
        TempSetupWindow window(m_ctx, m_seams.clock, m_seams.dialogs, m_seams.settings, port, pause, this);
        window.exec();
    });
}

void MainWindow::openCookSensorInstallation() {
    runAdapterWindow([this](sensornet::SerialPort& port, sensornet::Pause& pause) {
        SensorInstallsWindow window(m_ctx, m_seams.clock, m_seams.dialogs, m_seams.settings, port, pause,
                                    this);
        window.exec();
    });
    // The installation may have removed or renamed a sensor whose cycle runs.
    refreshCookCycles();
}

void MainWindow::openCookSensorSetup() {
    runAdapterWindow([this](sensornet::SerialPort& port, sensornet::Pause& pause) {
        SensorsSetupWindow window(m_ctx, m_seams.clock, m_seams.dialogs, m_seams.settings, port, pause, this);
        window.exec();
    });
}

} // namespace kelvara::ui
