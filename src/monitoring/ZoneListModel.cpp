#include "monitoring/ZoneListModel.h"

namespace kelvara::monitoring {

namespace {

QString flagText(bool value) {
    return value ? QStringLiteral("True") : QStringLiteral("False");
}

QString limitText(const std::optional<double>& limit) {
    return limit ? QString::number(*limit) : QString();
}

bool sameZone(const store::MonitorSetsRow& a, const store::MonitorSetsRow& b) {
    return a.Room == b.Room && a.SerialNo.trimmed().compare(b.SerialNo.trimmed(), Qt::CaseInsensitive) == 0;
}

} // namespace

ZoneListModel::ZoneListModel(const ZoneAlarmState& state, QObject* parent)
    : QAbstractTableModel(parent), m_state(state) {}

void ZoneListModel::load(const std::vector<store::MonitorSetsRow>& zones) {
    std::vector<Row> rows;
    for (const store::MonitorSetsRow& zone : zones)
        rows.push_back({zone, kNotReadYet});
    replace(std::move(rows));
}

void ZoneListModel::reload(const std::vector<store::MonitorSetsRow>& zones) {
    std::vector<Row> rows;
    for (const store::MonitorSetsRow& zone : zones) {
        QString reading = kNoReading;
        for (const Row& shown : m_rows) {
            if (sameZone(shown.zone, zone)) {
                reading = shown.reading;
                break;
            }
        }
        rows.push_back({zone, reading});
    }
    replace(std::move(rows));
}

void ZoneListModel::replace(std::vector<Row> rows) {
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
}

void ZoneListModel::setReading(int row, const store::MonitorSetsRow& zone, const QString& shown) {
    if (row < 0 || row >= rowCount())
        return;
    m_rows[static_cast<std::size_t>(row)] = {zone, shown};
    rowChanged(row);
}

void ZoneListModel::setAllReadings(const QString& shown) {
    for (Row& row : m_rows)
        row.reading = shown;
    alarmStateChanged();
}

void ZoneListModel::alarmStateChanged() {
    if (!m_rows.empty())
        emit dataChanged(index(0, 0), index(rowCount() - 1, ColumnCount - 1));
}

void ZoneListModel::setDuration(int row, int hours) {
    if (row < 0 || row >= rowCount())
        return;
    m_rows[static_cast<std::size_t>(row)].zone.Duration = hours;
    rowChanged(row);
}

void ZoneListModel::setUnit(const QString& caption) {
    m_unit = caption;
    emit headerDataChanged(Qt::Horizontal, Temp, Temp);
}

void ZoneListModel::rowChanged(int row) {
    emit dataChanged(index(row, 0), index(row, ColumnCount - 1));
}

const store::MonitorSetsRow* ZoneListModel::zone(int row) const {
    return row >= 0 && row < rowCount() ? &m_rows[static_cast<std::size_t>(row)].zone : nullptr;
}

QString ZoneListModel::reading(int row) const {
    return row >= 0 && row < rowCount() ? m_rows[static_cast<std::size_t>(row)].reading : QString();
}

int ZoneListModel::rowOfRoom(int room) const {
    for (int row = 0; row < rowCount(); ++row) {
        if (m_rows[static_cast<std::size_t>(row)].zone.Room == room)
            return row;
    }
    return -1;
}

bool ZoneListModel::disabled(int row) const {
    return ZoneAlarmState::validZone(row) && m_state.ZoneAlarmDisabled[static_cast<std::size_t>(row)];
}

ZoneListModel::RowState ZoneListModel::rowState(int row) const {
    if (!ZoneAlarmState::validZone(row) || row >= rowCount())
        return RowState::Normal;
    // A disabled zone shows as such even while raised; a raised zone is drawn so only while some zone is
    // outside its limits in the current pass.
    if (disabled(row))
        return RowState::Disabled;
    if (m_state.ZoneAlarmRaised[static_cast<std::size_t>(row)] && m_state.AlarmCondition)
        return RowState::Raised;
    return RowState::Normal;
}

bool ZoneListModel::anyRaised() const {
    for (int row = 0; row < rowCount(); ++row) {
        if (rowState(row) == RowState::Raised)
            return true;
    }
    return false;
}

int ZoneListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int ZoneListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant ZoneListModel::data(const QModelIndex& index, int role) const {
    const store::MonitorSetsRow* z = zone(index.row());
    if (!z)
        return {};
    if (role == RowStateRole)
        return static_cast<int>(rowState(index.row()));
    if (role != Qt::DisplayRole)
        return {};
    const bool off = disabled(index.row());
    switch (index.column()) {
    case Zone:
        return QString::number(z->Room);
    case Name:
        return z->Name;
    case Temp:
        return reading(index.row());
    case SerialNo:
        return z->SerialNo;
    case Record:
        return flagText(z->Record);
    case Alarm:
        return flagText(z->Alarm);
    case HighAlarm:
        return limitText(z->HighAlarm);
    case LowAlarm:
        return limitText(z->LowAlarm);
    case Duration:
        // The hours count only while the disable lasts.
        return QString::number(off ? z->Duration : 0);
    case AlarmSerialNo:
        return z->ALarmSerialNo;
    case DisableAlarm:
        return flagText(off);
    default:
        return {};
    }
}

QVariant ZoneListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    static const QStringList captions{"Zone",     "Monitoring Room", "Temp",        "SerialNo",
                                      "Record",   "Alarm",           "HighAlarm",   "LowAlarm",
                                      "Duration", "ALarmSerialNo",   "DisableAlarm"};
    if (section == Temp)
        return m_unit;
    return section >= 0 && section < captions.size() ? QVariant(captions.at(section)) : QVariant();
}

} // namespace kelvara::monitoring
