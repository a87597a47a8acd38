#include "app/ConsoleDialogs.h"

#include <cstdio>

namespace kelvara::app {

ConsoleDialogs::ConsoleDialogs() : m_err(stderr) {}

void ConsoleDialogs::message(Kind kind, const QString& title, const QString& text) {
    m_err << consoleLine(kind, title, text) << Qt::endl;
}

bool ConsoleDialogs::question(const QString& title, const QString& text, bool defaultYes) {
    m_err << title << " (question): " << text << (defaultYes ? " [Yes]" : " [No]") << Qt::endl;
    return defaultYes;
}

base::UserDialogs::Answer ConsoleDialogs::questionOrCancel(const QString& title, const QString& text) {
    m_err << title << " (question): " << text << " [Cancel]" << Qt::endl;
    return Answer::Cancel;
}

void ConsoleDialogs::reportError(const QString& description, const QString& procedure) {
    m_err << errorLine(description, procedure) << Qt::endl;
}

void ConsoleDialogs::notice(const QString& text) {
    m_err << text << Qt::endl;
}

} // namespace kelvara::app
