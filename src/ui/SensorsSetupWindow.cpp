#include "ui/SensorsSetupWindow.h"

#include "app/AppContext.h"
#include "app/ComPortSettings.h"
#include "install/CookSensorGridModel.h"
#include "store/LightPanelStore.h"
#include "ui/LampPanelPane.h"
#include "ui/WindowUtils.h"

#include <QAction>
#include <QHeaderView>
#include <QTableView>
#include <QToolBar>
#include <QVBoxLayout>

namespace kelvara::ui {

SensorsSetupWindow::SensorsSetupWindow(app::AppContext& ctx, const base::Clock& clock,
                                       base::UserDialogs& dialogs, const app::UserSettings& settings,
                                       sensornet::SerialPort& port, sensornet::Pause& pause, QWidget* parent)
    : QDialog(parent), m_ctx(ctx), m_dialogs(dialogs), m_pause(pause),
      m_link(port, clock, pause, dialogs, sensornet::ExchangeRules::panelSetup()),
      m_test(m_link, ctx.commands) {
    setObjectName(QStringLiteral("frmSensorsSetup"));
    setWindowTitle(QStringLiteral("Monitoring Information"));
    setModal(true);

    auto* layout = new QVBoxLayout(this);
    m_toolbar =
        addKeyToolbar(*this, {QStringLiteral("Delete"), QStringLiteral("Panel"), QStringLiteral("Exit")});
    layout->addWidget(m_toolbar);

    m_grid = addEditableGrid(*this, dialogs);
    m_grid->horizontalHeader()->setStretchLastSection(true);
    layout->addWidget(m_grid, 1);

    m_pane = new LampPanelPane(
        {QString(), QStringLiteral("gridLightPanel"), QStringLiteral("Light"), QStringLiteral("Serial #")},
        this);
    layout->addWidget(m_pane);
    m_guard.setControls({m_toolbar, m_grid, m_pane});

    connect(action(*m_toolbar, "Delete"), &QAction::triggered, this, &SensorsSetupWindow::deleteSensor);
    connect(action(*m_toolbar, "Panel"), &QAction::triggered, this, &SensorsSetupWindow::showPanel);
    connect(action(*m_toolbar, "Exit"), &QAction::triggered, this, &SensorsSetupWindow::reject);
    connect(m_pane, &LampPanelPane::testPanel, this, &SensorsSetupWindow::testPanel);
    connect(m_pane, &LampPanelPane::lampChosen, this, &SensorsSetupWindow::testLamp);

    new EnterAsTab(*this);
    resize(640, 400);
    CenterWindow(*this);

    if (ctx.databases.thermo) {
        m_sensors = std::make_unique<install::CookSensorGridModel>(*ctx.databases.thermo, dialogs);
        m_grid->setModel(m_sensors.get());
    }
    fillLights();
    m_link.configurePort(app::readLineSettings(settings));
}

SensorsSetupWindow::~SensorsSetupWindow() {
    // The grid must let go of the model before the model goes.
    m_grid->setModel(nullptr);
}

void SensorsSetupWindow::reject() {
    if (!m_guard.testing())
        QDialog::reject();
}

void SensorsSetupWindow::fillLights() {
    std::vector<std::pair<int, QString>> lights;
    if (m_ctx.databases.thermo) {
        const auto stored = store::LightPanelStore(*m_ctx.databases.thermo).loadAll();
        if (!stored)
            m_dialogs.information(kTitle, stored.error());
        else
            for (const store::LightPanelRow& light : *stored)
                lights.emplace_back(light.LightNo, light.LightSerialNo);
    }
    m_pane->setLamps(lights);
}

void SensorsSetupWindow::deleteSensor() {
    if (!m_sensors || m_guard.testing())
        return;
    const int row = m_grid->currentIndex().row();
    const store::ThermoSensorsRow* sensor = m_sensors->sensor(row);
    if (!sensor)
        return;
    if (!m_dialogs.question(kTitle, kDeleteQuestion.arg(sensor->SensorNo).arg(sensor->Name.trimmed()), false))
        return;
    if (m_sensors->removeSensor(row))
        m_pause.wait(1000);
}

void SensorsSetupWindow::showPanel() {
    m_pane->show();
}

void SensorsSetupWindow::testPanel() {
    if (m_guard.testing() || !m_dialogs.question(kTitle, kPanelTestQuestion, true))
        return;
    QStringList lamps;
    if (m_sensors) {
        for (int row = 0; row < m_sensors->rowCount(); ++row)
            lamps << m_sensors->sensor(row)->LightSerialNo;
    }
    m_guard.run([&] { m_test.cookPanel(lamps); });
    if (m_sensors && m_sensors->rowCount() > 0)
        m_grid->setCurrentIndex(m_sensors->index(0, 0));
}

void SensorsSetupWindow::testLamp(int row) {
    if (row < 0 || row >= m_pane->lampCount())
        return;
    // The lamp the user chose in the list, whatever sensor row is current in the grid above.
    const QString serial = m_pane->serial(row);
    m_guard.run([&] { m_test.cookLamp(serial); });
}

} // namespace kelvara::ui
