#include "ui/SensorsSetupWindow.h"

#include "app/AppContext.h"
#include "app/ComPortSettings.h"
#include "base/UserDialogs.h"
#include "store/LightPanelStore.h"
#include "store/ThermoSensorsStore.h"
#include "ui/BusyPointer.h"
#include "ui/WindowUtils.h"

#include <QAction>
#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTableView>
#include <QToolBar>
#include <QVBoxLayout>

namespace kelvara::ui {

namespace {

// Each row's first cell keeps what the commands need: the sensor's row id, or the lamp's ROM id.
constexpr int kKeyRole = Qt::UserRole + 1;

QAction* addKey(QToolBar& toolbar, const QString& name) {
    QAction* action = toolbar.addAction(name);
    action->setObjectName(name);
    return action;
}

QTableView* makeList(QWidget* parent, const QString& name, QStandardItemModel* model) {
    auto* list = new QTableView(parent);
    list->setObjectName(name);
    list->setModel(model);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->horizontalHeader()->setStretchLastSection(true);
    return list;
}

} // namespace

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
    m_toolbar = new QToolBar(this);
    m_toolbar->setObjectName(QStringLiteral("cmdSerialKey"));
    QAction* remove = addKey(*m_toolbar, QStringLiteral("Delete"));
    QAction* panel = addKey(*m_toolbar, QStringLiteral("Panel"));
    QAction* exit = addKey(*m_toolbar, QStringLiteral("Exit"));
    layout->addWidget(m_toolbar);

    m_sensors = new QStandardItemModel(0, 6, this);
    m_sensors->setHorizontalHeaderLabels({QStringLiteral("Sensor #"), QStringLiteral("Name"),
                                          QStringLiteral("Serial #"), QStringLiteral("Type"),
                                          QStringLiteral("Light"), QStringLiteral("Light Serial #")});
    m_grid = makeList(this, QStringLiteral("gridMonitors"), m_sensors);
    layout->addWidget(m_grid, 1);

    m_pane = new QFrame(this);
    m_pane->setObjectName(QStringLiteral("panAlarm"));
    m_pane->setFrameShape(QFrame::StyledPanel);
    auto* paneLayout = new QVBoxLayout(m_pane);
    m_lights = new QStandardItemModel(0, 2, this);
    m_lights->setHorizontalHeaderLabels({QStringLiteral("Light"), QStringLiteral("Serial #")});
    m_lightList = makeList(m_pane, QStringLiteral("gridLightPanel"), m_lights);
    paneLayout->addWidget(m_lightList);
    const auto [test, hide] = addTestExitButtons(*m_pane, *paneLayout);
    layout->addWidget(m_pane);
    m_pane->hide();

    connect(remove, &QAction::triggered, this, &SensorsSetupWindow::deleteSensor);
    connect(panel, &QAction::triggered, this, &SensorsSetupWindow::showPanel);
    connect(exit, &QAction::triggered, this, &SensorsSetupWindow::reject);
    connect(test, &QPushButton::clicked, this, &SensorsSetupWindow::testPanel);
    connect(hide, &QPushButton::clicked, m_pane, &QWidget::hide);
    connect(m_lightList, &QTableView::clicked, this,
            [this](const QModelIndex& index) { testLamp(index.row()); });

    new EnterAsTab(*this);
    resize(640, 400);
    CenterWindow(*this);

    fillSensors();
    fillLights();
    m_link.configurePort(app::readLineSettings(settings));
}

void SensorsSetupWindow::reject() {
    if (!m_testing)
        QDialog::reject();
}

void SensorsSetupWindow::fillSensors() {
    m_sensors->removeRows(0, m_sensors->rowCount());
    if (!m_ctx.databases.thermo)
        return;
    const auto sensors = store::ThermoSensorsStore(*m_ctx.databases.thermo).loadAll();
    if (!sensors) {
        m_dialogs.information(kTitle, sensors.error());
        return;
    }
    for (const store::ThermoSensorsRow& s : *sensors) {
        auto* number = new QStandardItem(QString::number(s.SensorNo));
        number->setData(s.id, kKeyRole);
        m_sensors->appendRow({number, new QStandardItem(s.Name), new QStandardItem(s.SerialNo),
                              new QStandardItem(s.SensorType), new QStandardItem(QString::number(s.LightNo)),
                              new QStandardItem(s.LightSerialNo)});
    }
}

void SensorsSetupWindow::fillLights() {
    m_lights->removeRows(0, m_lights->rowCount());
    if (!m_ctx.databases.thermo)
        return;
    const auto lights = store::LightPanelStore(*m_ctx.databases.thermo).loadAll();
    if (!lights) {
        m_dialogs.information(kTitle, lights.error());
        return;
    }
    for (const store::LightPanelRow& light : *lights) {
        auto* number = new QStandardItem(QString::number(light.LightNo));
        number->setData(light.LightSerialNo, kKeyRole);
        m_lights->appendRow({number, new QStandardItem(light.LightSerialNo)});
    }
}

void SensorsSetupWindow::deleteSensor() {
    const int row = m_grid->currentIndex().row();
    if (!m_ctx.databases.thermo || row < 0 || row >= m_sensors->rowCount())
        return;
    const QString number = m_sensors->item(row, 0)->text();
    const QString name = m_sensors->item(row, 1)->text().trimmed();
    if (!m_dialogs.question(kTitle, kDeleteQuestion.arg(number, name), false))
        return;
    const qint64 id = m_sensors->item(row, 0)->data(kKeyRole).toLongLong();
    if (const base::Result<void> failed = store::ThermoSensorsStore(*m_ctx.databases.thermo).remove(id);
        !failed.ok()) {
        m_dialogs.information(kTitle, failed.error());
        return;
    }
    m_sensors->removeRow(row);
    m_pause.wait(1000);
}

void SensorsSetupWindow::showPanel() {
    m_pane->show();
}

void SensorsSetupWindow::setTesting(bool on) {
    m_testing = on;
    m_toolbar->setEnabled(!on);
    m_pane->setEnabled(!on);
}

void SensorsSetupWindow::testPanel() {
    if (m_testing || !m_dialogs.question(kTitle, kPanelTestQuestion, true))
        return;
    QStringList lamps;
    for (int row = 0; row < m_sensors->rowCount(); ++row)
        lamps << m_sensors->item(row, 5)->text();
    BusyPointer busy;
    setTesting(true);
    m_test.cookPanel(lamps);
    setTesting(false);
    if (m_sensors->rowCount() > 0)
        m_grid->setCurrentIndex(m_sensors->index(0, 0));
}

void SensorsSetupWindow::testLamp(int row) {
    if (m_testing || row < 0 || row >= m_lights->rowCount())
        return;
    // The lamp the user chose in the list, whatever sensor row is current in the grid above.
    const QString serial = m_lights->item(row, 0)->data(kKeyRole).toString();
    BusyPointer busy;
    setTesting(true);
    m_test.cookLamp(serial);
    setTesting(false);
}

} // namespace kelvara::ui
