#include "install/CookSensorGridModel.h"

namespace kelvara::install {

namespace {

using Row = store::ThermoSensorsRow;
using Field = StoredGridModel<store::ThermoSensorsStore, Row>::Field;

std::vector<Field> fields() {
    const int name = CookSensorGridModel::kNameLength;
    const int serial = CookSensorGridModel::kSerialLength;
    return {
        {"Sensor #", CellKind::Integer, 0, [](const Row& r) { return QVariant(r.SensorNo); },
         [](Row& r, const QVariant& v) { r.SensorNo = v.toInt(); }},
        {"Name", CellKind::Text, name, [](const Row& r) { return QVariant(r.Name); },
         [](Row& r, const QVariant& v) { r.Name = v.toString(); }},
        {"Serial #", CellKind::Text, serial, [](const Row& r) { return QVariant(r.SerialNo); },
         [](Row& r, const QVariant& v) { r.SerialNo = v.toString().trimmed(); }},
        // The thermocouple type letter: B, E, J, K, N, R, S or T.
        {"Type", CellKind::Text, 1, [](const Row& r) { return QVariant(r.SensorType); },
         [](Row& r, const QVariant& v) { r.SensorType = v.toString().trimmed().toUpper(); }},
        {"Light", CellKind::Integer, 0, [](const Row& r) { return QVariant(r.LightNo); },
         [](Row& r, const QVariant& v) { r.LightNo = v.toInt(); }},
        {"Light Serial #", CellKind::Text, serial, [](const Row& r) { return QVariant(r.LightSerialNo); },
         [](Row& r, const QVariant& v) { r.LightSerialNo = v.toString().trimmed(); }},
    };
}

} // namespace

CookSensorGridModel::CookSensorGridModel(const store::Database& thermo, base::UserDialogs& dialogs,
                                         QObject* parent)
    : StoredGridModel(store::ThermoSensorsStore(thermo), dialogs, fields(), {}, parent) {}

} // namespace kelvara::install
