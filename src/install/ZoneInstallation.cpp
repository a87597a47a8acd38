#include "install/ZoneInstallation.h"

#include "app/KvrIniFile.h"
#include "store/AlarmPanelStore.h"
#include "store/MonitorSetsStore.h"
#include "store/SystemStore.h"

#include <QDir>

namespace kelvara::install {

namespace {

SensorInstallation::Side zoneSide(const sensornet::AdapterCommands& commands) {
    SensorInstallation::Side side;
    side.sensorSearch = sensornet::DeviceSearch::All;
    side.sensorFamilies = commands.TempSensorCmd;
    side.saveQuestion = ZoneInstallation::kSaveQuestion;
    side.droppedQuestion = ZoneInstallation::kDroppedQuestion;
    side.panelQuestion = ZoneInstallation::kPanelQuestion;
    side.restartAdvice = ZoneInstallation::kRestartAdvice;
    side.testQuestion = ZoneInstallation::kTestQuestion;
    side.lampLimit = 0;
    // One bus reset, then five toggles: each lamp blinks and ends the other way round.
    side.resetBeforeEachSend = false;
    side.sendsPerLamp = 5;
    return side;
}

ZoneWorkingRow fromStored(const store::MonitorSetsRow& zone) {
    ZoneWorkingRow row;
    row.Room = zone.Room;
    row.Name = zone.Name;
    row.Alarm = zone.Alarm;
    row.LowAlarm = zone.LowAlarm;
    row.HighAlarm = zone.HighAlarm;
    row.Record = zone.Record;
    row.AlarmStarted = zone.Alarmstarted;
    row.AlarmDelay = zone.AlarmDelay;
    row.AlarmOn = zone.AlarmOn;
    row.DisableAlarm = zone.DisableAlarm;
    row.Duration = zone.Duration;
    row.Calibration = zone.Calibration;
    row.AlarmSerialNo = zone.ALarmSerialNo;
    row.AlarmPanelID = zone.ALarmPanelID;
    return row;
}

// The installation's columns of a zone; the ones it does not own (the last reading) stay as they were.
void writeInto(store::MonitorSetsRow& zone, const ZoneWorkingRow& row) {
    zone.Room = row.Room;
    zone.Name = row.Name;
    zone.SerialNo = row.SerialNo;
    zone.Alarm = row.Alarm;
    zone.LowAlarm = row.LowAlarm;
    zone.HighAlarm = row.HighAlarm;
    zone.Record = row.Record;
    zone.Alarmstarted = row.AlarmStarted;
    zone.AlarmDelay = row.AlarmDelay;
    zone.AlarmOn = row.AlarmOn;
    zone.DisableAlarm = row.DisableAlarm;
    zone.Duration = row.Duration;
    zone.Calibration = row.Calibration;
    zone.AlarmLedNo = row.Room;
    zone.ALarmSerialNo = row.AlarmSerialNo;
    zone.ALarmPanelID = row.AlarmPanelID;
}

QStringList serialNos(const std::vector<store::MonitorSetsRow>& zones) {
    QStringList ids;
    for (const store::MonitorSetsRow& zone : zones)
        ids << zone.SerialNo;
    return ids;
}

} // namespace

ZoneInstallation::ZoneInstallation(app::AppContext& ctx, sensornet::AdapterLink& link,
                                   base::UserDialogs& dialogs)
    : SensorInstallation(ctx, link, dialogs, zoneSide(ctx.commands)) {}

QStringList ZoneInstallation::workingIds() const {
    QStringList ids;
    for (const ZoneWorkingRow& row : m_rows)
        ids << row.SerialNo;
    return ids;
}

base::Result<void> ZoneInstallation::addSensor(const QString& romId) {
    ZoneWorkingRow row;
    base::Result<void> looked;
    if (database() != nullptr) {
        const auto stored = store::MonitorSetsStore(*database()).findBySerialNo(romId);
        if (!stored)
            looked = stored.failure();
        else if (*stored)
            row = fromStored(**stored);
    }
    row.SerialNo = romId;
    m_rows.push_back(row);
    return looked;
}

base::Result<QStringList> ZoneInstallation::droppedSensors() const {
    const auto stored = store::MonitorSetsStore(*database()).loadAll();
    if (!stored)
        return stored.failure();
    QStringList lines;
    for (const std::size_t i : matchRows(serialNos(*stored), workingIds()).unclaimed) {
        const store::MonitorSetsRow& zone = (*stored)[i];
        lines << QStringLiteral("Zone %1  %2").arg(zone.Room).arg(zone.Name);
    }
    return lines;
}

base::Result<void> ZoneInstallation::writeSensors() {
    const store::MonitorSetsStore zones(*database());
    auto stored = zones.loadAll();
    if (!stored)
        return stored.failure();
    // A sensor keeps its own row, so what the installation does not write (the last reading) stays with it
    // and never passes to another sensor.
    const RowMatch match = matchRows(serialNos(*stored), workingIds());
    const auto written =
        writeMatched(zones, *stored, match,
                     [this](store::MonitorSetsRow& zone, std::size_t i) { writeInto(zone, m_rows[i]); });
    if (!written.ok())
        return written;
    const store::SystemStore system(*database());
    if (auto ensured = system.ensureRow(); !ensured.ok())
        return ensured;
    return system.saveRooms(sensorCount());
}

std::vector<InstallProblem> ZoneInstallation::afterSensorsSaved() {
    m_ctx.settings.Zones = static_cast<std::int16_t>(sensorCount());
    // The file is rewritten only after the tables are committed, so a failed Save leaves it as it was.
    const QString path = QDir(m_ctx.siteDir).filePath(app::KvrIniFile::kFileName);
    if (const auto rewritten = app::KvrIniFile::rewriteZones(path, sensorCount()); !rewritten.ok())
        return {{std::nullopt, QStringLiteral("%1 could not be rewritten: %2").arg(path, rewritten.error())}};
    return {};
}

base::Result<int> ZoneInstallation::lampNumber(const QString& romId) const {
    if (database() == nullptr)
        return 0;
    const auto zone = store::MonitorSetsStore(*database()).findByAlarmSerialNo(romId);
    if (!zone)
        return zone.failure();
    if (*zone)
        return (*zone)->Room;
    const auto lamp = store::AlarmPanelStore(*database()).findBySerialNo(romId);
    if (!lamp)
        return lamp.failure();
    return *lamp ? (*lamp)->AlarmLedNo : 0;
}

base::Result<void> ZoneInstallation::writePanel() {
    const store::AlarmPanelStore panel(*database());
    const store::MonitorSetsStore zones(*database());
    const auto stored = panel.loadAll();
    if (!stored)
        return stored.failure();
    const auto written =
        writeInOrder(panel, *stored, lamps().size(), [this](store::AlarmPanelRow& row, std::size_t i) {
            row.AlarmLedNo = lamps()[i].AlarmLedNo;
            row.ALarmSerialNo = lamps()[i].AlarmSerialNo;
            row.ALarmPanelID = 0;
        });
    if (!written.ok())
        return written;
    for (const LampRow& lamp : lamps()) {
        // 0 is a lamp nobody has numbered yet; it must not become the lamp of an unnumbered zone.
        if (lamp.AlarmLedNo == 0)
            continue;
        const auto zone = zones.findByRoom(lamp.AlarmLedNo);
        if (!zone)
            return zone.failure();
        if (*zone) {
            store::MonitorSetsRow updated = **zone;
            updated.ALarmSerialNo = lamp.AlarmSerialNo;
            if (auto saved = zones.update(updated); !saved.ok())
                return saved;
        }
    }
    return {};
}

} // namespace kelvara::install
