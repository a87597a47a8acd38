#include "ui/MainWindow.h"

#include "app/AppContext.h"
#include "monitoring/MonitoringCycle.h"
#include "monitoring/MonitoringJob.h"
#include "sensornet/EventLoopPause.h"
#include "sensornet/QtSerialPort.h"
#include "store/Database.h"
#include "store/MonitorSetsStore.h"
#include "ui/LoginDialog.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QTableWidget>
#include <QVBoxLayout>

namespace kelvara::ui {

namespace {
constexpr int kTempColumn = 2;
}

MainWindow::MainWindow(app::AppContext& ctx, QWidget* parent) : QMainWindow(parent), m_ctx(ctx) {
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Kelvara"));
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    m_grid = new QTableWidget(0, 3, central);
    m_grid->setObjectName(QStringLiteral("gridC3"));
    m_grid->setHorizontalHeaderLabels({QStringLiteral("Zone"), QStringLiteral("Monitoring Room"),
                                       QStringLiteral("°") + m_ctx.settings.TempType});
    m_grid->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->verticalHeader()->hide();
    m_status = new QLabel(central);
    m_status->setObjectName(QStringLiteral("lblStatus"));
    m_degree = new QLabel(QStringLiteral("°") + m_ctx.settings.TempType, central);
    m_degree->setObjectName(QStringLiteral("lblDegree"));
    layout->addWidget(m_degree);
    m_statusList = new QListWidget(central);
    m_statusList->setObjectName(QStringLiteral("lstEMailStatus"));
    layout->addWidget(m_grid, 3);
    layout->addWidget(m_status);
    layout->addWidget(m_statusList, 1);
    setCentralWidget(central);
    resize(900, 600);

    buildMenusAndToolbar();
    for (const QString& notice : m_ctx.startupNotices)
        setStatus(notice);
    fillZoneGrid();
    applySides();
}

MainWindow::~MainWindow() = default;

void MainWindow::fillZoneGrid() {
    if (!m_ctx.hasZoneSide() || !m_ctx.databases.kvr || !m_ctx.databases.kvr->isOpen())
        return;
    const auto zones = store::MonitorSetsStore(*m_ctx.databases.kvr).loadAll();
    if (!zones)
        return;
    m_grid->setRowCount(static_cast<int>(zones->size()));
    int row = 0;
    for (const auto& zone : zones.value()) {
        m_grid->setItem(row, 0, new QTableWidgetItem(QString::number(zone.Room)));
        m_grid->setItem(row, 1, new QTableWidgetItem(zone.Name));
        m_grid->setItem(row, kTempColumn, new QTableWidgetItem(QStringLiteral("0")));
        ++row;
    }
}

void MainWindow::startMonitoring(const app::Clock& clock, app::UserDialogs& dialogs,
                                 app::UserSettings& settings) {
    m_dialogs = &dialogs;
    m_settings = &settings;
    for (QAction* action : {m_comPort, m_properties, m_company})
        action->setEnabled(true);
    m_job = std::make_unique<monitoring::MonitoringJob>(m_ctx, clock, dialogs, *this, *this,
                                                        std::make_unique<sensornet::QtSerialPort>(),
                                                        std::make_unique<sensornet::EventLoopPause>());
    connect(&m_job->cycle(), &monitoring::MonitoringCycle::statusChanged, this,
            [this](const QString& text, bool visible) { setStatus(text.trimmed(), visible); });
    m_job->start(settings);
    colourRows();
}

void MainWindow::reportError(const QString& description, const QString& procedure) {
    m_statusList->addItem(errorLine(description, procedure));
}

void MainWindow::setStatus(const QString& text, bool visible) {
    m_status->setText(text);
    m_status->setVisible(visible);
}

void MainWindow::passStarted() {
    m_statusList->clear();
}

void MainWindow::zoneStarted(int index) {
    if (index < m_grid->rowCount())
        m_grid->selectRow(index);
}

void MainWindow::zoneShown(int index, const QString& text) {
    if (index >= m_grid->rowCount())
        return;
    if (QTableWidgetItem* item = m_grid->item(index, kTempColumn))
        item->setText(text);
    colourRows();
}

void MainWindow::allZonesNoReading() {
    for (int row = 0; row < m_grid->rowCount(); ++row) {
        if (QTableWidgetItem* item = m_grid->item(row, kTempColumn))
            item->setText(QStringLiteral("NR"));
    }
    colourRows();
}

void MainWindow::processEvents() {
    QApplication::processEvents();
}

void MainWindow::passFinished() {
    colourRows();
}

void MainWindow::colourRows() {
    if (!m_job)
        return;
    const auto& state = m_job->cycle().alarmState();
    for (int row = 0; row < m_grid->rowCount(); ++row) {
        QColor colour = Qt::white;
        if (monitoring::ZoneAlarmState::validZone(row)) {
            if (state.ZoneAlarmDisabled[static_cast<size_t>(row)])
                colour = QColor(255, 255, 0);
            else if (state.ZoneAlarmRaised[static_cast<size_t>(row)] && state.AlarmCondition)
                colour = QColor(255, 0, 0);
        }
        for (int column = 0; column < m_grid->columnCount(); ++column) {
            if (QTableWidgetItem* item = m_grid->item(row, column))
                item->setBackground(colour);
        }
    }
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // Closing stops monitoring, so it needs the password; a cancelled login keeps everything running.
    if (m_dialogs && !LoginDialog::askPassword(m_ctx, *m_dialogs, this)) {
        event->ignore();
        return;
    }
    if (m_job)
        m_job->unload();
    event->accept();
}

} // namespace kelvara::ui
