#pragma once

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

namespace kelvara::test {

// The entry of the window's menus with this text, or null: entries are known by what the user reads.
inline QAction* menuEntry(QMainWindow& window, const QString& text) {
    for (QMenu* menu : window.menuBar()->findChildren<QMenu*>())
        for (QAction* entry : menu->actions())
            if (entry->text() == text)
                return entry;
    return nullptr;
}

} // namespace kelvara::test
