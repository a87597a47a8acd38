#include "install/CookInstallation.h"

#include "store/CookSettingsStore.h"
#include "store/LightPanelStore.h"
#include "store/ThermoSensorsStore.h"

namespace kelvara::install {

namespace {

SensorInstallation::Side cookSide(const sensornet::AdapterCommands& commands) {
    SensorInstallation::Side side;
    side.sensorSearch = sensornet::DeviceSearch::Thermocouples;
    side.sensorFamilies = commands.ThermoSensorCmd;
    side.saveQuestion = CookInstallation::kSaveQuestion;
    side.droppedQuestion = CookInstallation::kDroppedQuestion;
    side.panelQuestion = CookInstallation::kPanelQuestion;
    side.restartAdvice = CookInstallation::kRestartAdvice;
    side.testQuestion = CookInstallation::kTestQuestion;
    side.lampLimit = CookInstallation::kMostLamps;
    // A reset before each of four toggles: each lamp blinks twice and ends as it was.
    side.resetBeforeEachSend = true;
    side.sendsPerLamp = 4;
    return side;
}

// The installation's columns of a cook sensor; the ones it does not own (the cook cycle the sensor runs)
// stay as they were.
void writeInto(store::ThermoSensorsRow& sensor, const CookWorkingRow& row) {
    sensor.SensorNo = row.SensorNo;
    sensor.SensorType = row.SensorType;
    sensor.Name = row.Name;
    sensor.SerialNo = row.SerialNo;
    sensor.LightNo = row.LightNo;
    sensor.LightSerialNo = row.LightSerialNo;
    sensor.LightPanelID = row.LightPanelID;
}

QStringList serialNos(const std::vector<store::ThermoSensorsRow>& sensors) {
    QStringList ids;
    for (const store::ThermoSensorsRow& sensor : sensors)
        ids << sensor.SerialNo;
    return ids;
}

} // namespace

CookInstallation::CookInstallation(app::AppContext& ctx, sensornet::AdapterLink& link,
                                   base::UserDialogs& dialogs)
    : SensorInstallation(ctx, link, dialogs, cookSide(ctx.commands)) {}

QStringList CookInstallation::workingIds() const {
    QStringList ids;
    for (const CookWorkingRow& row : m_rows)
        ids << row.SerialNo;
    return ids;
}

base::Result<void> CookInstallation::addSensor(const QString& romId) {
    CookWorkingRow row;
    base::Result<void> looked;
    if (database() != nullptr) {
        const auto stored = store::ThermoSensorsStore(*database()).findBySerialNo(romId);
        if (!stored) {
            looked = stored.failure();
        } else if (*stored) {
            const store::ThermoSensorsRow& sensor = **stored;
            row.SensorNo = sensor.SensorNo;
            row.SensorType = sensor.SensorType;
            row.Name = sensor.Name;
            row.LightNo = sensor.LightNo;
            row.LightSerialNo = sensor.LightSerialNo;
            row.LightPanelID = sensor.LightPanelID;
        }
    }
    row.SerialNo = romId;
    m_rows.push_back(row);
    return looked;
}

base::Result<QStringList> CookInstallation::droppedSensors() const {
    const auto stored = store::ThermoSensorsStore(*database()).loadAll();
    if (!stored)
        return stored.failure();
    QStringList lines;
    for (const std::size_t i : matchRows(serialNos(*stored), workingIds()).unclaimed) {
        const store::ThermoSensorsRow& sensor = (*stored)[i];
        lines << QStringLiteral("Sensor %1  %2").arg(sensor.SensorNo).arg(sensor.Name);
    }
    return lines;
}

base::Result<void> CookInstallation::writeSensors() {
    const store::ThermoSensorsStore sensors(*database());
    const auto stored = sensors.loadAll();
    if (!stored)
        return stored.failure();
    // A sensor keeps its own row, so a running cook cycle stays on the sensor that runs it.
    const RowMatch match = matchRows(serialNos(*stored), workingIds());
    const auto written =
        writeMatched(sensors, *stored, match, [this](store::ThermoSensorsRow& sensor, std::size_t i) {
            writeInto(sensor, m_rows[i]);
        });
    if (!written.ok())
        return written;
    const store::CookSettingsStore settings(*database());
    if (auto ensured = settings.ensureRow(); !ensured.ok())
        return ensured;
    return settings.saveHouses(sensorCount());
}

base::Result<int> CookInstallation::lampNumber(const QString& romId) const {
    if (database() == nullptr)
        return 0;
    const auto sensor = store::ThermoSensorsStore(*database()).findByLightSerialNo(romId);
    if (!sensor)
        return sensor.failure();
    if (*sensor)
        return (*sensor)->SensorNo;
    const auto lamp = store::LightPanelStore(*database()).findBySerialNo(romId);
    if (!lamp)
        return lamp.failure();
    return *lamp ? (*lamp)->LightNo : 0;
}

base::Result<void> CookInstallation::writePanel() {
    const store::LightPanelStore panel(*database());
    const store::ThermoSensorsStore sensors(*database());
    const auto stored = panel.loadAll();
    if (!stored)
        return stored.failure();
    const auto written =
        writeInOrder(panel, *stored, lamps().size(), [this](store::LightPanelRow& row, std::size_t i) {
            row.LightNo = lamps()[i].AlarmLedNo;
            row.LightSerialNo = lamps()[i].AlarmSerialNo;
            row.LightPanelID = 0;
        });
    if (!written.ok())
        return written;
    for (const LampRow& lamp : lamps()) {
        // 0 is a lamp nobody has numbered yet; it must not become the lamp of an unnumbered sensor.
        if (lamp.AlarmLedNo == 0)
            continue;
        const auto sensor = sensors.findBySensorNo(lamp.AlarmLedNo);
        if (!sensor)
            return sensor.failure();
        if (*sensor) {
            store::ThermoSensorsRow updated = **sensor;
            updated.LightSerialNo = lamp.AlarmSerialNo;
            if (auto saved = sensors.update(updated); !saved.ok())
                return saved;
        }
    }
    return {};
}

} // namespace kelvara::install
