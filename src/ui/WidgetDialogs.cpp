#include "ui/WidgetDialogs.h"

#include <QMessageBox>
#include <QTextStream>

namespace kelvara::ui {

void WidgetDialogs::message(Kind kind, const QString& title, const QString& text) {
    // Every box also goes to standard error, so a service log keeps what the user was shown.
    QTextStream(stderr) << consoleLine(kind, title, text) << Qt::endl;
    switch (kind) {
    case Kind::Information:
        QMessageBox::information(m_parent, title, text);
        break;
    case Kind::Warning:
        QMessageBox::warning(m_parent, title, text);
        break;
    case Kind::Critical:
        QMessageBox::critical(m_parent, title, text);
        break;
    }
}

bool WidgetDialogs::question(const QString& title, const QString& text, bool defaultYes) {
    const auto def = defaultYes ? QMessageBox::Yes : QMessageBox::No;
    return QMessageBox::question(m_parent, title, text, QMessageBox::Yes | QMessageBox::No, def) ==
           QMessageBox::Yes;
}

base::UserDialogs::Answer WidgetDialogs::questionOrCancel(const QString& title, const QString& text) {
    switch (QMessageBox::question(
        m_parent, title, text, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes)) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return Answer::Cancel;
    }
}

} // namespace kelvara::ui
