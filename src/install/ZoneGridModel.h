#pragma once

#include "base/Clock.h"
#include "base/UserDialogs.h"
#include "install/StoredGridModel.h"
#include "install/ZoneGridColumn.h"
#include "store/Database.h"
#include "store/MonitorSetsStore.h"

#include <QStringList>

namespace kelvara::install {

// The zones as an editable table in Room order, with the delay rule applied to every edit.
class ZoneGridModel final : public StoredGridModel<store::MonitorSetsStore, store::MonitorSetsRow> {
public:
    ZoneGridModel(const store::Database& kvr, const base::Clock& clock, base::UserDialogs& dialogs,
                  QObject* parent = nullptr);

    [[nodiscard]] const store::MonitorSetsRow* zone(int row) const { return rowAt(row); }
    bool removeZone(int row) { return removeStoredRow(row); }
    void reload() { reloadRows(); }

    // The longest texts the text columns take, as the table's fields were sized.
    static constexpr int kNameLength = 50;
    static constexpr int kSerialLength = 16;
};

} // namespace kelvara::install
