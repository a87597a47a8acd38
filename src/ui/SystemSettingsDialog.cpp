#include "ui/SystemSettingsDialog.h"

#include "app/AppContext.h"
#include "app/IniText.h"
#include "app/KvrIniFile.h"
#include "app/PasswordCheck.h"
#include "base/UserDialogs.h"
#include "ui/WindowUtils.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace kelvara::ui {

namespace {

const QString kTitle = QStringLiteral("Temperature Monitoring Settings");

QCheckBox* checkBox(QWidget* parent, const char* name, const QString& caption) {
    auto* box = new QCheckBox(caption, parent);
    box->setObjectName(QLatin1String(name));
    return box;
}

// One labelled row of a grid: caption, field and an optional note after it.
void addRow(QGridLayout* grid, const QString& caption, QWidget* widget, const QString& note = {}) {
    const int row = grid->rowCount();
    auto* label = new QLabel(caption);
    label->setBuddy(widget);
    grid->addWidget(label, row, 0);
    grid->addWidget(widget, row, 1);
    if (!note.isEmpty())
        grid->addWidget(new QLabel(note), row, 2);
}

// "every [hours] Hrs [minutes] Mins" on one line.
void addInterval(QGridLayout* grid, const QString& caption, QLineEdit* hours, QLineEdit* minutes) {
    const int row = grid->rowCount();
    auto* label = new QLabel(caption);
    label->setBuddy(hours);
    grid->addWidget(label, row, 0);
    auto* line = new QHBoxLayout;
    line->addWidget(hours);
    line->addWidget(new QLabel(QStringLiteral("Hrs")));
    line->addWidget(minutes);
    line->addWidget(new QLabel(QStringLiteral("Mins")));
    grid->addLayout(line, row, 1);
}

// One side's group: its read and record intervals, then the field that side adds.
SystemSettingsDialog::SideFields sideGroup(QWidget* parent, const QString& title, const QString& side,
                                           const QString& extraCaption, const QString& extraName) {
    SystemSettingsDialog::SideFields f;
    f.group = new QGroupBox(title, parent);
    auto* grid = new QGridLayout(f.group);
    const auto make = [&](const QString& name) {
        auto* edit = new QLineEdit(f.group);
        edit->setObjectName(name);
        return edit;
    };
    f.readHours = make(QStringLiteral("txt%1ReadHours").arg(side));
    f.readMins = make(QStringLiteral("txt%1ReadMins").arg(side));
    addInterval(grid, QStringLiteral("Read Sensors every"), f.readHours, f.readMins);
    f.recHours = make(QStringLiteral("txt%1RecHours").arg(side));
    f.recMins = make(QStringLiteral("txt%1RecMins").arg(side));
    addInterval(grid, QStringLiteral("Data Log every"), f.recHours, f.recMins);
    f.extra = make(extraName);
    addRow(grid, extraCaption, f.extra);
    return f;
}

QString numberText(double value) {
    return QString::number(value, 'g', 15);
}

double numberOf(const QLineEdit* edit) {
    return app::IniText::leadingNumber(edit->text().trimmed());
}

} // namespace

void SystemSettingsDialog::SideFields::show(double readH, double readM, double recH, double recM) const {
    readHours->setText(numberText(readH));
    readMins->setText(numberText(readM));
    recHours->setText(numberText(recH));
    recMins->setText(numberText(recM));
}

void SystemSettingsDialog::showMailSettings() {
    m_smtpName->setFocus();
}

void SystemSettingsDialog::SideFields::read(double& readH, double& readM, double& recH, double& recM) const {
    readH = numberOf(readHours);
    readM = numberOf(readMins);
    recH = numberOf(recHours);
    recM = numberOf(recMins);
}

