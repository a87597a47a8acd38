#include "install/GridModel.h"

namespace kelvara::install {

GridModel::GridModel(std::function<int()> rows, std::vector<Column> columns, QObject* parent)
    : QAbstractTableModel(parent), m_rows(std::move(rows)), m_columns(std::move(columns)) {}

GridModel::GridModel(std::function<int()> rows, QObject* parent)
    : QAbstractTableModel(parent), m_rows(std::move(rows)) {}

void GridModel::reload() {
    beginResetModel();
    endResetModel();
}

void GridModel::rowChanged(int row) {
    if (row >= 0 && row < rowCount())
        emit dataChanged(index(row, 0), index(row, columnCount() - 1));
}

int GridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_rows();
}

int GridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_columns.size());
}

QVariant GridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount() || (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    const QVariant value = m_columns[static_cast<std::size_t>(index.column())].value(index.row());
    // Flags show as the words the table has always shown; the editor gets the flag itself.
    if (role == Qt::DisplayRole && value.typeId() == QMetaType::Bool)
        return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    return value;
}

bool GridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || index.row() >= rowCount() || role != Qt::EditRole)
        return false;
    const Column& column = m_columns[static_cast<std::size_t>(index.column())];
    if (!column.setValue)
        return false;
    const std::optional<QVariant> typed = parseCell(column.kind, value, column.maxLength);
    if (!typed || !column.setValue(index.row(), *typed))
        return false;
    rowChanged(index.row()); // a setter may change other fields of the row too
    return true;
}

Qt::ItemFlags GridModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (index.isValid() && m_columns[static_cast<std::size_t>(index.column())].setValue)
        f |= Qt::ItemIsEditable;
    return f;
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Vertical)
        return role == Qt::DisplayRole ? QVariant(section + 1) : QVariant();
    if (section < 0 || section >= columnCount())
        return {};
    const Column& column = m_columns[static_cast<std::size_t>(section)];
    switch (role) {
    case Qt::DisplayRole:
        return column.caption;
    case KindRole:
        return static_cast<int>(column.setValue ? column.kind : CellKind::ReadOnly);
    case MaxLengthRole:
        return column.maxLength;
    default:
        return {};
    }
}

} // namespace kelvara::install
