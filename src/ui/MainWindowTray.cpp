// The main window in the notification area: minimised it hides behind a tray icon, a double click brings
// it back.
#include "ui/MainWindow.h"

#include <QApplication>
#include <QEvent>
#include <QSystemTrayIcon>
#include <QTimer>

namespace kelvara::ui {

void MainWindow::setupTray() {
    m_tray = new QSystemTrayIcon(windowIcon(), this);
    m_tray->setObjectName(QStringLiteral("trayIcon"));
    m_tray->setToolTip(QStringLiteral("Kelvara"));
    connect(m_tray, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        if (reason == QSystemTrayIcon::DoubleClick)
            restoreFromTray();
    });
}

void MainWindow::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange || !isMinimized())
        return;
    // Without a notification area there is nothing to restore from: the window stays minimised instead.
    if (!QSystemTrayIcon::isSystemTrayAvailable())
        return;
    m_tray->show();
    // Hiding inside the state change confuses some window managers; do it once the event is done.
    QTimer::singleShot(0, this, &QWidget::hide);
}

void MainWindow::restoreFromTray() {
    setWindowState(windowState() & ~Qt::WindowMinimized);
    m_tray->hide();
    showNormal();
    activateWindow();
    QApplication::processEvents();
}

} // namespace kelvara::ui
