#pragma once

#include <QAbstractTableModel>
#include <QString>
#include <QVariant>
#include <functional>
#include <vector>

namespace kelvara::ui {

// Shows a list the core owns (rows of a struct) in a grid, one column per field, and writes edits back.
class WorkingListModel final : public QAbstractTableModel {
    Q_OBJECT
public:
    struct Column {
        QString header;
        std::function<QVariant(int row)> value;
        // Null for a column the user may not edit.
        std::function<void(int row, const QVariant& value)> setValue;
    };

    WorkingListModel(std::function<int()> rows, std::vector<Column> columns, QObject* parent = nullptr);

    // The list changed under the model (a new search): show it afresh.
    void reload();

    [[nodiscard]] int rowCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] int columnCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    [[nodiscard]] Qt::ItemFlags flags(const QModelIndex& index) const override;
    [[nodiscard]] QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    std::function<int()> m_rows;
    std::vector<Column> m_columns;
};

} // namespace kelvara::ui
