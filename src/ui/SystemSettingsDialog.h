#pragma once

#include "app/SystemSettingsFile.h"
#include "base/UserDialogs.h"

#include <QDialog>

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLineEdit;
class QRadioButton;

namespace kelvara::app {
struct AppContext;
}

namespace kelvara::ui {

// The company information and settings window: edits KVR.INI and the site row, and saves on every close.
class SystemSettingsDialog final : public QDialog {
    Q_OBJECT
public:
    SystemSettingsDialog(const app::AppContext& ctx, base::UserDialogs& dialogs, QWidget* parent = nullptr);

    static inline const QString kDialupNote = QStringLiteral(
        "You must have the Internet connection already configured in the Dial-up Networking in "
        "order for the Auto Dialup to work.");

    // Opens at the e-mail settings: the focus goes to the mail server's name.
    void showMailSettings();

    // The values the fields hold now, as they would be saved.
    [[nodiscard]] app::SystemSettings fieldValues() const;
    // Writes KVR.INI and the site rows from the fields; false (after telling the user) when either failed.
    bool cmdSave_Click();

    // Every way out of the window (Exit, Escape, the close box) comes through here and saves first.
    void done(int result) override;

    // The zone side's or the cook side's group: read and record intervals (hours, minutes) and one more
    // field.
    struct SideFields {
        QGroupBox* group = nullptr;
        QLineEdit* readHours = nullptr;
        QLineEdit* readMins = nullptr;
        QLineEdit* recHours = nullptr;
        QLineEdit* recMins = nullptr;
        QLineEdit* extra = nullptr;
        void show(double readH, double readM, double recH, double recM) const;
        void read(double& readH, double& readM, double& recH, double& recM) const;
    };

private:
    void showValues(const app::SystemSettings& settings, const QString& password);

    const app::AppContext& m_ctx;
    base::UserDialogs& m_dialogs;

    QLineEdit* m_businessName;
    QLineEdit* m_address;
    QLineEdit* m_town;
    QLineEdit* m_prov;
    QLineEdit* m_postalCode;
    QLineEdit* m_workPhone;
    QLineEdit* m_faxNumber;
    QButtonGroup* m_mode;
    QRadioButton* m_fahrenheit;
    QRadioButton* m_celsius;
    QCheckBox* m_audibleAlarmOff;
    SideFields m_cold; // its extra field: the number of zones
    SideFields m_hot;  // its extra field: the current job number
    QCheckBox* m_dialInternet;
    QLineEdit* m_smtpName;
    QLineEdit* m_smtpSender;
    QLineEdit* m_smtpEmail;
    QLineEdit* m_smtpLoginId;
    QLineEdit* m_smtpPassword;
    QCheckBox* m_smtpLogin;
    QLineEdit* m_password;
};

} // namespace kelvara::ui
