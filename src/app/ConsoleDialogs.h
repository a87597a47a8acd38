#pragma once

#include "base/ErrorReporter.h"
#include "base/UserDialogs.h"

#include <QTextStream>

namespace kelvara::app {

// Headless stand-in for message boxes and the status list: everything goes to standard error, each box
// with its kind and title, and questions take their default answer.
class ConsoleDialogs final : public base::UserDialogs, public base::ErrorReporter {
public:
    ConsoleDialogs();
    void message(Kind kind, const QString& title, const QString& text) override;
    bool question(const QString& title, const QString& text, bool defaultYes) override;
    // Nobody is there to answer: the question is cancelled.
    Answer questionOrCancel(const QString& title, const QString& text) override;
    void reportError(const QString& description, const QString& procedure) override;
    void notice(const QString& text);

private:
    QTextStream m_err;
};

} // namespace kelvara::app
