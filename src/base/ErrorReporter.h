#pragma once

#include <QString>

namespace kelvara::base {

// Where periodic procedures report a failure before they carry on with their next statement.
class ErrorReporter {
public:
    virtual ~ErrorReporter() = default;
    virtual void reportError(const QString& description, const QString& procedure) = 0;

    // The one line a report makes in the status list. A failure that came without words (a driver that
    // gave none) still says that something failed rather than leave a gap.
    [[nodiscard]] static QString errorLine(const QString& description, const QString& procedure) {
        const QString said = description.trimmed().isEmpty() ? kNoDescription : description;
        return QStringLiteral("Error: ") + said + QStringLiteral(" in Module:") + procedure;
    }
    static inline const QString kNoDescription = QStringLiteral("a failure that gave no description");
};

} // namespace kelvara::base
