// The main window's menus, toolbar and View toggle group, and the System menu's purge and compaction.
#include "app/AppContext.h"
#include "monitoring/MonitoringCycle.h"
#include "monitoring/MonitoringJob.h"
#include "monitoring/PanelLamps.h"
#include "notify/SmsGateway.h"
#include "sensornet/AdapterLink.h"
#include "sensornet/PortLists.h"
#include "store/Compaction.h"
#include "ui/AlarmSmsWindow.h"
#include "ui/BusyPointer.h"
#include "ui/ChartWindow.h"
#include "ui/ComPortDialog.h"
#include "ui/CookPanel.h"
#include "ui/LoginDialog.h"
#include "ui/MainWindow.h"
#include "ui/ProductsWindow.h"
#include "ui/PurgeWindow.h"
#include "ui/ReportWindow.h"
#include "ui/SplashWindow.h"
#include "ui/SystemSettingsDialog.h"
#include "ui/WindowUtils.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QTextStream>
#include <QToolBar>

namespace kelvara::ui {

namespace {

// Heights the layouts ask for, in twips (15 to a pixel on a 96 dpi screen).
constexpr int kTwipsPerPixel = 15;
constexpr int kCookOnlyHeightTwips = 6030;
constexpr int kZoneOnlyGridPaneTwips = 6795;

} // namespace

void MainWindow::buildMenusAndToolbar() {
    QMenu* file = menuBar()->addMenu(tr("File"));
    file->setObjectName(QStringLiteral("mnuFile"));
    file->addAction(QStringLiteral("Temperature Sensor Installation"), this, &MainWindow::openInstallation);
    file->addAction(QStringLiteral("Temperature Zone Configuration"), this,
                    &MainWindow::openZoneConfiguration);
    file->addAction(QStringLiteral("Turn OFF Lights on Panel"), this, [this] {
        m_job->lamps().AlarmPanelOff();
        m_job->link().closePort();
    });
    file->addAction(QStringLiteral("Turn ON Lights on Panel"), this,
                    [this] { m_job->lamps().Light_Panel(m_job->cycle().alarmState()); });
    file->addSeparator();
    file->addAction(QStringLiteral("Exit"), this, &QWidget::close);

    QMenu* reports = menuBar()->addMenu(QStringLiteral("Reports"));
    reports->setObjectName(QStringLiteral("mnuReport"));
    for (const char* entry : {"Daily Temperatures", "Alarm Report", "Archive Data"})
        reports->addAction(QString::fromLatin1(entry), this,
                           [this, entry] { openReport(QString::fromLatin1(entry)); });

    QMenu* cook = menuBar()->addMenu(QStringLiteral("Cook Cycles"));
    cook->setObjectName(QStringLiteral("mnuCook"));
    cook->addAction(QStringLiteral("New Cook Cycle"), this, [this] { m_cookPane->newCycle(); });
    cook->addAction(QStringLiteral("Product Information"), this, [this] {
        if (!m_ctx.databases.thermo)
            return;
        ProductsWindow window(*m_ctx.databases.thermo, m_seams.dialogs, this);
        window.setReportSite(reportSite());
        window.exec();
        m_cookPane->refreshProducts();
    });
    cook->addAction(QStringLiteral("Monitoring Information"), this, &MainWindow::openCookSensorSetup);
    cook->addAction(QStringLiteral("Sensor Installation"), this, &MainWindow::openCookSensorInstallation);
    QMenu* batch = cook->addMenu(QStringLiteral("Batch Reports"));
    batch->setObjectName(QStringLiteral("mnuBatchListing"));
    for (const char* entry : {"Listing By Date", "Listing By Batch #"})
        batch->addAction(QString::fromLatin1(entry), this,
                         [this, entry] { openReport(QString::fromLatin1(entry)); });
    m_hideCook = cook->addAction(QStringLiteral("Show Cook Cycle"), this,
                                 [this] { m_cookPane->Show_CookCycle(m_cookPane->isHidden()); });
    m_hideCook->setObjectName(QStringLiteral("mnuHideCook"));

    menuBar()->addAction(QStringLiteral("COM Port Settings"), this, &MainWindow::openComPortSettings);

    QMenu* system = menuBar()->addMenu(QStringLiteral("System"));
    system->setObjectName(QStringLiteral("mnuSystem"));
    system->addAction(QStringLiteral("Company Information and Settings"), this,
                      &MainWindow::openSystemSettings);
    system->addAction(QStringLiteral("Purge Data"), this, &MainWindow::openPurge);
    system->addAction(QStringLiteral("Compact and Repair Database"), this, &MainWindow::compactAndRepair);

    QMenu* view = menuBar()->addMenu(QStringLiteral("View"));
    view->setObjectName(QStringLiteral("mnuView"));
    int index = 0;
    for (const char* entry : {"Error Log", "Alarm Notification Log", "Communications Log"}) {
        QAction* action = view->addAction(QString::fromLatin1(entry));
        action->setCheckable(true);
        connect(action, &QAction::triggered, this, [this, index] { chooseView(index); });
        m_viewActions << action;
        ++index;
    }

    QMenu* help = menuBar()->addMenu(QStringLiteral("Help"));
    help->addAction(QStringLiteral("About"), this, [this] {
        SplashWindow about(this);
        CenterWindow(about);
        about.exec();
    });

    m_toolbar = addToolBar(QStringLiteral("Toolbar1"));
    QToolBar* toolbar = m_toolbar;
    toolbar->setObjectName(QStringLiteral("Toolbar1"));
    toolbar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    auto button = [&](const QString& key, const QString& text) {
        QAction* action = toolbar->addAction(text);
        action->setObjectName(key);
        action->setEnabled(false);
        return action;
    };
    QAction* exit = button(QStringLiteral("Exit"), QStringLiteral("&Exit"));
    exit->setEnabled(true);
    connect(exit, &QAction::triggered, this, &QWidget::close);
    QAction* install = button(QStringLiteral("Install"), QStringLiteral("Temperature Sensor Installation"));
    connect(install, &QAction::triggered, this, &MainWindow::openInstallation);
    QAction* tempSetup =
        button(QStringLiteral("TempSetup"), QStringLiteral("Temperature Zone Configuration"));
    connect(tempSetup, &QAction::triggered, this, &MainWindow::openZoneConfiguration);
    QAction* properties = button(QStringLiteral("Properties"), QStringLiteral("Properties"));
    connect(properties, &QAction::triggered, this, &MainWindow::openComPortSettings);
    for (QAction* action : {install, tempSetup, properties})
        action->setEnabled(true);
    QAction* call = button(QStringLiteral("Call"), QStringLiteral("Alarm Notification"));
    call->setEnabled(true);
    connect(call, &QAction::triggered, this, &MainWindow::openNotificationList);
    QAction* graph = button(QStringLiteral("Graph"), QStringLiteral("Graph Display"));
    graph->setEnabled(true);
    connect(graph, &QAction::triggered, this, &MainWindow::openChart);
    QAction* read = button(QStringLiteral("Read"), QStringLiteral("Read Temperatures"));
    read->setEnabled(true);
    connect(read, &QAction::triggered, this, [this] { m_job->cycle().readNow(); });
}

void MainWindow::openNotificationList() {
    // The list's test may use a modem on the adapter's port: monitoring stops and the port closes meanwhile.
    m_job->cycle().SuspendMonitoring(true);
    if (m_ctx.databases.kvr) {
        AlarmSmsWindow window(m_ctx, m_seams.dialogs, *m_dispatcher, m_seams.sms->devices(), this);
        window.exec();
    }
    m_job->lamps().Light_Panel(m_job->cycle().alarmState());
    if (m_started)
        m_job->cycle().start();
}

void MainWindow::openComPortSettings() {
    // Monitoring goes on meanwhile; the new settings apply at the next start.
    ComPortDialog dialog(m_seams.settings, m_seams.dialogs, sensornet::fillPortLists(), this);
    dialog.exec();
}

void MainWindow::openSystemSettings() {
    if (!LoginDialog::askPassword(m_ctx, m_seams.dialogs, this))
        return;
    m_job->cycle().SuspendMonitoring(false);
    SystemSettingsDialog dialog(m_ctx, m_seams.dialogs, this);
    dialog.exec();
    // The running program keeps the settings it started with; the unit caption and intervals are
    // refreshed from them.
    applyTempType();
    m_job->cycle().loadIntervals();
    if (m_started)
        m_job->cycle().start();
}

void MainWindow::withTimerOff(const std::function<void()>& work) {
    // The menus wait for a pass to end; this keeps a purge or a compaction off a pass's open writes should
    // anything else ever call in during one.
    if (m_job->cycle().reading())
        return;
    m_job->cycle().stop();
    work();
    if (m_started)
        m_job->cycle().start();
}

void MainWindow::openChart() {
    // The chart only reads, so monitoring goes on meanwhile.
    if (!m_ctx.databases.kvr || !m_ctx.databases.kvr->isOpen())
        return;
    ChartWindow window(*m_ctx.databases.kvr, m_seams.clock, m_seams.dialogs, this);
    window.exec();
}

reports::ReportSite MainWindow::reportSite() const {
    return {m_ctx.databases.kvr.get(), m_ctx.siteDir, m_ctx.dataDir};
}

void MainWindow::openReport(const QString& title) {
    // Reports only read, so monitoring goes on meanwhile.
    ReportWindow window(title, reportSite(), m_seams.clock, m_seams.dialogs, this);
    window.exec();
}

void MainWindow::openPurge() {
    withTimerOff([this] {
        {
            PurgeWindow window(m_ctx, m_seams.clock, m_seams.dialogs, this);
            window.exec();
        }
        RepairDatabase();
    });
}

void MainWindow::compactAndRepair() {
    withTimerOff([this] {
        if (m_seams.dialogs.question(QStringLiteral("Kelvara"), kRepairQuestion, true))
            RepairDatabase();
    });
}

void MainWindow::RepairDatabase() {
    store::Compaction::Report report;
    {
        const BusyPointer busy;
        setStatus(kRepairingText);
        QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        report = store::Compaction(m_ctx.siteDir).repair(m_ctx.databases);
        setStatus(m_status->text(), false);
    }
    for (const QString& error : report.errors)
        m_seams.dialogs.critical(kRepairTitle, error);
    if (report.ok())
        m_seams.dialogs.information(QStringLiteral("Kelvara"), store::Compaction::closingText(report));
    else
        m_seams.dialogs.warning(QStringLiteral("Kelvara"), store::Compaction::closingText(report));
    m_status->setText(monitoring::MonitoringCycle::kReadingText.trimmed());
}

void MainWindow::applySides() {
    if (!m_ctx.hasCookSide()) {
        m_statusPane->setMinimumHeight(kZoneOnlyGridPaneTwips / kTwipsPerPixel);
        if (QMenu* cook = menuBar()->findChild<QMenu*>(QStringLiteral("mnuCook"))) {
            cook->menuAction()->setVisible(false);
            cook->menuAction()->setEnabled(false);
        }
    }
    if (m_ctx.hasZoneSide())
        return;
    // A cook-only site: no zone panes, no reports, and of the File menu only the lamps on and Exit.
    for (QWidget* pane : {static_cast<QWidget*>(m_generalPane), static_cast<QWidget*>(m_alarmPane),
                          static_cast<QWidget*>(m_statusPane)}) {
        pane->hide();
        pane->setEnabled(false);
    }
    resize(width(), kCookOnlyHeightTwips / kTwipsPerPixel);
    if (QMenu* file = menuBar()->findChild<QMenu*>(QStringLiteral("mnuFile"))) {
        const QList<QAction*> entries = file->actions();
        for (int i = 0; i < 3 && i < entries.size(); ++i)
            entries.at(i)->setVisible(false);
    }
    if (QMenu* reports = menuBar()->findChild<QMenu*>(QStringLiteral("mnuReport")))
        reports->menuAction()->setVisible(false);
    if (auto* toolbar = findChild<QToolBar*>(QStringLiteral("Toolbar1"))) {
        for (QAction* action : toolbar->actions()) {
            const QString key = action->objectName();
            if (key == QLatin1String("Install") || key == QLatin1String("TempSetup") ||
                key == QLatin1String("Call") || key == QLatin1String("Graph"))
                action->setVisible(false);
        }
    }
}

void MainWindow::chooseView(int entry) {
    m_statusList->raise();
    m_statusList->hide();
    const bool wasChecked = m_viewChecked == entry;
    for (QAction* action : m_viewActions)
        action->setChecked(false);
    if (wasChecked) {
        m_viewChecked = -1;
        return;
    }
    m_viewChecked = entry;
    m_viewActions.at(entry)->setChecked(true);
    if (entry > 0) {
        m_statusList->clear();
        QFile log(QDir(m_ctx.siteDir)
                      .filePath(entry == 1 ? QStringLiteral("SMTP.log") : QStringLiteral("KVRComm.log")));
        if (log.open(QIODevice::ReadOnly | QIODevice::Text)) {
            QTextStream in(&log);
            while (!in.atEnd())
                m_statusList->addItem(in.readLine());
        }
    }
    m_statusList->show();
}

} // namespace kelvara::ui
