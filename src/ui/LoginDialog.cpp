#include "ui/LoginDialog.h"

#include "app/AppContext.h"
#include "app/PasswordCheck.h"
#include "base/UserDialogs.h"
#include "ui/WindowUtils.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace kelvara::ui {

LoginDialog::LoginDialog(const app::AppContext& ctx, base::UserDialogs& dialogs, QWidget* parent)
    : QDialog(parent), m_ctx(ctx), m_dialogs(dialogs), m_password(new QLineEdit(this)) {
    setObjectName(QStringLiteral("frmLogin"));
    setWindowTitle(QStringLiteral("Login"));
    setModal(true);

    auto* prompt = new QLabel(QStringLiteral("Enter in the password below"), this);
    prompt->setObjectName(QStringLiteral("lblPrompt"));
    auto* label = new QLabel(QStringLiteral("&Password:"), this);
    label->setObjectName(QStringLiteral("lblPassword"));
    label->setBuddy(m_password);
    m_password->setObjectName(QStringLiteral("txtPassword"));
    m_password->setEchoMode(QLineEdit::Password);

    auto* ok = new QPushButton(QStringLiteral("&OK"), this);
    ok->setObjectName(QStringLiteral("cmdOK"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("&Cancel"), this);
    cancel->setObjectName(QStringLiteral("cmdCancel"));

    auto* field = new QHBoxLayout;
    field->addWidget(label);
    field->addWidget(m_password, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(prompt);
    layout->addLayout(field);
    layout->addLayout(buttons);

    connect(ok, &QPushButton::clicked, this, &LoginDialog::cmdOK_Click);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    new EnterAsTab(*this);
    adjustSize();
    CenterWindow(*this);
    m_password->setFocus();
}

bool LoginDialog::askPassword(const app::AppContext& ctx, base::UserDialogs& dialogs, QWidget* parent) {
    LoginDialog dialog(ctx, dialogs, parent);
    return dialog.exec() == QDialog::Accepted;
}

void LoginDialog::cmdOK_Click() {
    // The row is read on every attempt, so a password changed in the settings window counts at once.
    if (app::passwordAccepted(app::readStoredPassword(m_ctx), m_password->text())) {
        accept();
        return;
    }
    m_dialogs.information(QStringLiteral("Kelvara"), kInvalidText);
    m_password->setFocus();
    m_password->selectAll();
}

} // namespace kelvara::ui
