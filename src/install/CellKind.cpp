#include "install/CellKind.h"

#include <cmath>

namespace kelvara::install {

std::optional<QVariant> parseCell(CellKind kind, const QVariant& value, int maxLength) {
    const QMetaType::Type type = static_cast<QMetaType::Type>(value.typeId());
    // A value of the column's own type passes as it is (an edit made in code rather than typed).
    if (kind == CellKind::Flag && type == QMetaType::Bool)
        return value;
    if (kind == CellKind::Integer && type == QMetaType::Int)
        return value;
    if (kind == CellKind::Number && (type == QMetaType::Double || type == QMetaType::Int))
        return QVariant(value.toDouble());
    if (type == QMetaType::Bool)
        return std::nullopt; // a flag is no number
    const QString text = value.toString();
    const QString trimmed = text.trimmed();
    bool ok = false;
    switch (kind) {
    case CellKind::ReadOnly:
        return std::nullopt;
    case CellKind::Text:
        if (maxLength > 0 && text.size() > maxLength)
            return std::nullopt;
        return QVariant(text);
    case CellKind::Integer: {
        const int number = trimmed.toInt(&ok);
        return ok ? std::optional<QVariant>(number) : std::nullopt;
    }
    case CellKind::Number: {
        QString dotted = trimmed;
        dotted.replace(QLatin1Char(','), QLatin1Char('.'));
        const double number = dotted.toDouble(&ok);
        return ok && std::isfinite(number) ? std::optional<QVariant>(number) : std::nullopt;
    }
    case CellKind::Flag: {
        const QString word = trimmed.toLower();
        if (word == QLatin1String("true") || word == QLatin1String("yes") || word == QLatin1String("1") ||
            word == QLatin1String("-1"))
            return QVariant(true);
        if (word == QLatin1String("false") || word == QLatin1String("no") || word == QLatin1String("0"))
            return QVariant(false);
        return std::nullopt;
    }
    }
    return std::nullopt;
}

QString cellRefusal(CellKind kind, const QString& column, int maxLength) {
    const QString where = column.isEmpty() ? QString() : QStringLiteral(" in \"%1\"").arg(column);
    switch (kind) {
    case CellKind::Integer:
        return QStringLiteral("Please enter a whole number%1. The value was not saved.").arg(where);
    case CellKind::Number:
        return QStringLiteral("Please enter a number%1. The value was not saved.").arg(where);
    case CellKind::Flag:
        return QStringLiteral("Please enter True or False%1. The value was not saved.").arg(where);
    case CellKind::Text:
        return QStringLiteral("Please enter at most %1 characters%2. The value was not saved.")
            .arg(maxLength)
            .arg(where);
    case CellKind::ReadOnly:
        break;
    }
    return QStringLiteral("This value cannot be changed%1.").arg(where);
}

} // namespace kelvara::install
