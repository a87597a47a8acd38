#include "ui/ComPortDialog.h"

#include "app/ComPortSettings.h"
#include "base/UserDialogs.h"
#include "sensornet/LineSettings.h"
#include "ui/WindowUtils.h"

#include <QAction>
#include <QButtonGroup>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QMenuBar>
#include <QRadioButton>
#include <QToolBar>
#include <QVBoxLayout>
#include <algorithm>

namespace kelvara::ui {

namespace {

QComboBox* makeSettingList(QWidget* parent, const char* name, const QStringList& entries, bool editable) {
    QComboBox* list = makeList(parent, name, entries);
    list->setEditable(editable);
    // A typed entry is taken as it stands when saved; it is not added to the list.
    list->setInsertPolicy(QComboBox::NoInsert);
    return list;
}

// Shows a stored text in a list; a value the list does not offer (Com20, a custom speed, a device that is
// unplugged now) is added, so that saving again keeps it.
void showText(QComboBox& list, const QString& text) {
    int index = list.findText(text, Qt::MatchFixedString | Qt::MatchCaseSensitive);
    if (index < 0) {
        list.addItem(text);
        index = list.count() - 1;
    }
    list.setCurrentIndex(index);
}

QButtonGroup* makeOptions(QWidget* parent, QBoxLayout& layout, const QString& name,
                          const QStringList& captions) {
    auto* group = new QButtonGroup(parent);
    for (int i = 0; i < captions.size(); ++i) {
        auto* option = new QRadioButton(captions[i], parent);
        // One name for the whole set; the group id is the option's index.
        option->setObjectName(name);
        group->addButton(option, i);
        layout.addWidget(option);
    }
    return group;
}

} // namespace

ComPortDialog::ComPortDialog(app::UserSettings& settings, base::UserDialogs& dialogs,
                             const sensornet::PortLists& lists, QWidget* parent)
    : QDialog(parent), m_settings(settings), m_dialogs(dialogs) {
    setObjectName(QStringLiteral("frmComPort"));
    setWindowTitle(QStringLiteral("Communication Settings"));

    auto* layout = new QVBoxLayout(this);

    auto* menuBar = new QMenuBar(this);
    QMenu* file = menuBar->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("mnuFile"));
    QAction* menuSave = file->addAction(QStringLiteral("&Save"));
    menuSave->setObjectName(QStringLiteral("mnuSave"));
    file->addSeparator();
    QAction* menuExit = file->addAction(QStringLiteral("E&xit"));
    menuExit->setObjectName(QStringLiteral("mnuExit"));
    layout->setMenuBar(menuBar);

    auto* toolbar = new QToolBar(this);
    toolbar->setObjectName(QStringLiteral("Toolbar1"));
    QAction* toolSave = toolbar->addAction(QStringLiteral("Save"));
    toolSave->setObjectName(QStringLiteral("tbSave"));
    QAction* toolExit = toolbar->addAction(QStringLiteral("Exit"));
    toolExit->setObjectName(QStringLiteral("tbExit"));
    layout->addWidget(toolbar);

    // A device path can be typed into the port list, e.g. a USB adapter not plugged in yet or the
    // simulator's link; a speed the list lacks can be typed too.
    m_port = makeSettingList(this, "cboPort", lists.ports, true);
    m_speed = makeSettingList(this, "cboSpeed", lists.baudRates, true);
    m_dataBits = makeSettingList(this, "cboDataBits", lists.dataBits, false);
    m_parity = makeSettingList(this, "cboParity", lists.parities, false);
    m_stopBits = makeSettingList(this, "cboStopBits", lists.stopBits, false);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("&Port:"), m_port);
    form->addRow(QStringLiteral("&Speed:"), m_speed);
    form->addRow(QStringLiteral("&Data Bits:"), m_dataBits);
    form->addRow(QStringLiteral("P&arity:"), m_parity);
    form->addRow(QStringLiteral("S&top Bits:"), m_stopBits);
    layout->addLayout(form);

    auto* options = new QHBoxLayout;
    auto* flowBox = new QGroupBox(QStringLiteral("&Flow Control"), this);
    flowBox->setObjectName(QStringLiteral("fraFlow"));
    auto* flowLayout = new QVBoxLayout(flowBox);
    m_flow = makeOptions(flowBox, *flowLayout, QStringLiteral("optFlow"),
                         {QStringLiteral("None"), QStringLiteral("Xon/Xoff"), QStringLiteral("RTS/CTS"),
                          QStringLiteral("Xon/RTS")});
    Q_ASSERT(m_flow->buttons().size() == app::kFlowOptionCount);
    auto* echoBox = new QGroupBox(QStringLiteral("&Echo"), this);
    echoBox->setObjectName(QStringLiteral("fraEcho"));
    auto* echoLayout = new QVBoxLayout(echoBox);
    m_echo = makeOptions(echoBox, *echoLayout, QStringLiteral("optEcho"),
                         {QStringLiteral("Off"), QStringLiteral("On")});
    options->addWidget(flowBox);
    options->addWidget(echoBox);
    layout->addLayout(options);

    connect(menuSave, &QAction::triggered, this, &ComPortDialog::save);
    connect(toolSave, &QAction::triggered, this, &ComPortDialog::save);
    connect(menuExit, &QAction::triggered, this, &QDialog::reject);
    connect(toolExit, &QAction::triggered, this, &QDialog::reject);

    new EnterAsTab(*this);
    LoadPropertySettings();
}

void ComPortDialog::LoadPropertySettings() {
    adjustSize();
    CenterWindow(*this);

    const app::ComPortChoice choice = app::readComPortChoice(m_settings);
    showText(*m_port, choice.port);
    showText(*m_speed, choice.speed);
    showText(*m_dataBits, choice.dataBits);
    showText(*m_stopBits, choice.stopBits);
    QStringList parities;
    for (int i = 0; i < m_parity->count(); ++i)
        parities << m_parity->itemText(i);
    // A letter no entry begins with is read as no parity rather than left to chance.
    int parity = app::entryStartingWith(parities, choice.parity);
    if (parity < 0)
        parity = app::entryStartingWith(parities, QLatin1Char('n'));
    m_parity->setCurrentIndex(parity);
    m_flow->button(choice.flow)->setChecked(true);
    m_echo->button(choice.echo ? 1 : 0)->setChecked(true);
}

void ComPortDialog::save() {
    app::ComPortChoice choice;
    choice.port = m_port->currentText();
    choice.speed = m_speed->currentText();
    const QString parity = m_parity->currentText().trimmed();
    choice.parity = parity.isEmpty() ? QLatin1Char('n') : parity.at(0);
    choice.dataBits = m_dataBits->currentText();
    choice.stopBits = m_stopBits->currentText();
    choice.flow = std::max(0, m_flow->checkedId());
    choice.echo = m_echo->checkedId() == 1;
    // Settings the port would refuse at every start are refused now, where the user can mend them.
    const auto usable = sensornet::parseLineParameters(
        app::lineSettingsText(choice.speed, QString(choice.parity), choice.dataBits, choice.stopBits));
    if (!usable) {
        m_dialogs.warning(QStringLiteral("Kelvara"), usable.error());
        return;
    }
    app::writeComPortChoice(m_settings, choice);
    m_dialogs.information(QStringLiteral("Kelvara"), kRestartMessage);
}

} // namespace kelvara::ui
