#include "ui/AlarmSmsWindow.h"

#include "app/AppContext.h"
#include "base/UserDialogs.h"
#include "notify/AlarmDispatcher.h"
#include "notify/NotificationListRules.h"
#include "sensornet/PortLists.h"
#include "ui/BusyPointer.h"
#include "ui/LoginDialog.h"
#include "ui/ProvidersWindow.h"
#include "ui/SystemSettingsDialog.h"
#include "ui/WindowUtils.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QTextStream>
#include <QToolBar>
#include <QVBoxLayout>
#include <functional>

namespace kelvara::ui {

namespace {

const QString kTitle = QStringLiteral("Kelvara");
const QString kCallLog = QStringLiteral("KVRComm.log");

// Heights of the window without and with the log list, in twips (15 to a pixel on a 96 dpi screen).
constexpr int kTwipsPerPixel = 15;
constexpr int kShortHeightTwips = 6705;
constexpr int kTallHeightTwips = 8670;

const QString kTrue = QStringLiteral("True");
const QString kFalse = QStringLiteral("False");

// The Active and Notify cells are chosen from a list; the others are typed.
class ChoiceDelegate final : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override {
        const QStringList choices = choicesOf(index.column());
        if (choices.isEmpty())
            return QStyledItemDelegate::createEditor(parent, option, index);
        auto* list = new QComboBox(parent);
        list->addItems(choices);
        return list;
    }
    void setEditorData(QWidget* editor, const QModelIndex& index) const override {
        if (auto* list = qobject_cast<QComboBox*>(editor)) {
            list->setCurrentIndex(list->findText(index.data().toString()));
            return;
        }
        QStyledItemDelegate::setEditorData(editor, index);
    }
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override {
        if (auto* list = qobject_cast<QComboBox*>(editor)) {
            model->setData(index, list->currentText());
            return;
        }
        QStyledItemDelegate::setModelData(editor, model, index);
    }

    static QStringList choicesOf(int column) {
        if (column == 0)
            return {kTrue, kFalse};
        if (column == 1)
            return notify::NotificationListRules::kNotifyChoices;
        return {};
    }
};

QLabel* note(QWidget* parent, const QString& text) {
    auto* label = new QLabel(text, parent);
    label->setWordWrap(true);
    return label;
}

QString numberText(const std::optional<int>& value) {
    return value ? QString::number(*value) : QString();
}

std::optional<int> numberOf(const QString& text) {
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    return ok ? std::optional<int>(value) : std::nullopt;
}

} // namespace

