#include "ui/ProvidersWindow.h"

#include "base/UserDialogs.h"
#include "sensornet/PortLists.h"
#include "ui/WindowUtils.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QStackedWidget>
#include <QToolBar>
#include <QVBoxLayout>
#include <functional>

namespace kelvara::ui {

namespace {

const QString kTitle = QStringLiteral("Kelvara");

} // namespace

ProvidersWindow::ProvidersWindow(const store::Database& kvr, base::UserDialogs& dialogs,
                                 const QStringList& leadingDevices, QWidget* parent)
    : QDialog(parent), m_store(kvr), m_dialogs(dialogs), m_output(this) {
    setObjectName(QStringLiteral("frmProviders"));
    setWindowTitle(QStringLiteral("Access Providers"));
    auto* layout = new QVBoxLayout(this);

    auto* menuBar = new QMenuBar(this);
    QMenu* file = menuBar->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("mnuFile"));
    QMenu* report = menuBar->addMenu(QStringLiteral("&Report"));
    report->setObjectName(QStringLiteral("mnuReport"));
    m_listing = report->addAction(QStringLiteral("Provider Listing"), this, [this] {
        if (m_reports)
            m_output.runListing(QStringLiteral("Provider Listing"), *m_reports, m_dialogs);
    });
    m_listing->setObjectName(QStringLiteral("mnuProviderListing"));
    m_listing->setEnabled(false);
    layout->setMenuBar(menuBar);

    auto* toolbar = new QToolBar(this);
    toolbar->setObjectName(QStringLiteral("Toolbar1"));
    layout->addWidget(toolbar);
    const auto command = [&](const char* key, const QString& caption, const std::function<void()>& run,
                             bool inMenu) {
        QAction* tool = toolbar->addAction(QString::fromLatin1(key));
        tool->setObjectName(QString::fromLatin1(key));
        connect(tool, &QAction::triggered, this, run);
        QList<QAction*> both{tool};
        if (inMenu) {
            QAction* entry = file->addAction(caption);
            entry->setObjectName(QStringLiteral("mnu") + QString::fromLatin1(key));
            connect(entry, &QAction::triggered, this, run);
            both << entry;
        }
        return both;
    };
    m_browseActions << command(
        "New", QStringLiteral("&New"), [this] { New(); }, true);
    command(
        "Save", QStringLiteral("&Save"), [this] { Save(); }, true);
    m_entryActions << command(
        "Cancel", QStringLiteral("&Cancel"), [this] { Cancel(); }, true);
    m_browseActions << command(
        "Delete", QStringLiteral("&Delete"), [this] { Delete(); }, true);
    file->addSeparator();
    command(
        "Exit", QStringLiteral("E&xit"), [this] { Exit(); }, true);
    m_browseActions << command(
                           "First", {}, [this] { First(); }, false)
                    << command(
                           "Previous", {}, [this] { Previous(); }, false)
                    << command(
                           "Next", {}, [this] { Next(); }, false)
                    << command(
                           "Last", {}, [this] { Last(); }, false);

    const sensornet::PortLists lists =
        sensornet::PortLists::build(leadingDevices, sensornet::systemSerialPorts());
    auto* form = new QFormLayout;
    layout->addLayout(form);
    // The name box of a new provider and the list of the others share one place.
    auto* names = new QStackedWidget(this);
    m_list = makeList(names, "cboProvider", {});
    m_name = makeField(names, "txtProvider");
    names->addWidget(m_list);
    names->addWidget(m_name);
    form->addRow(QStringLiteral("Name:"), names);
    connect(m_name, &QLineEdit::textEdited, this, [this] { m_editing = true; });
    m_accessNo = makeField(this, "txtAccessNo");
    form->addRow(QStringLiteral("Access #:"), m_accessNo);
    m_password = makeField(this, "txtPassword");
    m_password->setEchoMode(QLineEdit::Password);
    form->addRow(QStringLiteral("Password: "), m_password);
    form->addRow(QString(), new QLabel(QStringLiteral("(If Required)"), this));
    m_protocol = makeList(this, "cboProtocol", {QStringLiteral("UCP"), QStringLiteral("TAP")});
    form->addRow(QStringLiteral("Protocol:"), m_protocol);
    m_device = makeList(this, "cboDevice", lists.ports);
    form->addRow(QStringLiteral("Device:"), m_device);
    m_speed = makeList(this, "cboSpeed", lists.baudRates);
    form->addRow(QStringLiteral("Speed:"), m_speed);
    m_dataBits = makeList(this, "cboDataBits", lists.dataBits);
    form->addRow(QStringLiteral("Data Bits:"), m_dataBits);
    m_parity = makeList(this, "cboParity", lists.parities);
    form->addRow(QStringLiteral("Parity:"), m_parity);
    m_stopBits = makeList(this, "cboStopBits", lists.stopBits);
    form->addRow(QStringLiteral("Stop Bits:"), m_stopBits);

    connect(m_list, &QComboBox::activated, this, [this](int index) {
        keepEdits();
        show(index);
    });
    new EnterAsTab(*this);
    reload();
    if (m_rows.empty()) {
        New();
    } else {
        show(0);
        setEntryMode(false);
    }
    CenterWindow(*this);
}

void ProvidersWindow::report(const QString& error) {
    m_dialogs.critical(kTitle, error);
}

void ProvidersWindow::reload() {
    auto rows = m_store.loadAll();
    if (!rows) {
        report(rows.error());
        return;
    }
    m_rows = std::move(*rows);
    m_list->clear();
    for (const store::ProviderRow& row : m_rows)
        m_list->addItem(row.Provider);
}

