#include "ui/TempSetupWindow.h"

#include "app/AppContext.h"
#include "install/ZoneConfiguration.h"
#include "install/ZoneGridModel.h"
#include "store/MonitorSetsStore.h"
#include "ui/LampPanelPane.h"
#include "ui/WindowUtils.h"

#include <QAction>
#include <QCoreApplication>
#include <QTableView>
#include <QToolBar>
#include <QVBoxLayout>

namespace kelvara::ui {

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
    m_toolbar = addKeyToolbar(*this, {QStringLiteral("Delete"), QStringLiteral("Save"),
                                      QStringLiteral("Panel"), QStringLiteral("Exit")});
    layout->addWidget(m_toolbar);

    m_grid = addEditableGrid(*this, dialogs);
    layout->addWidget(m_grid, 1);

    m_pane = new LampPanelPane({QStringLiteral("Alarm Panel Serial Numbers"), QStringLiteral("gridAlarms"),
                                QStringLiteral(" Zone "), QStringLiteral(" Alarm Serial #")},
                               this);
    layout->addWidget(m_pane);
    m_guard.setControls({m_toolbar, m_grid, m_pane});

    connect(action(*m_toolbar, "Delete"), &QAction::triggered, this, &TempSetupWindow::deleteZone);
    connect(action(*m_toolbar, "Save"), &QAction::triggered, this, &TempSetupWindow::saveLampSerials);
    connect(action(*m_toolbar, "Panel"), &QAction::triggered, this, &TempSetupWindow::showPanel);
    connect(action(*m_toolbar, "Exit"), &QAction::triggered, this, &TempSetupWindow::reject);
    connect(m_pane, &LampPanelPane::testPanel, this, &TempSetupWindow::testPanel);
    connect(m_pane, &LampPanelPane::lampChosen, this, &TempSetupWindow::testLamp);

    new EnterAsTab(*this);
    resize(760, 420);
    CenterWindow(*this);

    if (ctx.databases.kvr) {
        m_zones = std::make_unique<install::ZoneGridModel>(*ctx.databases.kvr, clock, dialogs);
        m_grid->setModel(m_zones.get());
        m_configuration = std::make_unique<install::ZoneConfiguration>(*ctx.databases.kvr);
        if (const auto loaded = m_configuration->loadLampSerials(); !loaded)
            m_dialogs.information(kTitle, loaded.error());
    }
}

TempSetupWindow::~TempSetupWindow() {
    // The grid must let go of the model before the model goes.
    m_grid->setModel(nullptr);
}

void TempSetupWindow::reject() {
    if (!m_guard.testing())
        QDialog::reject();
}

void TempSetupWindow::deleteZone() {
    if (!m_zones || m_guard.testing())
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
    if (!m_configuration || m_guard.testing())
        return;
    const QModelIndex current = m_grid->currentIndex();
    if (const auto saved = m_configuration->saveLampSerials(); !saved)
        m_dialogs.information(kTitle, saved.error());
    QCoreApplication::processEvents();
    m_zones->reload();
    if (current.isValid())
        m_grid->setCurrentIndex(m_zones->index(current.row(), current.column()));
}

void TempSetupWindow::fillAlarmList() {
    std::vector<std::pair<int, QString>> lamps;
    if (m_ctx.databases.kvr) {
        const auto zones = store::MonitorSetsStore(*m_ctx.databases.kvr).loadAll();
        if (!zones)
            m_dialogs.information(kTitle, zones.error());
        else
            for (const store::MonitorSetsRow& zone : *zones)
                lamps.emplace_back(zone.Room, zone.ALarmSerialNo);
    }
    m_pane->setLamps(lamps);
}

void TempSetupWindow::showPanel() {
    fillAlarmList();
    m_pane->show();
}

void TempSetupWindow::testPanel() {
    if (m_guard.testing() || !m_dialogs.question(kTitle, kPanelTestQuestion, true))
        return;
    QStringList lamps;
    if (m_zones) {
        // The zones as stored, so a Save or an edit made just before counts.
        m_zones->reload();
        for (int row = 0; row < m_zones->rowCount(); ++row)
            lamps << m_zones->zone(row)->ALarmSerialNo;
    }
    m_guard.run([&] { m_test.alarmPanel(m_settings, lamps); });
    if (m_zones && m_zones->rowCount() > 0)
        m_grid->setCurrentIndex(m_zones->index(0, 0));
}

void TempSetupWindow::testLamp(int row) {
    if (row < 0 || row >= m_pane->lampCount())
        return;
    const QString serial = m_pane->serial(row);
    m_guard.run([&] { m_test.alarmLamp(m_settings, serial); });
}

} // namespace kelvara::ui
