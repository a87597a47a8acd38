#pragma once

#include "app/SystemSettingsFile.h"
#include "base/UserDialogs.h"

#include <QDialog>

class QButtonGroup;
class QCheckBox;
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

    // The values the fields hold now, as they would be saved.
    [[nodiscard]] app::SystemSettings fieldValues() const;
    // Writes KVR.INI and the site rows from the fields; false (after telling the user) when either failed.
    bool cmdSave_Click();

    // Every way out of the window (Exit, Escape, the close box) comes through here and saves first.
    void done(int result) override;

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
    QLineEdit* m_coldReadHours;
    QLineEdit* m_coldReadMins;
    QLineEdit* m_coldRecHours;
    QLineEdit* m_coldRecMins;
    QLineEdit* m_zones;
    QLineEdit* m_hotReadHours;
    QLineEdit* m_hotReadMins;
    QLineEdit* m_hotRecHours;
    QLineEdit* m_hotRecMins;
    QLineEdit* m_batchNo;
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
