#pragma once

#include "install/CellKind.h"

#include <QAbstractTableModel>
#include <QString>
#include <QVariant>
#include <functional>
#include <vector>

namespace kelvara::install {

// A grid over rows its owner keeps (a working list, or rows of a table), one column per field. An edit
// reaches a column's setter only when it is of the column's kind; the setter may still refuse it.
class GridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    struct Column {
        QString caption;
        CellKind kind = CellKind::Text;
        int maxLength = 0; // for text columns: the most characters the field takes (0: any)
        std::function<QVariant(int row)> value;
        // Takes the typed value; false when it was not taken. Null for a read-only column.
        std::function<bool(int row, const QVariant& value)> setValue;
    };

    // What a column holds, asked through headerData (the editing delegate refuses wrong kinds early).
    static constexpr int KindRole = Qt::UserRole + 10;
    static constexpr int MaxLengthRole = Qt::UserRole + 11;

    GridModel(std::function<int()> rows, std::vector<Column> columns, QObject* parent = nullptr);

    // The rows changed under the model: show them afresh.
    void reload();
    // One row changed under the model.
    void rowChanged(int row);

    [[nodiscard]] int rowCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] int columnCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    [[nodiscard]] Qt::ItemFlags flags(const QModelIndex& index) const override;
    [[nodiscard]] QVariant headerData(int section, Qt::Orientation orientation,
                                      int role = Qt::DisplayRole) const override;

protected:
    // For a model that builds its columns after its own members exist.
    explicit GridModel(std::function<int()> rows, QObject* parent = nullptr);
    void setColumns(std::vector<Column> columns) { m_columns = std::move(columns); }

private:
    std::function<int()> m_rows;
    std::vector<Column> m_columns;
};

} // namespace kelvara::install
