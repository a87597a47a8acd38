#include "store/ThermoSensorsStore.h"

namespace kelvara::store {

using namespace sqlvalue;

namespace {

const QString kOrder = QStringLiteral("ORDER BY \"SensorNo\", rowid");

ThermoSensorsRow fromRecord(const QSqlRecord& r) {
    ThermoSensorsRow row;
    row.id = rowid(r);
    row.SensorNo = toInteger(r.value(QStringLiteral("SensorNo")));
    row.Name = toText(r.value(QStringLiteral("Name")));
    row.SerialNo = toText(r.value(QStringLiteral("SerialNo")));
    row.LightSerialNo = toText(r.value(QStringLiteral("LightSerialNo")));
    row.SensorType = toText(r.value(QStringLiteral("SensorType")));
    row.Alarm = toFlag(r.value(QStringLiteral("Alarm")));
    row.Selected = toFlag(r.value(QStringLiteral("Selected")));
    row.Started = toFlag(r.value(QStringLiteral("Started")));
    row.Cookdone = toFlag(r.value(QStringLiteral("Cookdone")));
    row.Target = toInteger(r.value(QStringLiteral("Target")));
    row.FinishTemp = toText(r.value(QStringLiteral("FinishTemp")));
    row.BatchNo = toInteger(r.value(QStringLiteral("BatchNo")));
    row.BatchID = toText(r.value(QStringLiteral("BatchID")));
    row.ProductID = toInteger(r.value(QStringLiteral("ProductID")));
    row.Description = toText(r.value(QStringLiteral("Description")));
    row.StartTime = toText(r.value(QStringLiteral("StartTime")));
    row.EndTime = toText(r.value(QStringLiteral("EndTime")));
    row.CookHours = toNumber(r.value(QStringLiteral("CookHours")));
    row.CookMins = toNumber(r.value(QStringLiteral("CookMins")));
    row.LightNo = toInteger(r.value(QStringLiteral("LightNo")));
    row.LightPanelID = toInteger(r.value(QStringLiteral("LightPanelID")));
    return row;
}

ColumnValues columns(const ThermoSensorsRow& row) {
    // A numeric FinishTemp text is kept as a number by the column; "NR" stays text.
    return {{QStringLiteral("SensorNo"), row.SensorNo},
            {QStringLiteral("Name"), row.Name},
            {QStringLiteral("SerialNo"), row.SerialNo},
            {QStringLiteral("LightSerialNo"), row.LightSerialNo},
            {QStringLiteral("SensorType"), row.SensorType},
            {QStringLiteral("Alarm"), flag(row.Alarm)},
            {QStringLiteral("Selected"), flag(row.Selected)},
            {QStringLiteral("Started"), flag(row.Started)},
            {QStringLiteral("Cookdone"), flag(row.Cookdone)},
            {QStringLiteral("Target"), row.Target},
            {QStringLiteral("FinishTemp"), row.FinishTemp},
            {QStringLiteral("BatchNo"), row.BatchNo},
            {QStringLiteral("BatchID"), row.BatchID},
            {QStringLiteral("ProductID"), row.ProductID},
            {QStringLiteral("Description"), row.Description},
            {QStringLiteral("StartTime"), row.StartTime},
            {QStringLiteral("EndTime"), row.EndTime},
            {QStringLiteral("CookHours"), row.CookHours},
            {QStringLiteral("CookMins"), row.CookMins},
            {QStringLiteral("LightNo"), row.LightNo},
            {QStringLiteral("LightPanelID"), row.LightPanelID}};
}

} // namespace

ThermoSensorsStore::ThermoSensorsStore(const Database& database)
    : m_table(database, QStringLiteral("ThermoSensors")) {}

base::Result<std::vector<ThermoSensorsRow>> ThermoSensorsStore::loadAll() const {
    return m_table.selectRows(kOrder, {}, fromRecord);
}

base::Result<std::vector<ThermoSensorsRow>> ThermoSensorsStore::loadFree() const {
    return m_table.selectRows(QStringLiteral("WHERE NOT \"Selected\" ") + kOrder, {}, fromRecord);
}

base::Result<std::vector<ThermoSensorsRow>> ThermoSensorsStore::loadStarted() const {
    return m_table.selectRows(QStringLiteral("WHERE \"Started\" ") + kOrder, {}, fromRecord);
}

base::Result<std::optional<ThermoSensorsRow>> ThermoSensorsStore::findBySensorNo(int sensorNo) const {
    return m_table.selectFirst(QStringLiteral("WHERE \"SensorNo\" = ? ") + kOrder, {sensorNo}, fromRecord);
}

base::Result<std::optional<ThermoSensorsRow>>
ThermoSensorsStore::findBySerialNo(const QString& serialNo) const {
    return m_table.selectFirst(QStringLiteral("WHERE \"SerialNo\" = ? COLLATE NOCASE ") + kOrder, {serialNo},
                               fromRecord);
}

base::Result<std::optional<ThermoSensorsRow>>
ThermoSensorsStore::findByLightSerialNo(const QString& serialNo) const {
    return m_table.selectFirst(QStringLiteral("WHERE \"LightSerialNo\" = ? COLLATE NOCASE ") + kOrder,
                               {serialNo}, fromRecord);
}

base::Result<qint64> ThermoSensorsStore::insert(const ThermoSensorsRow& row) const {
    return m_table.insert(columns(row));
}

base::Result<void> ThermoSensorsStore::update(const ThermoSensorsRow& row) const {
    return m_table.update(row.id, columns(row));
}

base::Result<void> ThermoSensorsStore::remove(qint64 id) const {
    return m_table.remove(id);
}

} // namespace kelvara::store
