#include "ui/MainWindow.h"

#include "app/AppContext.h"
#include "monitoring/MonitoringCycle.h"
#include "monitoring/MonitoringJob.h"
#include "sensornet/EventLoopPause.h"
#include "sensornet/SystemSerialPort.h"
#include "store/Database.h"
#include "store/MonitorSetsStore.h"
#include "ui/AlarmIndicator.h"
#include "ui/LoginDialog.h"
#include "ui/QtSoundPlayer.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QSystemTrayIcon>
#include <QTableWidget>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

namespace kelvara::ui {

namespace {

QLabel* valueField(const char* name, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setFrameShape(QFrame::StyledPanel);
    label->setMinimumWidth(120);
    return label;
}

QString limitText(const std::optional<double>& limit) {
    return limit ? QString::number(*limit) : QString();
}

// Keeps a row's alarm colour visible when it is the current row (the pass moves the current row zone by
// zone): the selection is drawn as a frame instead of a fill.
class RowColourDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem plain(option);
        const bool selected = option.state.testFlag(QStyle::State_Selected);
        plain.state &= ~QStyle::State_Selected;
        plain.state &= ~QStyle::State_HasFocus;
        QStyledItemDelegate::paint(painter, plain, index);
        if (!selected)
            return;
        painter->save();
        painter->setPen(QPen(option.palette.color(QPalette::Highlight), 2));
        const QRect r = option.rect.adjusted(0, 1, 0, -2);
        painter->drawLine(r.topLeft(), r.topRight());
        painter->drawLine(r.bottomLeft(), r.bottomRight());
        painter->restore();
    }
};

QString flagText(bool value) {
    return value ? QStringLiteral("True") : QStringLiteral("False");
}

} // namespace

MainWindow::MainWindow(app::AppContext& ctx, QWidget* parent)
    : QMainWindow(parent), m_ctx(ctx), m_sound(std::make_unique<QtSoundPlayer>()) {
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Kelvara"));
    setWindowIcon(QApplication::style()->standardIcon(QStyle::SP_ComputerIcon));
    buildPanes();
    resize(900, 680);

    buildMenusAndToolbar();
    for (const QString& notice : m_ctx.startupNotices)
        setStatus(notice);
    fillZoneGrid();
    applySides();
    applyTempType();
    setupTray();
}

MainWindow::~MainWindow() = default;

