#pragma once

#include "base/Clock.h"
#include "base/UserDialogs.h"
#include "install/ZoneGridColumn.h"
#include "store/Database.h"
#include "store/MonitorSetsStore.h"

#include <QAbstractTableModel>
#include <QStringList>
#include <vector>

namespace kelvara::install {

// The zones as an editable table in Room order: every accepted edit is stored at once, with the delay rule
// applied; a value that is not of its column's kind is refused and stored nowhere.
class ZoneGridModel final : public QAbstractTableModel {
    Q_OBJECT
public:
    // dialogs shows the database's words when a zone cannot be read, stored or deleted.
    ZoneGridModel(const store::Database& kvr, const base::Clock& clock, base::UserDialogs& dialogs,
                  QObject* parent = nullptr);

    // Reads the zones again (after a Save wrote to them behind the grid's back).
    void reload();

    [[nodiscard]] int rowCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] int columnCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    [[nodiscard]] QVariant headerData(int section, Qt::Orientation orientation,
                                      int role = Qt::DisplayRole) const override;
    [[nodiscard]] Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

    // Null when row is out of range.
    [[nodiscard]] const store::MonitorSetsRow* zone(int row) const;
    // Deletes the zone from the table and the grid; false (the user told why) when the database refused.
    bool removeZone(int row);

    // Column captions in grid order.
    [[nodiscard]] static QStringList captions();
    // The longest texts the text columns take, as the table's fields were sized.
    static constexpr int kNameLength = 50;
    static constexpr int kSerialLength = 16;

private:
    // Puts value into the row's field for column; false when the value is not of the column's kind.
    static bool assign(store::MonitorSetsRow& row, ZoneGridColumn column, const QVariant& value);
    void tell(const QString& error);

    store::MonitorSetsStore m_store;
    const base::Clock& m_clock;
    base::UserDialogs& m_dialogs;
    std::vector<store::MonitorSetsRow> m_rows;
};

} // namespace kelvara::install
