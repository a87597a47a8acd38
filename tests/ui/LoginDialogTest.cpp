// The login window over a real zone database: what it accepts, what it refuses and how it says so.
#include "ui/LoginDialog.h"

#include "store/SystemStore.h"
#include "support/RecordedDialogs.h"
#include "support/SiteBench.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

using namespace kelvara;

namespace {

// A zone site whose password is "Frost9".
class LoginDialogTest : public ::testing::Test, protected test::SiteContext {
protected:
    LoginDialogTest() {
        store::SystemStore system(*ctx.databases.kvr);
        auto row = system.load();
        row->Password = QStringLiteral("Frost9");
        EXPECT_TRUE(system.update(*row).ok());
    }

    static QLineEdit* field(QWidget& dialog) { return dialog.findChild<QLineEdit*>("txtPassword"); }
    static QPushButton* button(QWidget& dialog, const char* name) {
        return dialog.findChild<QPushButton*>(name);
    }

    // Types the entry and presses OK on a shown window.
    static void submit(QWidget& dialog, const QString& entry) {
        field(dialog)->setText(entry);
        button(dialog, "cmdOK")->click();
    }

    test::RecordedDialogs dialogs;
};

// Which entries open which site is PasswordDecision's table; here: how the window refuses and accepts.
TEST_F(LoginDialogTest, RefusesAWrongPasswordAndSelectsItForAnotherTry) {
    ui::LoginDialog dialog(ctx, dialogs);
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    submit(dialog, "Frost");
    EXPECT_EQ(field(dialog)->echoMode(), QLineEdit::Password);
    EXPECT_EQ(dialogs.texts, QStringList{"Invalid Password.  Please try again!"});
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_NE(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.focusWidget(), field(dialog));
    EXPECT_EQ(field(dialog)->selectedText(), "Frost");

    // The window stays usable: the right password on the second try gets in.
    submit(dialog, "FROST9");
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialogs.texts.size(), 1);
}

// The modal call the main window makes, driven from inside its event loop.
TEST_F(LoginDialogTest, AskPasswordTellsTheCallerWhetherTheLoginSucceeded) {
    const auto answerWith = [](std::function<void(ui::LoginDialog&)> act) {
        QTimer::singleShot(0, [act] {
            auto* dialog = qobject_cast<ui::LoginDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            act(*dialog);
            // Whatever the test did, never leave a modal loop running.
            if (dialog->isVisible())
                dialog->reject();
        });
    };

    // Enter in the field moves on to OK and submits, as a user would log in.
    answerWith([](ui::LoginDialog& d) {
        field(d)->setFocus();
        field(d)->setText("frost9");
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QApplication::sendEvent(field(d), &enter);
    });
    EXPECT_TRUE(ui::LoginDialog::askPassword(ctx, dialogs));

    answerWith([](ui::LoginDialog& d) { button(d, "cmdCancel")->click(); });
    EXPECT_FALSE(ui::LoginDialog::askPassword(ctx, dialogs));
    EXPECT_TRUE(dialogs.texts.isEmpty());
}

} // namespace
