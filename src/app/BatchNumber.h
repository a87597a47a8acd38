#pragma once

#include <QRegularExpression>
#include <QString>
#include <optional>

namespace kelvara::app {

// What a batch range field or option says when it does not hold a batch number.
inline const QString kInvalidBatchText = QStringLiteral("Invalid batch number");

// A batch number as a batch range field or the command line gives it: a whole number of up to nine digits,
// blanks around it allowed, and nothing else.
[[nodiscard]] inline std::optional<qint64> batchNumberOf(const QString& text) {
    static const QRegularExpression whole(QStringLiteral("^[0-9]{1,9}$"));
    const QString trimmed = text.trimmed();
    if (!whole.match(trimmed).hasMatch())
        return std::nullopt;
    return trimmed.toLongLong();
}

} // namespace kelvara::app
