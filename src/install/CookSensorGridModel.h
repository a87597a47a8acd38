#pragma once

#include "base/UserDialogs.h"
#include "install/StoredGridModel.h"
#include "store/Database.h"
#include "store/ThermoSensorsStore.h"

namespace kelvara::install {

// The installed cook sensors as an editable table in SensorNo order.
class CookSensorGridModel final : public StoredGridModel<store::ThermoSensorsStore, store::ThermoSensorsRow> {
public:
    CookSensorGridModel(const store::Database& thermo, base::UserDialogs& dialogs, QObject* parent = nullptr);

    [[nodiscard]] const store::ThermoSensorsRow* sensor(int row) const { return rowAt(row); }
    bool removeSensor(int row) { return removeStoredRow(row); }

    // The longest texts the text columns take, as the installation writes them.
    static constexpr int kNameLength = 20;
    static constexpr int kSerialLength = 16;
};

} // namespace kelvara::install
