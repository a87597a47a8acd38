#include "ui/SplashWindow.h"

#include <QCoreApplication>
#include <QLabel>
#include <QVBoxLayout>

namespace kelvara::ui {

SplashWindow::SplashWindow(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmSplash"));
    setWindowTitle(QStringLiteral("Kelvara"));
    auto* layout = new QVBoxLayout(this);
    auto* name = new QLabel(QStringLiteral("<h1>Kelvara</h1>"), this);
    name->setAlignment(Qt::AlignCenter);
    auto* line = new QLabel(tr("Temperature monitoring for cold rooms and cook cycles"), this);
    line->setAlignment(Qt::AlignCenter);
    auto* version = new QLabel(tr("Version %1").arg(QCoreApplication::applicationVersion()), this);
    version->setAlignment(Qt::AlignCenter);
    layout->addWidget(name);
    layout->addWidget(line);
    layout->addWidget(version);
    setMinimumSize(420, 200);
}

} // namespace kelvara::ui
