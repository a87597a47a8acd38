#pragma once

#include "base/ErrorReporter.h"

#include <QStringList>

namespace kelvara::test {

// Keeps the error lines a procedure reports, as the main window's status list would show them.
class RecordingReporter final : public base::ErrorReporter {
public:
    void reportError(const QString& description, const QString& procedure) override {
        lines << errorLine(description, procedure);
    }
    QStringList lines;
};

} // namespace kelvara::test
