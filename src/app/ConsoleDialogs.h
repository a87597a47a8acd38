#pragma once

#include "app/ErrorReporter.h"
#include "app/UserDialogs.h"

#include <QTextStream>

namespace kelvara::app {

// Headless stand-in for message boxes and the status list: everything goes to standard error,
// questions take their default answer.
class ConsoleDialogs final : public UserDialogs, public ErrorReporter {
public:
    ConsoleDialogs();
    void information(const QString& title, const QString& text) override;
    bool question(const QString& title, const QString& text, bool defaultYes) override;
    void reportError(const QString& description, const QString& procedure) override;
    void notice(const QString& text);

private:
    QTextStream m_err;
};

} // namespace kelvara::app
