#pragma once

#include "base/UserDialogs.h"

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace kelvara::app {
struct AppContext;
}

namespace kelvara::ui {

// The password window that guards the system settings and the closing of the main window.
class LoginDialog final : public QDialog {
    Q_OBJECT
public:
    LoginDialog(const app::AppContext& ctx, base::UserDialogs& dialogs, QWidget* parent = nullptr);

    // Shows the window modally; true when the password was accepted, false when the user gave up.
    [[nodiscard]] static bool askPassword(const app::AppContext& ctx, base::UserDialogs& dialogs,
                                          QWidget* parent = nullptr);

    static inline const QString kInvalidText = QStringLiteral("Invalid Password.  Please try again!");

private:
    void cmdOK_Click();

    const app::AppContext& m_ctx;
    base::UserDialogs& m_dialogs;
    QLineEdit* m_password;
};

} // namespace kelvara::ui
