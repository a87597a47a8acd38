#include "ui/InstallationWindow.h"

#include "app/AppContext.h"
#include "app/ComPortSettings.h"
#include "base/UserDialogs.h"
#include "install/SensorInstallation.h"
#include "ui/BusyPointer.h"
#include "ui/TypedCellDelegate.h"
#include "ui/WindowUtils.h"

#include <QAction>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTableView>
#include <QToolBar>
#include <QVBoxLayout>

namespace kelvara::ui {

namespace {

// Room between the grids and the activity list when it is shown.
constexpr int kActivityMargin = 27;

} // namespace

InstallationWindow::InstallationWindow(const base::Clock& clock, base::UserDialogs& dialogs,
                                       sensornet::SerialPort& port, sensornet::Pause& pause, QWidget* parent)
    : QDialog(parent), m_link(port, clock, pause, dialogs, sensornet::ExchangeRules::installation()),
      m_dialogs(dialogs) {}

InstallationWindow::~InstallationWindow() {
    m_link.closePort();
}

QTableView* InstallationWindow::makeGrid(const QString& name, install::GridModel* model) {
    auto* grid = new QTableView(this);
    grid->setObjectName(name);
    grid->setModel(model);
    grid->setItemDelegate(new TypedCellDelegate(m_dialogs, grid));
    grid->horizontalHeader()->setStretchLastSection(true);
    grid->setSelectionBehavior(QAbstractItemView::SelectItems);
    return grid;
}

void InstallationWindow::setUp(const Texts& texts, const app::UserSettings& settings,
                               install::SensorInstallation& installation,
                               std::vector<GridColumn> sensorColumns, std::vector<GridColumn> lampColumns) {
    m_installation = &installation;
    setObjectName(texts.objectName);
    setWindowTitle(texts.caption);
    setModal(true);

    auto* layout = new QVBoxLayout(this);

    m_toolbar =
        addKeyToolbar(*this, {QStringLiteral("Read"), QStringLiteral("Save"), QStringLiteral("Exit")});
    QAction* read = action(*m_toolbar, "Read");
    m_save = action(*m_toolbar, "Save");
    QAction* exit = action(*m_toolbar, "Exit");
    // Nothing to save before a Read has found something: a Save now would only empty the table.
    m_save->setEnabled(false);
    layout->addWidget(m_toolbar);

    m_sensorModel = new install::GridModel([this] { return m_installation->sensorCount(); },
                                           std::move(sensorColumns), this);
    m_sensorGrid = makeGrid(QStringLiteral("gridMonitors"), m_sensorModel);
    layout->addWidget(m_sensorGrid);

    m_reading = new QLabel(kReadingText, this);
    m_reading->setObjectName(QStringLiteral("lblSerialNo"));
    m_reading->hide();
    layout->addWidget(m_reading);

    m_panel = new QGroupBox(texts.panelTitle, this);
    m_panel->setObjectName(QStringLiteral("panAlarm"));
    auto* panelLayout = new QVBoxLayout(m_panel);
    auto* instruction = new QLabel(texts.panelInstruction, m_panel);
    instruction->setWordWrap(true);
    panelLayout->addWidget(instruction);
    m_lampModel = new install::GridModel([this] { return static_cast<int>(m_installation->lamps().size()); },
                                         std::move(lampColumns), this);
    m_lampGrid = makeGrid(QStringLiteral("gridAlarmPanel"), m_lampModel);
    m_lampGrid->setParent(m_panel);
    panelLayout->addWidget(m_lampGrid);
    auto* buttons = new QHBoxLayout;
    auto* panelSave = new QPushButton(QStringLiteral("Save"), m_panel);
    panelSave->setObjectName(QStringLiteral("cmdButton_0"));
    auto* panelExit = new QPushButton(QStringLiteral("Exit"), m_panel);
    panelExit->setObjectName(QStringLiteral("cmdButton_1"));
    panelSave->setAutoDefault(false);
    panelExit->setAutoDefault(false);
    buttons->addStretch();
    buttons->addWidget(panelSave);
    buttons->addWidget(panelExit);
    panelLayout->addLayout(buttons);
    m_panel->hide();
    layout->addWidget(m_panel);

    m_activity = new QListWidget(this);
    m_activity->setObjectName(QStringLiteral("lisActivity"));
    m_activity->hide();
    layout->addWidget(m_activity);

    connect(read, &QAction::triggered, this, &InstallationWindow::cmdSerialKey_Read);
    connect(m_save, &QAction::triggered, this, &InstallationWindow::cmdSerialKey_Save);
    connect(exit, &QAction::triggered, this, &QDialog::reject);
    connect(panelSave, &QPushButton::clicked, this, &InstallationWindow::cmdButton_Save);
    connect(panelExit, &QPushButton::clicked, this, &InstallationWindow::cmdButton_Exit);

    resize(520, 360);
    CenterWindow(*this);
    new EnterAsTab(*this);
    // The port settings are read once, as every window that talks to the adapter does on loading.
    m_link.configurePort(app::readLineSettings(settings));
}

void InstallationWindow::done(int result) {
    m_link.closePort();
    QDialog::done(result);
}

void InstallationWindow::showProblems(const install::InstallOutcome& outcome) {
    for (const install::InstallProblem& problem : outcome.problems)
        m_dialogs.critical(kTitle, problem.text());
}

void InstallationWindow::showActivity() {
    m_activity->clear();
    m_activity->addItems(m_installation->activity());
}

void InstallationWindow::setEditing(bool enabled) {
    m_sensorGrid->setEnabled(enabled);
    m_toolbar->setEnabled(enabled);
}

void InstallationWindow::cmdSerialKey_Read() {
    install::InstallOutcome outcome;
    {
        const BusyPointer busy;
        m_reading->show();
        outcome = m_installation->read();
        m_sensorModel->reload();
        showActivity();
        m_reading->hide();
    }
    showProblems(outcome);
    if (outcome.state == install::InstallOutcome::State::PortNotOpen)
        return;
    m_save->setEnabled(m_installation->sensorCount() > 0);
}

void InstallationWindow::cmdSerialKey_Save() {
    const install::InstallOutcome outcome = m_installation->save();
    showProblems(outcome);
    if (!outcome.done())
        return;
    if (m_installation->offerPanelSetup())
        startPanelSetup();
}

void InstallationWindow::startPanelSetup() {
    install::InstallOutcome outcome;
    {
        const BusyPointer busy;
        setEditing(false);
        m_panel->show();
        outcome = m_installation->panelSetup();
        m_lampModel->reload();
        showActivity();
    }
    showProblems(outcome);
}

void InstallationWindow::cmdButton_Save() {
    install::InstallOutcome outcome;
    {
        const BusyPointer busy;
        outcome = m_installation->panelSave();
    }
    showProblems(outcome);
    if (outcome.done())
        m_installation->offerPanelTest();
    setEditing(true);
}

void InstallationWindow::cmdButton_Exit() {
    m_panel->hide();
    setEditing(true);
}

void InstallationWindow::mouseDoubleClickEvent(QMouseEvent* event) {
    const int change = m_activity->sizeHint().height() + kActivityMargin;
    if (m_activity->isHidden()) {
        m_activity->show();
        resize(width(), height() + change);
    } else {
        m_activity->hide();
        resize(width(), qMax(minimumSizeHint().height(), height() - change));
    }
    QDialog::mouseDoubleClickEvent(event);
}

} // namespace kelvara::ui