void ProvidersWindow::show(int index) {
    if (index < 0 || index >= static_cast<int>(m_rows.size()))
        return;
    m_current = index;
    const store::ProviderRow& row = m_rows[static_cast<std::size_t>(index)];
    m_name->setText(row.Provider);
    m_list->setCurrentIndex(index);
    m_accessNo->setText(row.AccessNo);
    m_password->setText(row.Password);
    showListText(*m_protocol, row.Protocol);
    showListText(*m_device, row.Device);
    showListText(*m_speed, row.Speed);
    showListText(*m_dataBits, row.DataBits);
    showListText(*m_parity, row.Parity);
    showListText(*m_stopBits, row.StopBits);
}

void ProvidersWindow::setEntryMode(bool entry) {
    auto* names = qobject_cast<QStackedWidget*>(m_name->parentWidget());
    names->setCurrentWidget(entry ? static_cast<QWidget*>(m_name) : m_list);
    for (QAction* a : m_browseActions)
        a->setEnabled(!entry);
    for (QAction* a : m_entryActions)
        a->setEnabled(entry);
}

store::ProviderRow ProvidersWindow::fields() const {
    store::ProviderRow row;
    row.Provider = m_name->text();
    row.AccessNo = m_accessNo->text();
    row.Password = m_password->text();
    row.Protocol = m_protocol->currentText();
    row.Device = m_device->currentText();
    row.Speed = m_speed->currentText();
    row.DataBits = m_dataBits->currentText();
    row.Parity = m_parity->currentText();
    row.StopBits = m_stopBits->currentText();
    return row;
}

void ProvidersWindow::keepEdits() {
    if (m_addingNew || m_current < 0 || m_current >= static_cast<int>(m_rows.size()))
        return;
    store::ProviderRow& stored = m_rows[static_cast<std::size_t>(m_current)];
    store::ProviderRow edited = fields();
    edited.id = stored.id;
    edited.Provider = stored.Provider;
    const auto same = [](const store::ProviderRow& a, const store::ProviderRow& b) {
        return a.AccessNo == b.AccessNo && a.Password == b.Password && a.Protocol == b.Protocol &&
               a.Device == b.Device && a.Speed == b.Speed && a.DataBits == b.DataBits &&
               a.Parity == b.Parity && a.StopBits == b.StopBits;
    };
    if (same(stored, edited))
        return;
    if (auto updated = m_store.update(edited); !updated) {
        report(updated.error());
        return;
    }
    stored = edited;
}

void ProvidersWindow::setReportSite(const reports::ReportSite& site) {
    m_reports = site;
    m_listing->setEnabled(true);
}

void ProvidersWindow::New() {
    if (m_addingNew && !Save())
        return;
    keepEdits();
    m_addingNew = true;
    m_editing = true;
    setEntryMode(true);
    m_name->clear();
    m_accessNo->clear();
    m_password->clear();
    for (QComboBox* list : {m_protocol, m_device, m_speed, m_dataBits, m_parity, m_stopBits})
        list->setCurrentIndex(-1);
    m_name->setFocus();
}

bool ProvidersWindow::Save() {
    if (!m_editing) {
        keepEdits();
        return true;
    }
    if (m_addingNew) {
        if (m_name->text().trimmed().isEmpty()) {
            m_dialogs.information(kTitle, kBlankName);
            return false;
        }
        const auto id = m_store.insert(fields());
        if (!id) {
            report(id.error());
            return false;
        }
        m_addingNew = false;
        reload();
        setEntryMode(false);
        for (std::size_t i = 0; i < m_rows.size(); ++i) {
            if (m_rows[i].id == *id)
                show(static_cast<int>(i));
        }
    } else {
        keepEdits();
    }
    m_editing = false;
    return true;
}

void ProvidersWindow::Cancel() {
    m_addingNew = false;
    m_editing = false;
    if (m_rows.empty()) {
        // Nothing to browse: the window stays ready for a first provider.
        New();
        return;
    }
    setEntryMode(false);
    show(m_current >= 0 ? m_current : 0);
}

void ProvidersWindow::Delete() {
    if (m_addingNew || m_current < 0)
        return;
    if (!m_dialogs.question(kTitle, kDeleteQuestion, false))
        return;
    if (auto removed = m_store.remove(m_rows[static_cast<std::size_t>(m_current)].id); !removed) {
        report(removed.error());
        return;
    }
    reload();
    m_editing = false;
    if (m_rows.empty()) {
        m_current = -1;
        New();
        return;
    }
    show(static_cast<int>(m_rows.size()) - 1);
}

void ProvidersWindow::Exit() {
    // A new provider with a name is kept, as Save would keep it; one without a name is dropped.
    if (m_addingNew) {
        if (!m_name->text().trimmed().isEmpty())
            Save();
    } else {
        keepEdits();
    }
    accept();
}

void ProvidersWindow::beep() {
    QApplication::beep();
    Q_EMIT beeped();
}

void ProvidersWindow::First() {
    keepEdits();
    show(0);
}

void ProvidersWindow::Previous() {
    keepEdits();
    if (m_current <= 0) {
        beep();
        m_dialogs.information(kTitle, kBeginning);
        show(0);
        return;
    }
    show(m_current - 1);
}

void ProvidersWindow::Next() {
    keepEdits();
    if (m_current + 1 >= static_cast<int>(m_rows.size())) {
        beep();
        show(static_cast<int>(m_rows.size()) - 1);
        return;
    }
    show(m_current + 1);
}

void ProvidersWindow::Last() {
    keepEdits();
    show(static_cast<int>(m_rows.size()) - 1);
}

} // namespace kelvara::ui
