#include "ui/TypedCellDelegate.h"

#include "install/GridModel.h"

#include <QAbstractItemModel>
#include <QLineEdit>

namespace kelvara::ui {

namespace {

install::CellKind kindOf(const QAbstractItemModel* model, int column) {
    const QVariant kind = model->headerData(column, Qt::Horizontal, install::GridModel::KindRole);
    return kind.isValid() ? static_cast<install::CellKind>(kind.toInt()) : install::CellKind::Text;
}

int maxLengthOf(const QAbstractItemModel* model, int column) {
    return model->headerData(column, Qt::Horizontal, install::GridModel::MaxLengthRole).toInt();
}

} // namespace

TypedCellDelegate::TypedCellDelegate(base::UserDialogs& dialogs, QObject* parent)
    : QStyledItemDelegate(parent), m_dialogs(dialogs) {}

QWidget* TypedCellDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                         const QModelIndex& index) const {
    if (kindOf(index.model(), index.column()) == install::CellKind::ReadOnly)
        return nullptr;
    auto* editor = new QLineEdit(parent);
    editor->setFrame(false);
    return editor;
}

void TypedCellDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    if (auto* line = qobject_cast<QLineEdit*>(editor))
        line->setText(index.data(Qt::DisplayRole).toString());
}

void TypedCellDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                     const QModelIndex& index) const {
    auto* line = qobject_cast<QLineEdit*>(editor);
    if (line == nullptr)
        return;
    const install::CellKind kind = kindOf(model, index.column());
    const int maxLength = maxLengthOf(model, index.column());
    const std::optional<QVariant> value = install::parseCell(kind, line->text(), maxLength);
    if (!value) {
        const QString caption = model->headerData(index.column(), Qt::Horizontal).toString().trimmed();
        m_dialogs.information(kTitle, install::cellRefusal(kind, caption, maxLength));
        return;
    }
    model->setData(index, *value, Qt::EditRole);
}

} // namespace kelvara::ui
