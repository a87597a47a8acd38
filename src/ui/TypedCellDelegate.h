#pragma once

#include "base/UserDialogs.h"

#include <QHash>
#include <QStyledItemDelegate>
#include <QVariant>
#include <optional>

namespace kelvara::ui {

// What a grid column holds, so an edit of the wrong kind can be refused before it reaches the table.
enum class CellKind { Text, Integer, Number, Flag, ReadOnly };

// The typed value of an edited cell's text, or nothing when the text is not of the column's kind.
// Flags take True/False, Yes/No or 1/0/-1 in any letter case; numbers take a point or a comma as decimal
// sign.
[[nodiscard]] std::optional<QVariant> parseCell(CellKind kind, const QString& text, int maxLength = 0);

// Edits grid cells as text and refuses, with a message naming the column, a value that is not of the
// column's kind; the cell keeps its old value.
class TypedCellDelegate final : public QStyledItemDelegate {
    Q_OBJECT
public:
    TypedCellDelegate(base::UserDialogs& dialogs, QObject* parent = nullptr);

    // Columns without a kind are edited as free text.
    void setColumnKind(int column, CellKind kind, int maxLength = 0);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;

    // The message an edit of this kind gets when its text is refused.
    [[nodiscard]] static QString refusal(CellKind kind, const QString& column, int maxLength);

    static inline const QString kTitle = QStringLiteral("Kelvara");

private:
    struct Column {
        CellKind kind = CellKind::Text;
        int maxLength = 0;
    };
    [[nodiscard]] Column column(int index) const { return m_columns.value(index); }

    base::UserDialogs& m_dialogs;
    QHash<int, Column> m_columns;
};

} // namespace kelvara::ui