void MainWindow::buildPanes() {
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);

    m_generalPane = new QGroupBox(QStringLiteral(" General Information "), central);
    m_generalPane->setObjectName(QStringLiteral("fraGeneral"));
    auto* general = new QFormLayout(m_generalPane);
    m_panZone = valueField("panZone", m_generalPane);
    m_panName = valueField("panName", m_generalPane);
    m_panSerialNo = valueField("panSerialNo", m_generalPane);
    m_panREcord = valueField("panREcord", m_generalPane);
    general->addRow(QStringLiteral("Zone:"), m_panZone);
    general->addRow(QStringLiteral("Description:"), m_panName);
    general->addRow(QStringLiteral("Serial No.:"), m_panSerialNo);
    general->addRow(QStringLiteral("Record:"), m_panREcord);

    m_alarmPane = new QGroupBox(QStringLiteral(" Alarm Settings          "), central);
    m_alarmPane->setObjectName(QStringLiteral("fraAlarm"));
    auto* alarm = new QFormLayout(m_alarmPane);
    m_panHighAlarm = valueField("panHighAlarm", m_alarmPane);
    m_panLowAlarm = valueField("panLowAlarm", m_alarmPane);
    m_panAlarm = valueField("panAlarm", m_alarmPane);
    alarm->addRow(QStringLiteral("High Alarm:"), m_panHighAlarm);
    alarm->addRow(QStringLiteral("Low Alarm:"), m_panLowAlarm);
    m_chkDisableAlarm = new QCheckBox(QStringLiteral("Disable"), m_alarmPane);
    m_chkDisableAlarm->setObjectName(QStringLiteral("chkDisableAlarm"));
    auto* alarmRow = new QHBoxLayout;
    alarmRow->addWidget(m_panAlarm);
    alarmRow->addWidget(m_chkDisableAlarm);
    alarmRow->addStretch();
    alarm->addRow(QString(), alarmRow);
    m_txtDuration = new QLineEdit(QStringLiteral("0"), m_alarmPane);
    m_txtDuration->setObjectName(QStringLiteral("txtDuration"));
    m_txtDuration->setValidator(new QIntValidator(0, 9999, m_txtDuration));
    m_txtDuration->setMaximumWidth(60);
    m_lblDuration = new QLabel(QStringLiteral("Hrs."), m_alarmPane);
    m_lblDuration->setObjectName(QStringLiteral("lblDuration"));
    auto* durationRow = new QHBoxLayout;
    durationRow->addWidget(m_txtDuration);
    durationRow->addWidget(m_lblDuration);
    durationRow->addStretch();
    alarm->addRow(QStringLiteral("Duration"), durationRow);
    m_txtDuration->setEnabled(false);
    m_lblDuration->setEnabled(false);
    connect(m_chkDisableAlarm, &QCheckBox::clicked, this, [this] { chkDisableAlarm_Mouseup(); });
    // Enter confirms the hours and moves on, as Tab would; leaving the field confirms it too.
    connect(m_txtDuration, &QLineEdit::returnPressed, this, [this] { focusNextChild(); });
    connect(m_txtDuration, &QLineEdit::editingFinished, this, [this] {
        if (m_txtDuration->isModified()) {
            m_txtDuration->setModified(false);
            durationSave();
        }
    });

    auto* top = new QHBoxLayout;
    top->addWidget(m_generalPane, 1);
    top->addWidget(m_alarmPane, 1);
    layout->addLayout(top);

    m_statusPane = new QGroupBox(QStringLiteral(" Monitoring Status "), central);
    m_statusPane->setObjectName(QStringLiteral("fraStatus"));
    auto* statusLayout = new QVBoxLayout(m_statusPane);
    m_grid = new QTableWidget(0, GridColumns, m_statusPane);
    m_grid->setObjectName(QStringLiteral("gridC3"));
    m_grid->setHorizontalHeaderLabels(
        {QStringLiteral("Zone"), QStringLiteral("Monitoring Room"), QStringLiteral("Temp"),
         QStringLiteral("SerialNo"), QStringLiteral("Record"), QStringLiteral("Alarm"),
         QStringLiteral("HighAlarm"), QStringLiteral("LowAlarm"), QStringLiteral("Duration"),
         QStringLiteral("ALarmSerialNo"), QStringLiteral("DisableAlarm"), QString()});
    for (int column = ColSerialNo; column < GridColumns; ++column)
        m_grid->setColumnHidden(column, true);
    m_grid->horizontalHeader()->setSectionResizeMode(ColName, QHeaderView::Stretch);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->verticalHeader()->hide();
    m_grid->setItemDelegate(new RowColourDelegate(m_grid));
    connect(m_grid, &QTableWidget::currentCellChanged, this, [this](int row, int, int previous, int) {
        if (row != previous)
            Fill_C3Grid();
    });
    statusLayout->addWidget(m_grid);
    layout->addWidget(m_statusPane, 3);

    // The cook cycle pane's fields come alive with the cook side; until a cycle runs it stays hidden.
    m_cookPane = new QGroupBox(QStringLiteral(" Cook Cycle "), central);
    m_cookPane->setObjectName(QStringLiteral("frmThermo"));
    auto* cook = new QFormLayout(m_cookPane);
    for (const auto& [name, caption] : {std::pair{"txtBatch", "Batch #:"}, std::pair{"txtSensor", "Sensor:"},
                                        std::pair{"txtProduct", "Product:"},
                                        std::pair{"txtTarget", "Target:"}, std::pair{"txtTime", "Time:"}}) {
        auto* field = new QLineEdit(m_cookPane);
        field->setObjectName(QLatin1String(name));
        field->setEnabled(false);
        cook->addRow(QLatin1String(caption), field);
    }
    auto* action = new QPushButton(QStringLiteral("Start"), m_cookPane);
    action->setObjectName(QStringLiteral("cmdAction"));
    action->setEnabled(false);
    cook->addRow(action);
    auto* cookGrid = new QTableWidget(0, 0, m_cookPane);
    cookGrid->setObjectName(QStringLiteral("gridThermo"));
    cook->addRow(cookGrid);
    m_cookPane->hide();
    layout->addWidget(m_cookPane, 2);

    auto* statusRow = new QHBoxLayout;
    m_status = new QLabel(central);
    m_status->setObjectName(QStringLiteral("lblStatus"));
    m_alarmInd = new AlarmIndicator(central);
    m_degree = new QLabel(central);
    m_degree->setObjectName(QStringLiteral("lblDegree"));
    statusRow->addWidget(m_status);
    statusRow->addStretch(1);
    statusRow->addWidget(m_alarmInd);
    statusRow->addWidget(m_degree);
    layout->addLayout(statusRow);
    m_statusList = new QListWidget(central);
    m_statusList->setObjectName(QStringLiteral("lstEMailStatus"));
    layout->addWidget(m_statusList, 1);
    setCentralWidget(central);
}

