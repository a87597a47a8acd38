#include "ui/WidgetDialogs.h"

#include <QMessageBox>

namespace kelvara::ui {

void WidgetDialogs::information(const QString& title, const QString& text) {
    QMessageBox::information(m_parent, title, text);
}

bool WidgetDialogs::question(const QString& title, const QString& text, bool defaultYes) {
    const auto def = defaultYes ? QMessageBox::Yes : QMessageBox::No;
    return QMessageBox::question(m_parent, title, text, QMessageBox::Yes | QMessageBox::No, def) ==
           QMessageBox::Yes;
}

} // namespace kelvara::ui
