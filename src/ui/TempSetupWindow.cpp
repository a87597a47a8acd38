#include "ui/TempSetupWindow.h"

#include "app/AppContext.h"
#include "base/UserDialogs.h"
#include "install/ZoneConfiguration.h"
#include "install/ZoneGridModel.h"
#include "store/MonitorSetsStore.h"
#include "ui/BusyPointer.h"
#include "ui/TypedCellDelegate.h"
#include "ui/WindowUtils.h"

#include <QAction>
#include <QCoreApplication>
#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTableView>
#include <QToolBar>
#include <QVBoxLayout>

namespace kelvara::ui {

using install::ZoneGridColumn;

namespace {

constexpr int kSerialRole = Qt::UserRole + 1;

int col(ZoneGridColumn c) {
    return static_cast<int>(c);
}

QAction* addKey(QToolBar& toolbar, const QString& name) {
    QAction* action = toolbar.addAction(name);
    action->setObjectName(name);
    return action;
}

} // namespace

TempSetupWindow::TempSetupWindow(app::AppContext& ctx, const base::Clock& clock, base::UserDialogs& dialogs,
                                 const app::UserSettings& settings, sensornet::SerialPort& port,
                                 sensornet::Pause& pause, QWidget* parent)
    : QDialog(parent), m_ctx(ctx), m_dialogs(dialogs), m_settings(settings), m_pause(pause),
      m_link(port, clock, pause, dialogs, sensornet::ExchangeRules::panelSetup()),
      m_test(m_link, ctx.commands) {
    setObjectName(QStringLiteral("frmTempSetup"));
    setWindowTitle(QStringLiteral("Temperature Zone Configuration"));
    setModal(true);

    auto* layout = new QVBoxLayout(this);
    m_toolbar = new QToolBar(this);
    m_toolbar->setObjectName(QStringLiteral("cmdSerialKey"));
    QAction* remove = addKey(*m_toolbar, QStringLiteral("Delete"));
    QAction* save = addKey(*m_toolbar, QStringLiteral("Save"));
    QAction* panel = addKey(*m_toolbar, QStringLiteral("Panel"));
    QAction* exit = addKey(*m_toolbar, QStringLiteral("Exit"));
    layout->addWidget(m_toolbar);

    m_grid = new QTableView(this);
    m_grid->setObjectName(QStringLiteral("gridMonitors"));
    m_grid->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                            QAbstractItemView::AnyKeyPressed);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectItems);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    auto* delegate = new TypedCellDelegate(dialogs, m_grid);
    delegate->setColumnKind(col(ZoneGridColumn::Zone), CellKind::Integer);
    delegate->setColumnKind(col(ZoneGridColumn::Name), CellKind::Text, install::ZoneGridModel::kNameLength);
    delegate->setColumnKind(col(ZoneGridColumn::SerialNo), CellKind::Text,
                            install::ZoneGridModel::kSerialLength);
    delegate->setColumnKind(col(ZoneGridColumn::Alarm), CellKind::Flag);
    delegate->setColumnKind(col(ZoneGridColumn::Low), CellKind::Number);
    delegate->setColumnKind(col(ZoneGridColumn::High), CellKind::Number);
    delegate->setColumnKind(col(ZoneGridColumn::Delay), CellKind::Integer);
    delegate->setColumnKind(col(ZoneGridColumn::Record), CellKind::Flag);
    delegate->setColumnKind(col(ZoneGridColumn::Calibrate), CellKind::Number);
    delegate->setColumnKind(col(ZoneGridColumn::AlarmLed), CellKind::Integer);
    m_grid->setItemDelegate(delegate);
    layout->addWidget(m_grid, 1);

    m_pane = new QFrame(this);
    m_pane->setObjectName(QStringLiteral("panAlarm"));
    m_pane->setFrameShape(QFrame::StyledPanel);
    auto* paneLayout = new QVBoxLayout(m_pane);
    paneLayout->addWidget(new QLabel(QStringLiteral("Alarm Panel Serial Numbers"), m_pane));
    m_alarmList = new QTableView(m_pane);
    m_alarmList->setObjectName(QStringLiteral("gridAlarms"));
    m_alarmList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_alarmList->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_alarmList->setSelectionMode(QAbstractItemView::SingleSelection);
    m_alarmModel = new QStandardItemModel(0, 2, this);
    m_alarmModel->setHorizontalHeaderLabels({QStringLiteral(" Zone "), QStringLiteral(" Alarm Serial #")});
    m_alarmList->setModel(m_alarmModel);
    m_alarmList->horizontalHeader()->setStretchLastSection(true);
    paneLayout->addWidget(m_alarmList);
    const auto [test, hide] = addTestExitButtons(*m_pane, *paneLayout);
    layout->addWidget(m_pane);
    m_pane->hide();

    connect(remove, &QAction::triggered, this, &TempSetupWindow::deleteZone);
    connect(save, &QAction::triggered, this, &TempSetupWindow::saveLampSerials);
    connect(panel, &QAction::triggered, this, &TempSetupWindow::showPanel);
    connect(exit, &QAction::triggered, this, &TempSetupWindow::reject);
    connect(test, &QPushButton::clicked, this, &TempSetupWindow::testPanel);
    connect(hide, &QPushButton::clicked, m_pane, &QWidget::hide);
    connect(m_alarmList, &QTableView::clicked, this,
            [this](const QModelIndex& index) { testLamp(index.row()); });

    new EnterAsTab(*this);
    resize(760, 420);
    CenterWindow(*this);

    if (ctx.databases.kvr) {
        m_zones = std::make_unique<install::ZoneGridModel>(*ctx.databases.kvr, clock, dialogs);
        m_grid->setModel(m_zones.get());
        m_configuration = std::make_unique<install::ZoneConfiguration>(*ctx.databases.kvr);
        if (const base::Result<void> done = m_configuration->loadLampSerials(); !done)
            m_dialogs.information(kTitle, done.error());
    }
}

