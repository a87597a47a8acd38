// Window helpers every dialog uses.
#include "ui/WindowUtils.h"

#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScreen>
#include <QVBoxLayout>
#include <gtest/gtest.h>

using namespace kelvara;

TEST(CenterWindow, CentresOnTheScreenAndPrefixesOneSpace) {
    QDialog dialog;
    dialog.setWindowTitle("Login");
    dialog.resize(300, 200);
    ui::CenterWindow(dialog);
    EXPECT_EQ(dialog.windowTitle(), " Login");
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    const QRect frame = dialog.frameGeometry();
    EXPECT_LE(std::abs(frame.center().x() - screen.center().x()), 1);
    EXPECT_LE(std::abs(frame.center().y() - screen.center().y()), 1);
}

TEST(EnterAsTab, EnterMovesTheFocusToTheNextFieldAndStillReachesTheField) {
    QDialog dialog;
    auto* layout = new QVBoxLayout(&dialog);
    auto* first = new QLineEdit(&dialog);
    auto* second = new QLineEdit(&dialog);
    layout->addWidget(first);
    layout->addWidget(second);
    new ui::EnterAsTab(dialog);
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    first->setFocus();
    bool returnPressed = false;
    QObject::connect(first, &QLineEdit::returnPressed, [&] { returnPressed = true; });

    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(first, &enter);
    EXPECT_EQ(dialog.focusWidget(), second);
    EXPECT_TRUE(returnPressed);
}
