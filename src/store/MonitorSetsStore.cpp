#include "store/MonitorSetsStore.h"

namespace kelvara::store {

using namespace sqlvalue;

namespace {

// Rows of the same Room keep the order they were added in.
const QString kOrder = QStringLiteral("ORDER BY \"Room\", rowid");

MonitorSetsRow fromRecord(const QSqlRecord& r) {
    MonitorSetsRow row;
    row.id = rowid(r);
    row.Room = toInteger(r.value(QStringLiteral("Room")));
    row.Name = toText(r.value(QStringLiteral("Name")));
    row.SerialNo = toText(r.value(QStringLiteral("SerialNo")));
    row.Calibration = toNumber(r.value(QStringLiteral("Calibration")));
    row.Record = toFlag(r.value(QStringLiteral("Record")));
    row.CurrentTemp = toText(r.value(QStringLiteral("CurrentTemp")));
    row.TimeRead = toTime(r.value(QStringLiteral("TimeRead")));
    row.Alarm = toFlag(r.value(QStringLiteral("Alarm")));
    row.HighAlarm = toOptionalNumber(r.value(QStringLiteral("HighAlarm")));
    row.LowAlarm = toOptionalNumber(r.value(QStringLiteral("LowAlarm")));
    row.AlarmDelay = toInteger(r.value(QStringLiteral("AlarmDelay")));
    row.Alarmstarted = toFlag(r.value(QStringLiteral("Alarmstarted")));
    row.AlarmOn = toTime(r.value(QStringLiteral("AlarmOn")));
    row.DisableAlarm = toFlag(r.value(QStringLiteral("DisableAlarm")));
    row.Duration = toInteger(r.value(QStringLiteral("Duration")));
    row.ALarmSerialNo = toText(r.value(QStringLiteral("ALarmSerialNo")));
    row.AlarmLedNo = toInteger(r.value(QStringLiteral("AlarmLedNo")));
    row.ALarmPanelID = toInteger(r.value(QStringLiteral("ALarmPanelID")));
    return row;
}

ColumnValues columns(const MonitorSetsRow& row) {
    return {{QStringLiteral("Room"), row.Room},
            {QStringLiteral("Name"), row.Name},
            {QStringLiteral("SerialNo"), row.SerialNo},
            {QStringLiteral("Calibration"), row.Calibration},
            {QStringLiteral("Record"), flag(row.Record)},
            {QStringLiteral("CurrentTemp"), row.CurrentTemp},
            {QStringLiteral("TimeRead"), time(row.TimeRead)},
            {QStringLiteral("Alarm"), flag(row.Alarm)},
            {QStringLiteral("HighAlarm"), number(row.HighAlarm)},
            {QStringLiteral("LowAlarm"), number(row.LowAlarm)},
            {QStringLiteral("AlarmDelay"), row.AlarmDelay},
            {QStringLiteral("Alarmstarted"), flag(row.Alarmstarted)},
            {QStringLiteral("AlarmOn"), time(row.AlarmOn)},
            {QStringLiteral("DisableAlarm"), flag(row.DisableAlarm)},
            {QStringLiteral("Duration"), row.Duration},
            {QStringLiteral("ALarmSerialNo"), row.ALarmSerialNo},
            {QStringLiteral("AlarmLedNo"), row.AlarmLedNo},
            {QStringLiteral("ALarmPanelID"), row.ALarmPanelID}};
}

// What a reading pass changes in a zone: its reading and its alarm state.
ColumnValues readingColumns(const MonitorSetsRow& row) {
    return {{QStringLiteral("CurrentTemp"), row.CurrentTemp},
            {QStringLiteral("TimeRead"), time(row.TimeRead)},
            {QStringLiteral("Alarmstarted"), flag(row.Alarmstarted)},
            {QStringLiteral("AlarmOn"), time(row.AlarmOn)},
            {QStringLiteral("DisableAlarm"), flag(row.DisableAlarm)},
            {QStringLiteral("Duration"), row.Duration}};
}

} // namespace

MonitorSetsStore::MonitorSetsStore(const Database& database)
    : m_table(database, QStringLiteral("MonitorSets")) {}

base::Result<std::vector<MonitorSetsRow>> MonitorSetsStore::loadAll() const {
    return m_table.selectRows(kOrder, {}, fromRecord);
}

base::Result<int> MonitorSetsStore::count() const {
    return m_table.count();
}

base::Result<std::optional<MonitorSetsRow>> MonitorSetsStore::findByRoom(int room) const {
    return m_table.selectFirst(QStringLiteral("WHERE \"Room\" = ? ") + kOrder, {room}, fromRecord);
}

// ROM ids are compared without regard to letter case, like every text lookup of the program.
base::Result<std::optional<MonitorSetsRow>> MonitorSetsStore::findBySerialNo(const QString& serialNo) const {
    return m_table.selectFirst(QStringLiteral("WHERE \"SerialNo\" = ? COLLATE NOCASE ") + kOrder, {serialNo},
                               fromRecord);
}

base::Result<std::optional<MonitorSetsRow>>
MonitorSetsStore::findByAlarmSerialNo(const QString& serialNo) const {
    return m_table.selectFirst(QStringLiteral("WHERE \"ALarmSerialNo\" = ? COLLATE NOCASE ") + kOrder,
                               {serialNo}, fromRecord);
}

base::Result<qint64> MonitorSetsStore::insert(const MonitorSetsRow& row) const {
    return m_table.insert(columns(row));
}

base::Result<void> MonitorSetsStore::update(const MonitorSetsRow& row) const {
    return m_table.update(row.id, columns(row));
}

base::Result<void> MonitorSetsStore::updateReading(const MonitorSetsRow& row) const {
    return m_table.update(row.id, readingColumns(row));
}

base::Result<void> MonitorSetsStore::remove(qint64 id) const {
    return m_table.remove(id);
}

} // namespace kelvara::store
