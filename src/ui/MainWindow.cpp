#include "ui/MainWindow.h"

#include "app/AppContext.h"
#include "cook/CookSide.h"
#include "monitoring/MonitoringCycle.h"
#include "monitoring/MonitoringJob.h"
#include "monitoring/ZoneListModel.h"
#include "notify/AlarmDispatcher.h"
#include "notify/CurlMailTransport.h"
#include "notify/DialUp.h"
#include "notify/ModemSmsGateway.h"
#include "ui/AlarmIndicator.h"
#include "ui/CookPanel.h"
#include "ui/LoginDialog.h"
#include "ui/QtSoundPlayer.h"
#include "ui/ZoneGridColours.h"

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
#include <QTableView>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

namespace kelvara::ui {

namespace {
// The zone grid's frame beside the cook panel and alone, in twips (15 to a pixel on a 96 dpi screen).
constexpr int kZoneGridBesideCookTwips = 4335;
constexpr int kZoneGridAloneTwips = 6795;
constexpr int kPanelTwipsPerPixel = 15;

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

using Column = monitoring::ZoneListModel::Column;

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

} // namespace

MainWindow::MainWindow(app::AppContext& ctx, Seams seams, QWidget* parent)
    : QMainWindow(parent), m_ctx(ctx), m_seams(std::move(seams)) {
    if (m_seams.sound) {
        m_sound = m_seams.sound;
    } else {
        m_ownSound = std::make_unique<QtSoundPlayer>();
        m_sound = m_ownSound.get();
    }
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Kelvara"));
    setWindowIcon(QApplication::style()->standardIcon(QStyle::SP_ComputerIcon));
    m_job = std::make_unique<monitoring::MonitoringJob>(ctx, m_seams.clock, m_seams.dialogs, *this, *this,
                                                        m_seams.makePort(), m_seams.makePause());
    if (!m_seams.sms) {
        m_ownSms = std::make_unique<notify::ModemSmsGateway>();
        m_seams.sms = m_ownSms.get();
    }
    if (!m_seams.mail) {
        m_ownMail = std::make_unique<notify::CurlMailTransport>();
        m_seams.mail = m_ownMail.get();
    }
    m_dispatcher = std::make_unique<notify::AlarmDispatcher>(
        ctx, m_job->cycle(),
        notify::AlarmDispatcher::Seams{m_seams.clock, *this, *this, *m_seams.sms, *m_seams.mail, m_sound,
                                       notify::DialUp::Config::fromEnvironment()});
    m_cook = std::make_unique<cook::CookSide>(ctx, *m_job, m_seams.clock, m_seams.dialogs, *this, *this);
    m_cook->attach(m_dispatcher.get());
    buildPanes();
    resize(900, 680);

    buildMenusAndToolbar();
    // Every notice start-up had (a settings file missing, say), one per line.
    if (!m_ctx.startupNotices.isEmpty())
        setStatus(m_ctx.startupNotices.join(QLatin1Char('\n')));
    m_job->loadZones();
    // Cycles that ran when the program stopped run on.
    applySides();
    if (m_ctx.hasCookSide())
        refreshCookCycles();
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
    m_grid = new QTableView(m_statusPane);
    m_grid->setObjectName(QStringLiteral("gridC3"));
    auto* colours = new ZoneGridColours(m_grid);
    colours->setSourceModel(&zones());
    m_grid->setModel(colours);
    // The grid shows the zone, its name and its reading; the other columns carry what the details show.
    for (int column = Column::SerialNo; column < Column::ColumnCount; ++column)
        m_grid->setColumnHidden(column, true);
    m_grid->horizontalHeader()->setSectionResizeMode(Column::Name, QHeaderView::Stretch);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->verticalHeader()->hide();
    m_grid->setItemDelegate(new RowColourDelegate(m_grid));
    connect(m_grid->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this] { Fill_C3Grid(); });
    // A new set of zones (loaded, or changed by a window) starts on its first row.
    connect(&zones(), &QAbstractItemModel::modelReset, this, [this] {
        if (zones().rowCount() > 0)
            m_grid->setCurrentIndex(m_grid->model()->index(0, Column::Zone));
        Fill_C3Grid();
        showAlarmState();
    });
    statusLayout->addWidget(m_grid);
    layout->addWidget(m_statusPane, 3);