// The fields are created in the order the settings file lists them, which is also their tab order.
SystemSettingsDialog::SystemSettingsDialog(const app::AppContext& ctx, base::UserDialogs& dialogs,
                                           QWidget* parent)
    : QDialog(parent), m_ctx(ctx), m_dialogs(dialogs) {
    setObjectName(QStringLiteral("frmSystem"));
    setWindowTitle(kTitle);
    setModal(true);

    auto* company = new QGroupBox(QStringLiteral("Company Information"), this);
    auto* companyGrid = new QGridLayout(company);
    m_businessName = makeField(company, "txtBusinessName");
    addRow(companyGrid, QStringLiteral("Business Name"), m_businessName);
    m_address = makeField(company, "txtAddress");
    addRow(companyGrid, QStringLiteral("Address"), m_address);
    m_town = makeField(company, "txtTown");
    addRow(companyGrid, QStringLiteral("Town/City"), m_town);
    m_prov = makeField(company, "txtProv");
    addRow(companyGrid, QStringLiteral("Prov/State"), m_prov);
    m_postalCode = makeField(company, "txtPostalCode");
    addRow(companyGrid, QStringLiteral("Postal/Zip"), m_postalCode);
    m_workPhone = makeField(company, "txtWorkPhone");
    addRow(companyGrid, QStringLiteral("Work Phone"), m_workPhone);
    m_faxNumber = makeField(company, "txtFaxNumber");
    addRow(companyGrid, QStringLiteral("Fax Number"), m_faxNumber);

    auto* unit = new QGroupBox(QStringLiteral("Temperature"), this);
    auto* unitLine = new QHBoxLayout(unit);
    m_fahrenheit = new QRadioButton(QStringLiteral(" Fahrenheit"), unit);
    m_fahrenheit->setObjectName(QStringLiteral("optMode_0"));
    m_celsius = new QRadioButton(QStringLiteral(" Celsius"), unit);
    m_celsius->setObjectName(QStringLiteral("optMode_1"));
    m_mode = new QButtonGroup(this);
    m_mode->setObjectName(QStringLiteral("optMode"));
    m_mode->addButton(m_fahrenheit, 0);
    m_mode->addButton(m_celsius, 1);
    unitLine->addWidget(m_fahrenheit);
    unitLine->addWidget(m_celsius);
    m_audibleAlarmOff = checkBox(unit, "chkAudibleAlarmOff", QStringLiteral(" Disable Audible Alarm"));
    unitLine->addWidget(m_audibleAlarmOff);

    m_cold = sideGroup(this, QStringLiteral("Cold Temp Settings"), QStringLiteral("Cold"),
                       QStringLiteral("Number of Zones"), QStringLiteral("txtZones"));
    m_hot = sideGroup(this, QStringLiteral("Cook Temp Settings"), QStringLiteral("Hot"),
                      QStringLiteral("Current Job #"), QStringLiteral("txtBatchNo"));

    auto* mail = new QGroupBox(QStringLiteral("E-mail"), this);
    auto* mailGrid = new QGridLayout(mail);
    m_dialInternet = checkBox(mail, "chkDialInternet", QStringLiteral("Enable Auto Dialup"));
    mailGrid->addWidget(m_dialInternet, 0, 0, 1, 3);
    auto* note = new QLabel(kDialupNote, mail);
    note->setObjectName(QStringLiteral("lblDialupNote"));
    note->setWordWrap(true);
    mailGrid->addWidget(note, 1, 0, 1, 3);
    m_smtpName = makeField(mail, "txtSMTPName");
    addRow(mailGrid, QStringLiteral("Server Name"), m_smtpName, QStringLiteral("(SMTP)"));
    m_smtpSender = makeField(mail, "txtSMTPSender");
    addRow(mailGrid, QStringLiteral("Sender Name"), m_smtpSender);
    m_smtpEmail = makeField(mail, "txtSMTPEmail");
    addRow(mailGrid, QStringLiteral("Sender Email"), m_smtpEmail);
    m_smtpLoginId = makeField(mail, "txtSMTPLoginID");
    addRow(mailGrid, QStringLiteral("Login ID"), m_smtpLoginId);
    m_smtpPassword = makeField(mail, "txtSMTPPassword");
    m_smtpPassword->setEchoMode(QLineEdit::PasswordEchoOnEdit);
    addRow(mailGrid, QStringLiteral("Password"), m_smtpPassword);
    m_smtpLogin = checkBox(mail, "chkSMTPLogin", QStringLiteral("ISP Requires a Username and Password."));
    mailGrid->addWidget(m_smtpLogin, mailGrid->rowCount(), 0, 1, 3);

    auto* access = new QGroupBox(QStringLiteral("Program Password"), this);
    auto* accessGrid = new QGridLayout(access);
    m_password = makeField(access, "txtPassword");
    m_password->setEchoMode(QLineEdit::PasswordEchoOnEdit);
    addRow(accessGrid, QStringLiteral("Password"), m_password);

    auto* save = new QPushButton(QStringLiteral("&Save"), this);
    save->setObjectName(QStringLiteral("cmdSave"));
    auto* exit = new QPushButton(QStringLiteral("E&xit"), this);
    exit->setObjectName(QStringLiteral("cmdExit"));
    // Enter moves between fields here; it must not press a button behind the user's back.
    save->setAutoDefault(false);
    exit->setAutoDefault(false);

    auto* left = new QVBoxLayout;
    left->addWidget(company);
    left->addWidget(unit);
    left->addWidget(access);
    left->addStretch(1);
    auto* right = new QVBoxLayout;
    right->addWidget(m_cold.group);
    right->addWidget(m_hot.group);
    right->addWidget(mail);
    auto* columns = new QHBoxLayout;
    columns->addLayout(left);
    columns->addLayout(right);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(save);
    buttons->addWidget(exit);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addLayout(buttons);

    connect(save, &QPushButton::clicked, this, [this] { cmdSave_Click(); });
    connect(exit, &QPushButton::clicked, this, &QDialog::close);

    const auto loaded =
        app::SystemSettingsFile::load(QDir(m_ctx.siteDir).filePath(app::KvrIniFile::kFileName));
    const app::StoredPassword password = app::readStoredPassword(m_ctx);
    // A site without the file yet starts from the defaults; saving writes it.
    showValues(loaded.ok() ? *loaded : app::SystemSettings{},
               password.ok() ? password->value_or(QString()) : QString());

    new EnterAsTab(*this);
    adjustSize();
    CenterWindow(*this);
    m_businessName->setFocus();
}

