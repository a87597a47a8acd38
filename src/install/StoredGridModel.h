#pragma once

#include "base/UserDialogs.h"
#include "install/GridModel.h"

#include <functional>
#include <vector>

namespace kelvara::install {

// The rows of a table as an editable grid: every accepted edit is stored at once; a value the column does
// not take is refused and stored nowhere, and the user is told why the database refused one.
template <typename Store, typename Row> class StoredGridModel : public GridModel {
public:
    struct Field {
        QString caption;
        CellKind kind = CellKind::Text;
        int maxLength = 0;
        std::function<QVariant(const Row&)> get;
        std::function<void(Row&, const QVariant&)> set; // null: read-only
    };
    // What an edit does beside its own field, before the row is stored (column, the typed value).
    using EditRule = std::function<void(Row&, int column, const QVariant& value)>;

    StoredGridModel(Store table, base::UserDialogs& dialogs, std::vector<Field> fields, EditRule rule = {},
                    QObject* parent = nullptr)
        : GridModel([this] { return static_cast<int>(m_rows.size()); }, parent), m_store(std::move(table)),
          m_dialogs(dialogs), m_rule(std::move(rule)) {
        std::vector<Column> columns;
        for (std::size_t i = 0; i < fields.size(); ++i) {
            const Field field = fields[i];
            Column column{field.caption,
                          field.kind,
                          field.maxLength,
                          [this, field](int row) { return field.get(m_rows[static_cast<std::size_t>(row)]); },
                          {}};
            if (field.set) {
                const int at = static_cast<int>(i);
                column.setValue = [this, field, at](int row, const QVariant& value) {
                    Row changed = m_rows[static_cast<std::size_t>(row)];
                    field.set(changed, value);
                    if (m_rule)
                        m_rule(changed, at, value);
                    return storeRow(row, changed);
                };
            }
            columns.push_back(std::move(column));
        }
        setColumns(std::move(columns));
        reloadRows();
    }

    // Reads the rows again (after something wrote to them behind the grid's back).
    void reloadRows() {
        beginResetModel();
        auto rows = m_store.loadAll();
        if (rows) {
            m_rows = std::move(rows).value();
        } else {
            m_rows.clear();
            tell(rows.error());
        }
        endResetModel();
    }

    // Null when row is out of range.
    [[nodiscard]] const Row* rowAt(int row) const {
        return row >= 0 && row < rowCount() ? &m_rows[static_cast<std::size_t>(row)] : nullptr;
    }

    // Deletes the row from the table and the grid; false (the user told why) when the database refused.
    bool removeStoredRow(int row) {
        const Row* doomed = rowAt(row);
        if (!doomed)
            return false;
        if (const auto removed = m_store.remove(doomed->id); !removed) {
            tell(removed.error());
            return false;
        }
        beginRemoveRows({}, row, row);
        m_rows.erase(m_rows.begin() + row);
        endRemoveRows();
        return true;
    }

    static inline const QString kTitle = QStringLiteral("Kelvara");

private:
    bool storeRow(int row, const Row& changed) {
        if (const auto stored = m_store.update(changed); !stored) {
            tell(stored.error());
            return false;
        }
        m_rows[static_cast<std::size_t>(row)] = changed;
        return true;
    }
    void tell(const QString& error) { m_dialogs.information(kTitle, error); }

    Store m_store;
    base::UserDialogs& m_dialogs;
    EditRule m_rule;
    std::vector<Row> m_rows;
};

} // namespace kelvara::install