void MainWindow::applyTempType() {
    const QString unit = QStringLiteral("°") + m_ctx.settings.TempType;
    m_grid->horizontalHeaderItem(ColTemp)->setText(unit);
    m_degree->setText(unit);
}

std::optional<std::vector<store::MonitorSetsRow>> MainWindow::fillZoneGrid() {
    m_grid->setRowCount(0);
    if (!m_ctx.hasZoneSide() || !m_ctx.databases.kvr || !m_ctx.databases.kvr->isOpen())
        return std::nullopt;
    const auto zones = store::MonitorSetsStore(*m_ctx.databases.kvr).loadAll();
    if (!zones) {
        reportError(zones.error(), QStringLiteral("Form_Load"));
        return std::nullopt;
    }
    m_grid->setRowCount(static_cast<int>(zones->size()));
    int row = 0;
    for (const auto& zone : zones.value()) {
        const QStringList cells{QString::number(zone.Room),
                                zone.Name,
                                QStringLiteral("0"),
                                zone.SerialNo,
                                flagText(zone.Record),
                                flagText(zone.Alarm),
                                limitText(zone.HighAlarm),
                                limitText(zone.LowAlarm),
                                QString::number(zone.Duration),
                                zone.ALarmSerialNo,
                                flagText(zone.DisableAlarm),
                                QString()};
        for (int column = 0; column < GridColumns; ++column)
            m_grid->setItem(row, column, new QTableWidgetItem(cells.at(column)));
        ++row;
    }
    if (m_grid->rowCount() > 0)
        m_grid->setCurrentCell(0, ColZone);
    Fill_C3Grid();
    return zones.value();
}

void MainWindow::reloadZones() {
    const auto zones = fillZoneGrid();
    if (m_job && zones)
        m_job->cycle().loadZones(*zones);
    colourRows();
}

void MainWindow::Fill_C3Grid() {
    // Hours being typed belong to the zone the panel shows; a pass moving on must not swap the zone under
    // them.
    if (m_txtDuration->hasFocus() && m_txtDuration->isModified())
        return;
    const int row = m_grid->currentRow();
    auto cell = [&](int column) {
        const QTableWidgetItem* item = row >= 0 ? m_grid->item(row, column) : nullptr;
        return item ? item->text() : QString();
    };
    m_panZone->setText(cell(ColZone));
    m_panName->setText(cell(ColName));
    m_panSerialNo->setText(cell(ColSerialNo));
    m_panREcord->setText(cell(ColRecord) == QLatin1String("True") ? QStringLiteral("On")
                                                                  : QStringLiteral("Off"));
    m_panAlarm->setText(cell(ColAlarm) == QLatin1String("True") ? QStringLiteral("[On] ")
                                                                : QStringLiteral("[Off]"));
    m_panHighAlarm->setText(cell(ColHighAlarm));
    m_panLowAlarm->setText(cell(ColLowAlarm));
    const bool disabled = cell(ColDisableAlarm) == QLatin1String("True");
    m_chkDisableAlarm->setChecked(disabled);
    const QString duration = cell(ColDuration);
    m_txtDuration->setText(disabled && !duration.isEmpty() ? duration : QStringLiteral("0"));
    m_txtDuration->setModified(false);
    m_txtDuration->setEnabled(disabled);
    m_lblDuration->setEnabled(disabled);
}

