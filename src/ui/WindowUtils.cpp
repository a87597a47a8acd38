#include "ui/WindowUtils.h"

#include "ui/TypedCellDelegate.h"

#include <QAction>
#include <QBoxLayout>
#include <QComboBox>
#include <QEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTableView>
#include <QToolBar>
#include <QWidget>

namespace kelvara::ui {

PaneButtons addTestExitButtons(QWidget& pane, QBoxLayout& layout) {
    auto* buttons = new QHBoxLayout;
    auto* test = new QPushButton(QStringLiteral("Test"), &pane);
    test->setObjectName(QStringLiteral("cmdTest"));
    auto* exit = new QPushButton(QStringLiteral("Exit"), &pane);
    exit->setObjectName(QStringLiteral("cmdExit"));
    test->setAutoDefault(false);
    exit->setAutoDefault(false);
    buttons->addWidget(test);
    buttons->addWidget(exit);
    layout.addLayout(buttons);
    return {test, exit};
}

QToolBar* addKeyToolbar(QWidget& window, const QStringList& keys) {
    auto* toolbar = new QToolBar(&window);
    toolbar->setObjectName(QStringLiteral("cmdSerialKey"));
    for (const QString& key : keys)
        toolbar->addAction(key)->setObjectName(key);
    return toolbar;
}

QTableView* addEditableGrid(QWidget& window, base::UserDialogs& dialogs) {
    auto* grid = new QTableView(&window);
    grid->setObjectName(QStringLiteral("gridMonitors"));
    grid->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                          QAbstractItemView::AnyKeyPressed);
    grid->setSelectionBehavior(QAbstractItemView::SelectItems);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setItemDelegate(new TypedCellDelegate(dialogs, grid));
    return grid;
}

QAction* action(QToolBar& toolbar, const char* key) {
    for (QAction* a : toolbar.actions()) {
        if (a->objectName() == QLatin1String(key))
            return a;
    }
    return nullptr;
}

QComboBox* makeList(QWidget* parent, const char* name, const QStringList& entries) {
    auto* list = new QComboBox(parent);
    list->setObjectName(QString::fromLatin1(name));
    list->addItems(entries);
    return list;
}

QLineEdit* makeField(QWidget* parent, const char* name) {
    auto* field = new QLineEdit(parent);
    field->setObjectName(QString::fromLatin1(name));
    return field;
}

void showListText(QComboBox& list, const QString& text) {
    if (text.isEmpty()) {
        list.setCurrentIndex(-1);
        return;
    }
    int index = list.findText(text, Qt::MatchFixedString | Qt::MatchCaseSensitive);
    if (index < 0) {
        list.addItem(text);
        index = list.count() - 1;
    }
    list.setCurrentIndex(index);
}

void CenterWindow(QWidget& window) {
    if (const QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen()) {
        const QRect full = screen->geometry();
        const QRect outer = window.frameGeometry();
        window.move(full.x() + (full.width() - outer.width()) / 2,
                    full.y() + (full.height() - outer.height()) / 2);
    }
    window.setWindowTitle(QLatin1Char(' ') + window.windowTitle());
}

EnterAsTab::EnterAsTab(QWidget& dialog) : QObject(&dialog) {
    dialog.installEventFilter(this);
    for (QWidget* child : dialog.findChildren<QWidget*>())
        child->installEventFilter(this);
}

bool EnterAsTab::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            auto* w = qobject_cast<QWidget*>(watched);
            // A key a field ignores travels on to its parents; only the field that has the focus moves it.
            if (w && w == w->window()->focusWidget()) {
                // The next field in tab order that would take the focus from a Tab key.
                QWidget* next = w->nextInFocusChain();
                while (next != w && !((next->focusPolicy() & Qt::TabFocus) && next->isEnabled() &&
                                      next->isVisibleTo(w->window())))
                    next = next->nextInFocusChain();
                next->setFocus(Qt::TabFocusReason);
            }
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace kelvara::ui