    // The cook cycle panel; hidden until a cycle runs or a new one is entered.
    m_cookPane = new CookPanel(m_ctx, m_cook->cycles(), m_cook->control(), m_seams.dialogs, central);
    m_cookPane->setOnShown([this](bool show) {
        if (m_ctx.hasZoneSide())
            m_statusPane->setMinimumHeight((show ? kZoneGridBesideCookTwips : kZoneGridAloneTwips) /
                                           kPanelTwipsPerPixel);
        if (m_hideCook)
            m_hideCook->setText(show ? QStringLiteral("Hide Cook Cycle") : QStringLiteral("Show Cook Cycle"));
    });
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

monitoring::ZoneListModel& MainWindow::zones() {
    return m_job->zones();
}

void MainWindow::applyTempType() {
    const QString unit = QStringLiteral("°") + m_ctx.settings.TempType;
    zones().setUnit(unit);
    m_degree->setText(unit);
    m_cookPane->setUnit(m_ctx.settings.TempType);
}

void MainWindow::refreshCookCycles() {
    if (const auto filled = m_cook->control().Fill_ThermoList(); !filled.ok())
        reportError(filled.error(), QStringLiteral("Fill_ThermoList"));
    if (m_cook->cycles().size() > 0)
        m_cookPane->Show_CookCycle(true);
    m_cookPane->Fill_ThermoInfo();
}

void MainWindow::Fill_C3Grid() {
    // Hours being typed belong to the zone the panel shows; a pass moving on must not swap the zone under
    // them.
    if (m_txtDuration->hasFocus() && m_txtDuration->isModified())
        return;
    const int row = m_grid->currentIndex().row();
    const store::MonitorSetsRow* zone = zones().zone(row);
    m_panZone->setText(zone ? QString::number(zone->Room) : QString());
    m_panName->setText(zone ? zone->Name : QString());
    m_panSerialNo->setText(zone ? zone->SerialNo : QString());
    m_panREcord->setText(zone && zone->Record ? QStringLiteral("On") : QStringLiteral("Off"));
    m_panAlarm->setText(zone && zone->Alarm ? QStringLiteral("[On] ") : QStringLiteral("[Off]"));
    m_panHighAlarm->setText(zone ? limitText(zone->HighAlarm) : QString());
    m_panLowAlarm->setText(zone ? limitText(zone->LowAlarm) : QString());
    const bool disabled = zone && zones().disabled(row);
    m_chkDisableAlarm->setChecked(disabled);
    m_txtDuration->setText(disabled ? QString::number(zone->Duration) : QStringLiteral("0"));
    m_txtDuration->setModified(false);
    m_txtDuration->setEnabled(disabled);
    m_lblDuration->setEnabled(disabled);
}

void MainWindow::startMonitoring() {
    m_started = true;
    connect(&m_job->cycle(), &monitoring::MonitoringCycle::statusChanged, this,
            [this](const QString& text, bool visible) { setStatus(text.trimmed(), visible); });
    connect(&m_job->cycle(), &monitoring::MonitoringCycle::readingChanged, this, &MainWindow::readingChanged);
    m_job->start(m_seams.settings);
    m_dispatcher->startStatusTimer();
    showAlarmState();
}

void MainWindow::restoreWindow() {
    // Only a window the user put away comes back; one not shown yet stays as it is.
    if (isMinimized() || (m_tray && m_tray->isVisible()))
        restoreFromTray();
}

void MainWindow::clearStatus() {
    m_statusList->clear();
}

void MainWindow::statusLine(const QString& line) {
    m_statusList->addItem(line);
    m_statusList->repaint();
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
    showAlarmState(); // a pass that read no zone still ends with the indicator showing the alarm state
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
    if (index < zones().rowCount())
        m_grid->setCurrentIndex(m_grid->model()->index(index, Column::Zone));
}

void MainWindow::zoneShown(int index, const store::MonitorSetsRow&, const QString&) {
    // The pass may have ended the temporary disable the panel shows (run out, or raised).
    if (index == m_grid->currentIndex().row())
        Fill_C3Grid();
    showAlarmState();
}

void MainWindow::processEvents() {
    QApplication::processEvents();
}

void MainWindow::passFinished() {
    showAlarmState();
}

void MainWindow::showAlarmState() {
    if (!m_started)
        return;
    // A failed read of the bus sounds and notifies, but is no zone's alarm: the animation stays still.
    const bool sensorRead = m_job->cycle().alarmState().AlarmRooms == QLatin1String("SensorRead");
    if (zones().anyRaised() && !sensorRead)
        m_alarmInd->start();
    else
        m_alarmInd->stop();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // A pass in progress is not cut short: the window closes once it is over.
    if (m_job->cycle().reading()) {
        m_closeAfterPass = true;
        event->ignore();
        return;
    }
    // Closing stops monitoring, so it needs the password; a cancelled login keeps everything running.
    if (!LoginDialog::askPassword(m_ctx, m_seams.dialogs, this)) {
        event->ignore();
        return;
    }
    m_sound->close();
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