AlarmSmsWindow::AlarmSmsWindow(const app::AppContext& ctx, base::UserDialogs& dialogs,
                               notify::AlarmDispatcher& dispatcher, const QStringList& smsDevices,
                               QWidget* parent)
    : QDialog(parent), m_ctx(ctx), m_dialogs(dialogs), m_dispatcher(dispatcher), m_smsDevices(smsDevices),
      m_store(*ctx.databases.kvr), m_providers(*ctx.databases.kvr) {
    setObjectName(QStringLiteral("frmAlarmSMS"));
    setWindowTitle(QStringLiteral("Alarm Notification"));
    auto* layout = new QVBoxLayout(this);

    auto* menuBar = new QMenuBar(this);
    layout->setMenuBar(menuBar);
    QMenu* file = menuBar->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("mnuFile"));
    QMenu* view = menuBar->addMenu(QStringLiteral("&View"));
    view->setObjectName(QStringLiteral("mnuView"));
    QMenu* settings = menuBar->addMenu(QStringLiteral("&Settings"));
    settings->setObjectName(QStringLiteral("mnuSettings"));
    auto* toolbar = new QToolBar(this);
    toolbar->setObjectName(QStringLiteral("Toolbar1"));
    layout->addWidget(toolbar);

    const auto entry = [this](QMenu* menu, const char* name, const QString& caption,
                              const std::function<void()>& run) {
        QAction* action = menu->addAction(caption);
        action->setObjectName(QString::fromLatin1(name));
        connect(action, &QAction::triggered, this, run);
        m_commands << action;
        return action;
    };
    const auto tool = [this, toolbar](const char* key, const QString& caption,
                                      const std::function<void()>& run) {
        QAction* action = toolbar->addAction(caption);
        action->setObjectName(QString::fromLatin1(key));
        connect(action, &QAction::triggered, this, run);
        m_commands << action;
    };
    entry(file, "mnuSave", QStringLiteral("&Save"), [this] { Save(); });
    entry(file, "mnuNew", QStringLiteral("&New Recipient"), [this] { NewRow(); });
    entry(file, "mnuDelete", QStringLiteral("&Delete Recipient"), [this] { DeleteRow(); });
    file->addSeparator();
    entry(file, "mnuExit", QStringLiteral("&Exit"), [this] { Exit(); });
    // The entry's check mark says whether the log list shows; each use toggles it.
    m_viewLog = entry(view, "mnuViewLog", QStringLiteral("&View Communication Log"),
                      [this] { ViewCommunicationLog(); });
    m_viewLog->setCheckable(true);
    entry(view, "mnuClearLog", QStringLiteral("Clear Log"), [this] { ClearLog(); });
    entry(settings, "mnuProviders", QStringLiteral("&Access Providers"), [this] { AccessProviders(); });
    entry(settings, "mnuEMail", QStringLiteral("&EMail Settings"), [this] { EMailSettings(); });
    tool("Save", QStringLiteral("Save"), [this] { Save(); });
    tool("Exit", QStringLiteral("Exit"), [this] { Exit(); });
    tool("Log", QStringLiteral("Log"), [this] { m_viewLog->trigger(); });
    tool("Provider", QStringLiteral("Providers"), [this] { AccessProviders(); });
    tool("Test", QStringLiteral("Test"), [this] { Test(); });
    tool("New", QStringLiteral("New"), [this] { NewRow(); });
    tool("Delete", QStringLiteral("Delete"), [this] { DeleteRow(); });

    m_grid = new QTableWidget(0, ColumnCount, this);
    m_grid->setObjectName(QStringLiteral("gridAlarms"));
    m_grid->setHorizontalHeaderLabels({QStringLiteral("Active"), QStringLiteral("Notify"),
                                       QStringLiteral("Recipient/Email"), QStringLiteral("Repeat (min.)"),
                                       QStringLiteral("Retry"), QStringLiteral("Subject")});
    m_grid->setItemDelegate(new ChoiceDelegate(m_grid));
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->horizontalHeader()->setStretchLastSection(true);
    layout->addWidget(m_grid);

    const sensornet::PortLists lists =
        sensornet::PortLists::build(smsDevices, sensornet::systemSerialPorts());
    auto* groups = new QHBoxLayout;
    layout->addLayout(groups);

    m_providerGroup = new QGroupBox(QStringLiteral("Access Provider"), this);
    m_providerGroup->setObjectName(QStringLiteral("fraProvider"));
    auto* providerForm = new QFormLayout(m_providerGroup);
    m_provider = makeList(m_providerGroup, "cboProvider", {});
    providerForm->addRow(QStringLiteral("Provider:"), m_provider);
    m_accessNo = makeField(m_providerGroup, "txtAccessNo");
    providerForm->addRow(QStringLiteral("Access #:"), m_accessNo);
    providerForm->addRow(
        QString(), note(m_providerGroup, QStringLiteral("(To access an outside line enter in the number "
                                                        "plus a comma then the access #)")));
    m_password = makeField(m_providerGroup, "txtPassword");
    m_password->setEchoMode(QLineEdit::Password);
    providerForm->addRow(QStringLiteral("Password: "), m_password);
    providerForm->addRow(QString(), note(m_providerGroup, QStringLiteral("(If required)")));
    m_protocol = makeList(m_providerGroup, "cboProtocol", {QStringLiteral("UCP"), QStringLiteral("TAP")});
    providerForm->addRow(QStringLiteral("Protocol:"), m_protocol);
    groups->addWidget(m_providerGroup);

    m_deviceGroup = new QGroupBox(QStringLiteral("Device options"), this);
    m_deviceGroup->setObjectName(QStringLiteral("fraDevice"));
    auto* deviceForm = new QFormLayout(m_deviceGroup);
    m_device = makeList(m_deviceGroup, "cboDevice", lists.ports);
    deviceForm->addRow(QStringLiteral("Device:"), m_device);
    m_speed = makeList(m_deviceGroup, "cboSpeed", lists.baudRates);
    deviceForm->addRow(QStringLiteral("Speed:"), m_speed);
    m_dataBits = makeList(m_deviceGroup, "cboDataBits", lists.dataBits);
    deviceForm->addRow(QStringLiteral("Data Bits:"), m_dataBits);
    m_parity = makeList(m_deviceGroup, "cboParity", lists.parities);
    deviceForm->addRow(QStringLiteral("Parity:"), m_parity);
    m_stopBits = makeList(m_deviceGroup, "cboStopBits", lists.stopBits);
    deviceForm->addRow(QStringLiteral("Stop Bits:"), m_stopBits);
    deviceForm->addRow(note(m_deviceGroup, QStringLiteral("NOTE: TAP/UCP providers require particular Data "
                                                          "Format and Device Speed settings.")));
    groups->addWidget(m_deviceGroup);

    m_sendGroup = new QGroupBox(QStringLiteral("Send Options"), this);
    m_sendGroup->setObjectName(QStringLiteral("fraSend"));
    auto* sendForm = new QFormLayout(m_sendGroup);
    m_recipientNo = makeField(m_sendGroup, "txtRecipientNo");
    sendForm->addRow(QStringLiteral("Recipient #:"), m_recipientNo);
    sendForm->addRow(QString(), note(m_sendGroup, QStringLiteral("(Eg:15193221234)")));
    m_senderNo = makeField(m_sendGroup, "txtSenderNo");
    sendForm->addRow(QStringLiteral("Sender #:"), m_senderNo);
    sendForm->addRow(QString(), note(m_sendGroup, QStringLiteral("(# of GSM Phone)")));
    m_gsm = new QRadioButton(QStringLiteral("Send through GSM phone or SMS device"), m_sendGroup);
    m_gsm->setObjectName(QStringLiteral("optGSM"));
    m_viaProvider = new QRadioButton(QStringLiteral("Send through Service Provider"), m_sendGroup);
    m_viaProvider->setObjectName(QStringLiteral("optProvider"));
    sendForm->addRow(m_gsm);
    sendForm->addRow(m_viaProvider);
    groups->addWidget(m_sendGroup);

    m_logPanel = new QWidget(this);
    m_logPanel->setObjectName(QStringLiteral("fraLog"));
    auto* logLayout = new QVBoxLayout(m_logPanel);
    logLayout->setContentsMargins(0, 0, 0, 0);
    m_log = new QListWidget(m_logPanel);
    m_log->setObjectName(QStringLiteral("lstEMailStatus"));
    logLayout->addWidget(m_log);
    auto* ok = new QPushButton(QStringLiteral("&Ok"), m_logPanel);
    ok->setObjectName(QStringLiteral("cmdOk"));
    ok->setAutoDefault(false);
    logLayout->addWidget(ok, 0, Qt::AlignRight);
    connect(ok, &QPushButton::clicked, m_logPanel, &QWidget::hide);
    layout->addWidget(m_logPanel);
    m_logPanel->hide();

    // The bound fields write into the current row as they are edited.
    const auto bind = [this](QLineEdit* field, QString store::CallAlarmRow::*column) {
        connect(field, &QLineEdit::textEdited, this, [this, column](const QString& text) {
            if (store::CallAlarmRow* row = current())
                row->*column = text;
        });
    };
    bind(m_accessNo, &store::CallAlarmRow::AccessNo);
    bind(m_recipientNo, &store::CallAlarmRow::RecipientNo);
    bind(m_senderNo, &store::CallAlarmRow::SenderNo);
    connect(m_password, &QLineEdit::textEdited, this, [this](const QString& text) {
        if (store::CallAlarmRow* row = current())
            row->Password = text;
    });
    const auto bindList = [this](QComboBox* list, QString store::CallAlarmRow::*column) {
        connect(list, &QComboBox::activated, this, [this, list, column] {
            if (store::CallAlarmRow* row = current())
                row->*column = list->currentText();
        });
    };
    bindList(m_protocol, &store::CallAlarmRow::Protocol);
    bindList(m_device, &store::CallAlarmRow::Device);
    bindList(m_speed, &store::CallAlarmRow::Speed);
    bindList(m_dataBits, &store::CallAlarmRow::DataBits);
    bindList(m_parity, &store::CallAlarmRow::Parity);
    bindList(m_stopBits, &store::CallAlarmRow::StopBits);
    // Only a choice the user makes copies a provider's settings; showing a row's provider copies nothing.
    connect(m_provider, &QComboBox::activated, this, [this] { providerChosen(m_provider->currentText()); });
    connect(m_gsm, &QRadioButton::clicked, this, [this] { sendTypeClicked(true); });
    connect(m_viaProvider, &QRadioButton::clicked, this, [this] { sendTypeClicked(false); });
    connect(m_grid, &QTableWidget::currentCellChanged, this, [this](int row, int, int previous, int) {
        if (previous != row)
            saveRow(previous);
        showRow(row);
    });
    connect(m_grid, &QTableWidget::cellChanged, this,
            [this](int row, int column) { gridEdited(row, column); });

    new EnterAsTab(*this);
    fillProviders();
    reload(0);
    resize(820, kShortHeightTwips / kTwipsPerPixel);
    CenterWindow(*this);
}

