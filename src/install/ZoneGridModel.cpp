#include "install/ZoneGridModel.h"

#include "install/ZoneConfiguration.h"
#include "install/ZoneGridColumn.h"

namespace kelvara::install {

namespace {

using Row = store::MonitorSetsRow;
using Field = StoredGridModel<store::MonitorSetsStore, Row>::Field;

QVariant limit(const std::optional<double>& value) {
    return value ? QVariant(*value) : QVariant(QString());
}

// In the order of ZoneGridColumn.
std::vector<Field> fields() {
    return {
        {"Zone", CellKind::Integer, 0, [](const Row& r) { return QVariant(r.Room); },
         [](Row& r, const QVariant& v) { r.Room = v.toInt(); }},
        {"Name", CellKind::Text, ZoneGridModel::kNameLength, [](const Row& r) { return QVariant(r.Name); },
         [](Row& r, const QVariant& v) { r.Name = v.toString(); }},
        {"Serial #", CellKind::Text, ZoneGridModel::kSerialLength,
         [](const Row& r) { return QVariant(r.SerialNo); },
         [](Row& r, const QVariant& v) { r.SerialNo = v.toString(); }},
        {"Alarm", CellKind::Flag, 0, [](const Row& r) { return QVariant(r.Alarm); },
         [](Row& r, const QVariant& v) { r.Alarm = v.toBool(); }},
        {"Low", CellKind::Number, 0, [](const Row& r) { return limit(r.LowAlarm); },
         [](Row& r, const QVariant& v) { r.LowAlarm = v.toDouble(); }},
        {"High", CellKind::Number, 0, [](const Row& r) { return limit(r.HighAlarm); },
         [](Row& r, const QVariant& v) { r.HighAlarm = v.toDouble(); }},
        {"Delay (Min)", CellKind::Integer, 0, [](const Row& r) { return QVariant(r.AlarmDelay); },
         [](Row& r, const QVariant& v) { r.AlarmDelay = v.toInt(); }},
        {"Record", CellKind::Flag, 0, [](const Row& r) { return QVariant(r.Record); },
         [](Row& r, const QVariant& v) { r.Record = v.toBool(); }},
        {"Calibrate", CellKind::Number, 0, [](const Row& r) { return QVariant(r.Calibration); },
         [](Row& r, const QVariant& v) { r.Calibration = v.toDouble(); }},
        {"Alarm Led #", CellKind::Integer, 0, [](const Row& r) { return QVariant(r.AlarmLedNo); },
         [](Row& r, const QVariant& v) { r.AlarmLedNo = v.toInt(); }},
    };
}

} // namespace

ZoneGridModel::ZoneGridModel(const store::Database& kvr, const base::Clock& clock, base::UserDialogs& dialogs,
                             QObject* parent)
    : StoredGridModel(
          store::MonitorSetsStore(kvr), dialogs, fields(),
          [&clock](Row& row, int column, const QVariant& value) {
              ZoneConfiguration::applyDelayRule(row, column, value, clock);
          },
          parent) {}

} // namespace kelvara::install
