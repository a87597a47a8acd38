#include "ui/TypedCellDelegate.h"

#include "base/UserDialogs.h"

#include <QAbstractItemModel>
#include <QLineEdit>

namespace kelvara::ui {

std::optional<QVariant> parseCell(CellKind kind, const QString& text, int maxLength) {
    const QString value = text.trimmed();
    bool ok = false;
    switch (kind) {
    case CellKind::ReadOnly:
        return std::nullopt;
    case CellKind::Text:
        if (maxLength > 0 && text.size() > maxLength)
            return std::nullopt;
        return QVariant(text);
    case CellKind::Integer: {
        const int number = value.toInt(&ok);
        return ok ? std::optional<QVariant>(number) : std::nullopt;
    }
    case CellKind::Number: {
        QString dotted = value;
        dotted.replace(QLatin1Char(','), QLatin1Char('.'));
        const double number = dotted.toDouble(&ok);
        return ok ? std::optional<QVariant>(number) : std::nullopt;
    }
    case CellKind::Flag: {
        const QString word = value.toLower();
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

TypedCellDelegate::TypedCellDelegate(base::UserDialogs& dialogs, QObject* parent)
    : QStyledItemDelegate(parent), m_dialogs(dialogs) {}

void TypedCellDelegate::setColumnKind(int column, CellKind kind, int maxLength) {
    m_columns.insert(column, Column{kind, maxLength});
}

QWidget* TypedCellDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                         const QModelIndex& index) const {
    const Column c = column(index.column());
    if (c.kind == CellKind::ReadOnly)
        return nullptr;
    auto* editor = new QLineEdit(parent);
    editor->setFrame(false);
    return editor;
}

void TypedCellDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    auto* line = qobject_cast<QLineEdit*>(editor);
    if (line == nullptr)
        return;
    const QVariant value = index.data(Qt::EditRole);
    if (column(index.column()).kind == CellKind::Flag && value.typeId() == QMetaType::Bool)
        line->setText(value.toBool() ? QStringLiteral("True") : QStringLiteral("False"));
    else
        line->setText(value.toString());
}

void TypedCellDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                     const QModelIndex& index) const {
    auto* line = qobject_cast<QLineEdit*>(editor);
    if (line == nullptr)
        return;
    const Column c = column(index.column());
    const std::optional<QVariant> value = parseCell(c.kind, line->text(), c.maxLength);
    if (!value) {
        const QString caption = model->headerData(index.column(), Qt::Horizontal).toString().trimmed();
        m_dialogs.information(kTitle, refusal(c.kind, caption, c.maxLength));
        return;
    }
    model->setData(index, *value, Qt::EditRole);
}

QString TypedCellDelegate::refusal(CellKind kind, const QString& column, int maxLength) {
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

} // namespace kelvara::ui