AlarmSmsWindow::~AlarmSmsWindow() = default;

void AlarmSmsWindow::report(const QString& error) {
    m_dialogs.critical(kTitle, error);
}

store::CallAlarmRow* AlarmSmsWindow::current() {
    if (m_current < 0 || m_current >= static_cast<int>(m_rows.size()))
        return nullptr;
    return &m_rows[static_cast<std::size_t>(m_current)];
}

void AlarmSmsWindow::reload(qint64 currentId) {
    auto rows = m_store.loadAll();
    if (!rows) {
        report(rows.error());
        return;
    }
    m_rows = std::move(*rows);
    int chosen = m_rows.empty() ? -1 : 0;
    for (std::size_t i = 0; i < m_rows.size(); ++i) {
        if (m_rows[i].id == currentId)
            chosen = static_cast<int>(i);
    }
    {
        const QSignalBlocker quiet(m_grid);
        m_grid->setRowCount(static_cast<int>(m_rows.size()));
        for (int i = 0; i < static_cast<int>(m_rows.size()); ++i)
            fillGridRow(i);
        m_grid->setCurrentCell(chosen, chosen < 0 ? -1 : ColNotify);
    }
    m_current = -1;
    showRow(chosen);
}

void AlarmSmsWindow::fillGridRow(int index) {
    const store::CallAlarmRow& row = m_rows[static_cast<std::size_t>(index)];
    const QStringList cells{row.Active ? kTrue : kFalse,
                            row.Notify,
                            row.Recipient,
                            numberText(row.Repeat),
                            numberText(row.Retry),
                            row.Message.value_or(QString())};
    const QSignalBlocker quiet(m_grid);
    for (int column = 0; column < ColumnCount; ++column) {
        QTableWidgetItem* item = m_grid->item(index, column);
        if (!item) {
            item = new QTableWidgetItem;
            m_grid->setItem(index, column, item);
        }
        item->setText(cells[column]);
    }
}

