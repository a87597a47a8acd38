#pragma once

#include "install/SensorInstallation.h"
#include "install/ZoneWorkingRow.h"

#include <vector>

namespace kelvara::install {

// Installs the zone temperature sensors into MonitorSets (with the zone count in System and KVR.INI) and
// the alarm panel's lamp switches into AlarmPanel.
class ZoneInstallation final : public SensorInstallation {
public:
    ZoneInstallation(app::AppContext& ctx, sensornet::AdapterLink& link, base::UserDialogs& dialogs);

    [[nodiscard]] std::vector<ZoneWorkingRow>& rows() { return m_rows; }
    [[nodiscard]] const std::vector<ZoneWorkingRow>& rows() const { return m_rows; }
    [[nodiscard]] int sensorCount() const override { return static_cast<int>(m_rows.size()); }

    static inline const QString kSaveQuestion =
        QStringLiteral("This will overwrite your current Zone Settings and Sensor Serial Numbers ") +
        QStringLiteral("with the ones you see above.  You should double check the Temperature Zone "
                       "Configuration once completed.");
    static inline const QString kDroppedQuestion =
        QStringLiteral("The sensors of these zones were not found on the bus. Saving now deletes their zone "
                       "settings. Do you wish to delete them?");
    static inline const QString kPanelQuestion =
        QStringLiteral("Temperature sensor information saved. Do you wish to setup the Alarm Panel?");
    static inline const QString kRestartAdvice =
        QStringLiteral("It is recommended that you close the Data Logger Program and restart it.");
    static inline const QString kTestQuestion =
        QStringLiteral("ALarm Panel information saved. Do you wish test the Alarm Panel?");

protected:
    [[nodiscard]] store::Database* database() const override { return m_ctx.databases.kvr.get(); }
    void clearSensors() override { m_rows.clear(); }
    [[nodiscard]] base::Result<void> addSensor(const QString& romId) override;
    [[nodiscard]] base::Result<QStringList> droppedSensors() const override;
    [[nodiscard]] base::Result<void> writeSensors() override;
    [[nodiscard]] std::vector<InstallProblem> afterSensorsSaved() override;
    [[nodiscard]] base::Result<int> lampNumber(const QString& romId) const override;
    [[nodiscard]] base::Result<void> writePanel() override;

private:
    [[nodiscard]] QStringList workingIds() const;

    std::vector<ZoneWorkingRow> m_rows;
};

} // namespace kelvara::install
