#pragma once

#include "install/CookWorkingRow.h"
#include "install/SensorInstallation.h"

#include <vector>

namespace kelvara::install {

// Installs the cook sensors into ThermoSensors (with their count in the cook side's Settings) and the cook
// cycle panel's lamp switches into LightPanel.
class CookInstallation final : public SensorInstallation {
public:
    CookInstallation(app::AppContext& ctx, sensornet::AdapterLink& link, base::UserDialogs& dialogs);

    [[nodiscard]] std::vector<CookWorkingRow>& rows() { return m_rows; }
    [[nodiscard]] const std::vector<CookWorkingRow>& rows() const { return m_rows; }
    [[nodiscard]] int sensorCount() const override { return static_cast<int>(m_rows.size()); }

    static inline const QString kSaveQuestion =
        QStringLiteral("This will overwrite your current Sensor Serial Numbers ") +
        QStringLiteral("with the ones you see above.  Continue?");
    static inline const QString kDroppedQuestion =
        QStringLiteral("These cook sensors were not found on the bus. Saving now deletes their settings. Do "
                       "you wish to delete them?");
    static inline const QString kPanelQuestion =
        QStringLiteral("Temperature sensor information saved. Do you wish to setup the Cook Cycle Panel?");
    static inline const QString kRestartAdvice =
        QStringLiteral("It is recommended that you close the Temperature Monitoring Program and restart it.");
    static inline const QString kTestQuestion =
        QStringLiteral("Cook Cycle Panel information saved. Do you wish test the panel now?");
    // The cook cycle panel has no more lamps than this.
    static constexpr int kMostLamps = 20;

protected:
    [[nodiscard]] store::Database* database() const override { return m_ctx.databases.thermo.get(); }
    void clearSensors() override { m_rows.clear(); }
    [[nodiscard]] base::Result<void> addSensor(const QString& romId) override;
    [[nodiscard]] base::Result<QStringList> droppedSensors() const override;
    [[nodiscard]] base::Result<void> writeSensors() override;
    [[nodiscard]] base::Result<int> lampNumber(const QString& romId) const override;
    [[nodiscard]] base::Result<void> writePanel() override;

private:
    [[nodiscard]] QStringList workingIds() const;

    std::vector<CookWorkingRow> m_rows;
};

} // namespace kelvara::install