void AlarmSmsWindow::fillProviders() {
    m_provider->clear();
    auto rows = m_providers.loadAll();
    if (!rows) {
        report(rows.error());
        return;
    }
    for (const store::ProviderRow& row : *rows)
        m_provider->addItem(row.Provider);
}

void AlarmSmsWindow::showRow(int index) {
    m_current = index < static_cast<int>(m_rows.size()) ? index : -1;
    applyRowRule();
}

void AlarmSmsWindow::applyRowRule() {
    store::CallAlarmRow* row = current();
    if (!row) {
        for (QGroupBox* group : {m_providerGroup, m_deviceGroup, m_sendGroup})
            group->setEnabled(false);
        return;
    }
    const bool none = row->Notify == QLatin1String("None");
    const notify::NotificationListRules::Fields fields = notify::NotificationListRules::rowChanged(*row);
    if (none)
        fillGridRow(m_current);
    showProviderFields();
    m_deviceGroup->setEnabled(fields.groupsEnabled);
    m_sendGroup->setEnabled(fields.groupsEnabled);
    m_providerGroup->setEnabled(fields.groupsEnabled && !fields.gsm);
    if (fields.groupsEnabled) {
        m_gsm->setChecked(fields.gsm);
        m_viaProvider->setChecked(!fields.gsm);
    }
}

