#include "ui/MainWindow.h"

#include "app/AppContext.h"

#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

namespace kelvara::ui {

MainWindow::MainWindow(app::AppContext& ctx, QWidget* parent) : QMainWindow(parent), m_ctx(ctx) {
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Kelvara"));
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    m_status = new QLabel(central);
    m_status->setObjectName(QStringLiteral("lblStatus"));
    m_statusList = new QListWidget(central);
    m_statusList->setObjectName(QStringLiteral("lstEMailStatus"));
    layout->addWidget(m_status);
    layout->addWidget(m_statusList, 1);
    setCentralWidget(central);
    resize(900, 600);

    for (const QString& notice : m_ctx.startupNotices)
        setStatus(notice);
}

void MainWindow::reportError(const QString& description, const QString& procedure) {
    m_statusList->addItem(errorLine(description, procedure));
}

void MainWindow::setStatus(const QString& text) {
    m_status->setText(text);
}

} // namespace kelvara::ui