void SystemSettingsDialog::showValues(const app::SystemSettings& s, const QString& password) {
    m_businessName->setText(s.company.BusinessName);
    m_address->setText(s.company.Address);
    m_town->setText(s.company.Town);
    m_prov->setText(s.company.Prov);
    m_postalCode->setText(s.company.PostalCode);
    m_workPhone->setText(s.company.WorkPhone);
    m_faxNumber->setText(s.company.FaxNumber);
    (s.celsius() ? m_celsius : m_fahrenheit)->setChecked(true);
    m_audibleAlarmOff->setChecked(s.AudibleAlarmOff);
    m_cold.show(s.ColdReadHours, s.ColdReadMins, s.ColdRecHours, s.ColdRecMins);
    m_cold.extra->setText(QString::number(s.Zones));
    m_hot.show(s.HotReadHours, s.HotReadMins, s.HotRecHours, s.HotRecMins);
    m_hot.extra->setText(QString::number(s.BatchNo));
    m_dialInternet->setChecked(s.DialInternet);
    m_smtpName->setText(s.SMTPName);
    m_smtpSender->setText(s.SMTPSender);
    m_smtpEmail->setText(s.SMTPEmail);
    m_smtpLoginId->setText(s.SMTPLoginID);
    m_smtpPassword->setText(s.SMTPPassword);
    m_smtpLogin->setChecked(s.SMTPLogin);
    m_password->setText(password);
}

app::SystemSettings SystemSettingsDialog::fieldValues() const {
    app::SystemSettings s;
    s.company.BusinessName = m_businessName->text();
    s.company.Address = m_address->text();
    s.company.Town = m_town->text();
    s.company.Prov = m_prov->text();
    s.company.PostalCode = m_postalCode->text();
    s.company.WorkPhone = m_workPhone->text();
    s.company.FaxNumber = m_faxNumber->text();
    s.TempType = m_celsius->isChecked() ? QStringLiteral("C") : QStringLiteral("F");
    s.AudibleAlarmOff = m_audibleAlarmOff->isChecked();
    m_cold.read(s.ColdReadHours, s.ColdReadMins, s.ColdRecHours, s.ColdRecMins);
    s.Zones = app::IniText::toInt16(numberOf(m_cold.extra));
    m_hot.read(s.HotReadHours, s.HotReadMins, s.HotRecHours, s.HotRecMins);
    s.BatchNo = app::SystemSettingsFile::wholeNumber(m_hot.extra->text().trimmed());
    s.DialInternet = m_dialInternet->isChecked();
    s.SMTPName = m_smtpName->text();
    s.SMTPSender = m_smtpSender->text();
    s.SMTPEmail = m_smtpEmail->text();
    s.SMTPLoginID = m_smtpLoginId->text();
    s.SMTPPassword = m_smtpPassword->text();
    s.SMTPLogin = m_smtpLogin->isChecked();
    return s;
}

bool SystemSettingsDialog::cmdSave_Click() {
    const app::SystemSettings values = fieldValues();
    const QString path = QDir(m_ctx.siteDir).filePath(app::KvrIniFile::kFileName);
    if (const auto done = app::SystemSettingsFile::save(path, values); !done) {
        m_dialogs.information(kTitle, QStringLiteral("The settings could not be written to %1: %2")
                                          .arg(app::KvrIniFile::kFileName, done.error()));
        return false;
    }
    if (const auto done = app::SystemSettingsFile::saveSiteRows(m_ctx, values, m_password->text()); !done) {
        m_dialogs.information(kTitle,
                              QStringLiteral("The site settings could not be stored: %1").arg(done.error()));
        return false;
    }
    return true;
}

void SystemSettingsDialog::done(int result) {
    cmdSave_Click();
    QDialog::done(result);
}

} // namespace kelvara::ui