void AlarmSmsWindow::showProviderFields() {
    const store::CallAlarmRow* row = current();
    if (!row)
        return;
    const QSignalBlocker quietProvider(m_provider);
    showListText(*m_provider, row->Provider);
    m_accessNo->setText(row->AccessNo);
    m_password->setText(row->Password.value_or(QString()));
    showListText(*m_protocol, row->Protocol);
    showListText(*m_device, row->Device);
    showListText(*m_speed, row->Speed);
    showListText(*m_dataBits, row->DataBits);
    showListText(*m_parity, row->Parity);
    showListText(*m_stopBits, row->StopBits);
    m_recipientNo->setText(row->RecipientNo);
    m_senderNo->setText(row->SenderNo);
}

void AlarmSmsWindow::gridEdited(int index, int column) {
    if (index < 0 || index >= static_cast<int>(m_rows.size()))
        return;
    store::CallAlarmRow& row = m_rows[static_cast<std::size_t>(index)];
    const QString text = m_grid->item(index, column)->text();
    switch (column) {
    case ColActive:
        row.Active = text.compare(kTrue, Qt::CaseInsensitive) == 0;
        break;
    case ColNotify:
        row.Notify = text;
        break;
    case ColRecipient:
        row.Recipient = text;
        break;
    case ColRepeat:
        row.Repeat = numberOf(text);
        break;
    case ColRetry:
        row.Retry = numberOf(text);
        break;
    case ColMessage:
        row.Message = text;
        break;
    default:
        break;
    }
    if (column == ColNotify && index == m_current)
        applyRowRule();
}

void AlarmSmsWindow::providerChosen(const QString& name) {
    store::CallAlarmRow* row = current();
    if (!row)
        return;
    row->Provider = name;
    auto found = m_providers.findByName(name);
    if (!found) {
        report(found.error());
        return;
    }
    notify::NotificationListRules::copyProvider(*row, *found);
    showProviderFields();
}

void AlarmSmsWindow::sendTypeClicked(bool gsm) {
    store::CallAlarmRow* row = current();
    if (!row)
        return;
    row->SendType = gsm ? QStringLiteral("GSM") : QStringLiteral("Provider");
    saveRow(m_current);
    m_providerGroup->setEnabled(!gsm);
}

void AlarmSmsWindow::saveRow(int index) {
    if (index < 0 || index >= static_cast<int>(m_rows.size()))
        return;
    // Only the window's columns: the dispatcher may be recording a call in this row meanwhile.
    if (auto saved = m_store.saveSettings(m_rows[static_cast<std::size_t>(index)]); !saved)
        report(saved.error());
}

void AlarmSmsWindow::Save() {
    store::CallAlarmRow* row = current();
    if (!row)
        return;
    // A cell still being typed in counts, as it would once the row is left.
    if (QWidget* editor = m_grid->indexWidget(m_grid->currentIndex()))
        Q_EMIT m_grid->itemDelegate()->commitData(editor);
    if (m_gsm->isChecked() || m_viaProvider->isChecked())
        row->SendType = m_gsm->isChecked() ? QStringLiteral("GSM") : QStringLiteral("Provider");
    row->Provider = m_provider->currentText();
    saveRow(m_current);
}

void AlarmSmsWindow::Exit() {
    if (testing())
        return;
    saveRow(m_current);
    accept();
}