TempSetupWindow::~TempSetupWindow() {
    // The grid must let go of the model before the model goes.
    m_grid->setModel(nullptr);
}

void TempSetupWindow::reject() {
    if (!m_testing)
        QDialog::reject();
}

void TempSetupWindow::deleteZone() {
    if (!m_zones)
        return;
    const int row = m_grid->currentIndex().row();
    const store::MonitorSetsRow* zone = m_zones->zone(row);
    if (!zone)
        return;
    if (!m_dialogs.question(kTitle, kDeleteQuestion.arg(zone->Room).arg(zone->Name.trimmed()), false))
        return;
    if (m_zones->removeZone(row))
        m_pause.wait(1000);
}

void TempSetupWindow::saveLampSerials() {
    if (!m_configuration)
        return;
    const QModelIndex current = m_grid->currentIndex();
    if (const base::Result<void> done = m_configuration->saveLampSerials(); !done)
        m_dialogs.information(kTitle, done.error());
    QCoreApplication::processEvents();
    m_zones->reload();
    if (current.isValid())
        m_grid->setCurrentIndex(m_zones->index(current.row(), current.column()));
}

void TempSetupWindow::fillAlarmList() {
    m_alarmModel->removeRows(0, m_alarmModel->rowCount());
    if (!m_ctx.databases.kvr)
        return;
    const auto zones = store::MonitorSetsStore(*m_ctx.databases.kvr).loadAll();
    if (!zones) {
        m_dialogs.information(kTitle, zones.error());
        return;
    }
    for (const store::MonitorSetsRow& zone : *zones) {
        auto* room = new QStandardItem(QString::number(zone.Room));
        auto* serial = new QStandardItem(zone.ALarmSerialNo);
        room->setData(zone.ALarmSerialNo, kSerialRole);
        m_alarmModel->appendRow({room, serial});
    }
}

void TempSetupWindow::showPanel() {
    fillAlarmList();
    m_pane->show();
}

void TempSetupWindow::setTesting(bool on) {
    m_testing = on;
    m_toolbar->setEnabled(!on);
    m_pane->setEnabled(!on);
}

void TempSetupWindow::testPanel() {
    if (m_testing || !m_dialogs.question(kTitle, kPanelTestQuestion, true))
        return;
    QStringList lamps;
    if (m_zones) {
        // The zones as stored, so a Save or an edit made just before counts.
        m_zones->reload();
        for (int row = 0; row < m_zones->rowCount(); ++row)
            lamps << m_zones->zone(row)->ALarmSerialNo;
    }
    {
        BusyPointer busy;
        setTesting(true);
        m_test.alarmPanel(m_settings, lamps);
        setTesting(false);
    }
    if (m_zones && m_zones->rowCount() > 0)
        m_grid->setCurrentIndex(m_zones->index(0, 0));
}

void TempSetupWindow::testLamp(int row) {
    if (m_testing || row < 0 || row >= m_alarmModel->rowCount())
        return;
    const QString serial = m_alarmModel->item(row, 0)->data(kSerialRole).toString();
    BusyPointer busy;
    m_testing = true;
    m_alarmList->setEnabled(false);
    m_test.alarmLamp(m_settings, serial);
    m_alarmList->setEnabled(true);
    m_testing = false;
}

} // namespace kelvara::ui