void MainWindow::startMonitoring(const base::Clock& clock, base::UserDialogs& dialogs,
                                 app::UserSettings& settings) {
    m_clock = &clock;
    m_dialogs = &dialogs;
    m_settings = &settings;
    for (QAction* action : m_needsJob)
        action->setEnabled(true);
    m_job = std::make_unique<monitoring::MonitoringJob>(m_ctx, clock, dialogs, *this, *this,
                                                        sensornet::makeSystemSerialPort(),
                                                        std::make_unique<sensornet::EventLoopPause>());
    connect(&m_job->cycle(), &monitoring::MonitoringCycle::statusChanged, this,
            [this](const QString& text, bool visible) { setStatus(text.trimmed(), visible); });
    connect(&m_job->cycle(), &monitoring::MonitoringCycle::readingChanged, this, &MainWindow::readingChanged);
    m_job->start(settings);
    colourRows();
}

void MainWindow::readingChanged(bool reading) {
    // No second pass and no adapter-owning window may start while a pass waits on the adapter, and no
    // window may write to the database while the pass has its writes open. The menus, the toolbar and
    // the disable box (it switches a lamp through the adapter) wait for the pass.
    menuBar()->setEnabled(!reading);
    m_toolbar->setEnabled(!reading);
    m_chkDisableAlarm->setEnabled(!reading);
    if (reading) {
        m_alarmInd->stop();
        return;
    }
    colourRows(); // a pass that read no zone still ends with the indicator showing the alarm state
    if (m_closeAfterPass) {
        m_closeAfterPass = false;
        QTimer::singleShot(0, this, &QWidget::close);
    }
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
        m_grid->setCurrentCell(index, ColZone);
}

void MainWindow::zoneShown(int index, const QString& text) {
    if (index >= m_grid->rowCount())
        return;
    if (QTableWidgetItem* item = m_grid->item(index, ColTemp))
        item->setText(text);
    // The pass may have ended a temporary disable (run out, or raised).
    if (m_job && monitoring::ZoneAlarmState::validZone(index)) {
        const bool disabled = m_job->cycle().alarmState().ZoneAlarmDisabled[static_cast<size_t>(index)];
        if (QTableWidgetItem* item = m_grid->item(index, ColDisableAlarm))
            item->setText(flagText(disabled));
        if (!disabled) {
            if (QTableWidgetItem* item = m_grid->item(index, ColDuration))
                item->setText(QStringLiteral("0"));
        }
        if (index == m_grid->currentRow())
            Fill_C3Grid();
    }
    colourRows();
}

void MainWindow::allZonesNoReading() {
    for (int row = 0; row < m_grid->rowCount(); ++row) {
        if (QTableWidgetItem* item = m_grid->item(row, ColTemp))
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
    bool anyRed = false;
    for (int row = 0; row < m_grid->rowCount(); ++row) {
        QColor colour(255, 255, 255);
        if (monitoring::ZoneAlarmState::validZone(row)) {
            if (state.ZoneAlarmDisabled[static_cast<size_t>(row)]) {
                colour = QColor(255, 255, 0);
            } else if (state.ZoneAlarmRaised[static_cast<size_t>(row)] && state.AlarmCondition) {
                colour = QColor(255, 0, 0);
                anyRed = true;
            }
        }
        for (int column = 0; column < m_grid->columnCount(); ++column) {
            if (QTableWidgetItem* item = m_grid->item(row, column))
                item->setBackground(colour);
        }
    }
    if (anyRed)
        m_alarmInd->start();
    else
        m_alarmInd->stop();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // A pass in progress is not cut short: the window closes once it is over.
    if (m_job && m_job->cycle().reading()) {
        m_closeAfterPass = true;
        event->ignore();
        return;
    }
    // Closing stops monitoring, so it needs the password; a cancelled login keeps everything running.
    if (m_dialogs && !LoginDialog::askPassword(m_ctx, *m_dialogs, this)) {
        event->ignore();
        return;
    }
    m_sound->close();
    if (m_job)
        m_job->unload();
    if (m_ctx.TempLogFile && m_ctx.TempLogFile->isOpen())
        m_ctx.TempLogFile->close();
    if (m_tray)
        m_tray->hide();
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window != this && window->isVisible())
            window->close();
    }
    event->accept();
}

} // namespace kelvara::ui