void AlarmSmsWindow::reject() {
    // Escape and the close box leave as Exit does; never while a test waits for its send.
    Exit();
}

void AlarmSmsWindow::NewRow() {
    saveRow(m_current);
    auto id = m_store.nextCallId();
    if (!id) {
        report(id.error());
        return;
    }
    store::CallAlarmRow row;
    row.CallID = *id;
    row.Notify = QStringLiteral("Mobile");
    row.SendType = QStringLiteral("GSM");
    row.Repeat = 0;
    row.Retry = 0;
    row.Actual = 0;
    auto inserted = m_store.insert(row);
    if (!inserted) {
        report(inserted.error());
        return;
    }
    reload(*inserted);
}

void AlarmSmsWindow::DeleteRow() {
    const store::CallAlarmRow* row = current();
    if (!row || !m_dialogs.question(kTitle, kDeleteQuestion, false))
        return;
    if (auto removed = m_store.remove(row->id); !removed) {
        report(removed.error());
        return;
    }
    reload(0);
}

void AlarmSmsWindow::setLogVisible(bool visible) {
    m_viewLog->setChecked(visible);
    m_logPanel->setVisible(visible);
    resize(width(), (visible ? kTallHeightTwips : kShortHeightTwips) / kTwipsPerPixel);
}

void AlarmSmsWindow::ViewCommunicationLog() {
    setLogVisible(m_viewLog->isChecked());
    if (!m_viewLog->isChecked())
        return;
    m_log->clear();
    m_logPanel->raise();
    QFile file(QDir(m_ctx.siteDir).filePath(kCallLog));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return;
    // One entry a line: a recipient or alarm text with a comma in it stays whole.
    QTextStream in(&file);
    while (!in.atEnd())
        m_log->addItem(in.readLine());
}

void AlarmSmsWindow::ClearLog() {
    if (!m_dialogs.question(kTitle, kClearQuestion, true))
        return;
    const QString path = QDir(m_ctx.siteDir).filePath(kCallLog);
    if (!QFile::exists(path))
        return;
    if (!QFile::remove(path)) {
        report(kCallLog + QStringLiteral(" could not be deleted"));
        return;
    }
    m_dialogs.information(kTitle, kLogCleared);
}

void AlarmSmsWindow::AccessProviders() {
    saveRow(m_current);
    {
        ProvidersWindow providers(*m_ctx.databases.kvr, m_dialogs, m_smsDevices, this);
        providers.setReportSite({m_ctx.databases.kvr.get(), m_ctx.siteDir, m_ctx.dataDir});
        providers.exec();
    }
    const BusyPointer busy;
    fillProviders();
    showProviderFields();
}

void AlarmSmsWindow::EMailSettings() {
    // The settings window holds the program password too, so it asks for it here as from the main window.
    if (!LoginDialog::askPassword(m_ctx, m_dialogs, this))
        return;
    SystemSettingsDialog settings(m_ctx, m_dialogs, this);
    settings.showMailSettings();
    settings.exec();
}

void AlarmSmsWindow::Test() {
    if (testing())
        return;
    const store::CallAlarmRow* row = current();
    const QString recipient = row ? row->Recipient : QString();
    if (!m_dialogs.question(kTitle, kTestQuestion + recipient, true))
        return;
    setLogVisible(true);
    m_log->raise();
    repaint();
    if (!row)
        return;
    m_busy = std::make_unique<BusyPointer>();
    for (QAction* command : std::as_const(m_commands))
        command->setEnabled(false);
    QPointer<AlarmSmsWindow> self(this);
    m_dispatcher.testSend(*row, *this, [self] {
        if (self)
            self->testDone();
    });
}

void AlarmSmsWindow::testDone() {
    m_busy.reset();
    for (QAction* command : std::as_const(m_commands))
        command->setEnabled(true);
    m_dialogs.information(kTitle, kTestCompleted);
}

void AlarmSmsWindow::clearStatus() {
    m_log->clear();
    m_logPanel->show();
}

void AlarmSmsWindow::statusLine(const QString& line) {
    m_log->addItem(line);
    m_log->scrollToBottom();
}

} // namespace kelvara::ui
