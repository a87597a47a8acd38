#pragma once

#include "base/UserDialogs.h"

#include <QObject>
#include <QStringList>

class QAction;
class QBoxLayout;
class QComboBox;
class QLineEdit;
class QTableView;
class QToolBar;
class QPushButton;
class QWidget;

namespace kelvara::ui {

// Centres a window on its screen and puts one space before its caption, as every Kelvara window loads.
void CenterWindow(QWidget& window);

// The "Test" and "Exit" buttons (cmdTest, cmdExit) under a lamp pane's list. Neither is a default button:
// Enter in the list moves on to the next field and must not start a lamp test.
struct PaneButtons {
    QPushButton* test;
    QPushButton* exit;
};
PaneButtons addTestExitButtons(QWidget& pane, QBoxLayout& layout);

// The command keys of a setup window (cmdSerialKey), each action named by its key.
QToolBar* addKeyToolbar(QWidget& window, const QStringList& keys);
// The action of a key of such a toolbar.
QAction* action(QToolBar& toolbar, const char* key);

// The editable grid of a setup window (gridMonitors): one cell at a time, typed cells checked as they are
// committed.
QTableView* addEditableGrid(QWidget& window, base::UserDialogs& dialogs);

// A list (cboName) offering these entries, and a typed field (txtName), named for tests to find.
QComboBox* makeList(QWidget* parent, const char* name, const QStringList& entries);
QLineEdit* makeField(QWidget* parent, const char* name);

// Shows a stored value in a list; one the list does not offer is added, so that storing again keeps it.
void showListText(QComboBox& list, const QString& text);

// Moves the focus on to the next field when Enter is pressed in a dialog, as Tab would; the key still
// reaches the field.
class EnterAsTab final : public QObject {
    Q_OBJECT
public:
    explicit EnterAsTab(QWidget& dialog);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace kelvara::ui
