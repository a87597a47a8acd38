#pragma once

#include <QString>

namespace kelvara::base {

// Where periodic procedures report a failure before they carry on with their next statement.
class ErrorReporter {
public:
    virtual ~ErrorReporter() = default;
    virtual void reportError(const QString& description, const QString& procedure) = 0;

    // The one line a report makes in the status list.
    [[nodiscard]] static QString errorLine(const QString& description, const QString& procedure) {
        return QStringLiteral("Error: ") + description + QStringLiteral(" in Module:") + procedure;
    }
};

} // namespace kelvara::base
