#include "ui/WorkingListModel.h"

namespace kelvara::ui {

WorkingListModel::WorkingListModel(std::function<int()> rows, std::vector<Column> columns, QObject* parent)
    : QAbstractTableModel(parent), m_rows(std::move(rows)), m_columns(std::move(columns)) {}

void WorkingListModel::reload() {
    beginResetModel();
    endResetModel();
}

int WorkingListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_rows();
}

int WorkingListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_columns.size());
}

QVariant WorkingListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    return m_columns[static_cast<std::size_t>(index.column())].value(index.row());
}

bool WorkingListModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || role != Qt::EditRole)
        return false;
    const Column& column = m_columns[static_cast<std::size_t>(index.column())];
    if (!column.setValue)
        return false;
    column.setValue(index.row(), value);
    emit dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
    return true;
}

Qt::ItemFlags WorkingListModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (index.isValid() && m_columns[static_cast<std::size_t>(index.column())].setValue)
        f |= Qt::ItemIsEditable;
    return f;
}

QVariant WorkingListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Horizontal && section >= 0 && section < columnCount())
        return m_columns[static_cast<std::size_t>(section)].header;
    if (orientation == Qt::Vertical)
        return section + 1;
    return {};
}

} // namespace kelvara::ui
