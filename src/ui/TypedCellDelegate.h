#pragma once

#include "base/UserDialogs.h"
#include "install/CellKind.h"

#include <QStyledItemDelegate>

namespace kelvara::ui {

// Edits grid cells as text and refuses, with a message naming the column, a value that is not of the
// column's kind (as the grid's model gives it, see install::GridModel); the cell keeps its old value.
class TypedCellDelegate final : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit TypedCellDelegate(base::UserDialogs& dialogs, QObject* parent = nullptr);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;

    static inline const QString kTitle = QStringLiteral("Kelvara");

private:
    base::UserDialogs& m_dialogs;
};

} // namespace kelvara::ui
