#include "cook/CookCycleList.h"

#include "store/ThermoSensorsStore.h"

#include <algorithm>

namespace kelvara::cook {

CookCycleList::CookCycleList(QObject* parent) : QAbstractTableModel(parent) {}

int CookCycleList::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : size();
}

int CookCycleList::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant CookCycleList::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= size() || role != Qt::DisplayRole)
        return {};
    const ThermoRow& r = row(index.row());
    switch (index.column()) {
    case ColCookDone:
        return r.CookDone ? QStringLiteral("True") : QStringLiteral("False");
    case ColSensorNo:
        return r.SensorNo;
    case ColProduct:
        return r.Product;
    case ColTarget:
        return r.Target;
    case ColCurrent:
        return r.CurrentTemp;
    default:
        return {};
    }
}

QVariant CookCycleList::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (section) {
    case ColProduct:
        return QStringLiteral("Product");
    case ColTarget:
        return QStringLiteral("Target");
    case ColCurrent:
        return QStringLiteral("Current");
    default:
        return QString();
    }
}

void CookCycleList::setRow(int i, const ThermoRow& r) {
    m_rows.at(static_cast<std::size_t>(i)) = r;
    Q_EMIT dataChanged(index(i, 0), index(i, ColumnCount - 1));
}

int CookCycleList::indexOfSensor(int sensorNo) const {
    const auto it = std::find_if(m_rows.begin(), m_rows.end(),
                                 [sensorNo](const ThermoRow& r) { return r.SensorNo == sensorNo; });
    return it == m_rows.end() ? -1 : static_cast<int>(it - m_rows.begin());
}

ThermoRow CookCycleList::fromSensor(const store::ThermoSensorsRow& s) {
    ThermoRow r;
    r.SensorNo = s.SensorNo;
    r.Name = s.Name;
    r.Target = s.Target;
    r.ProductID = s.ProductID;
    r.Product = s.Description;
    r.Hours = s.CookHours;
    r.Minutes = s.CookMins;
    r.StartTime = s.StartTime;
    r.EndTime = s.EndTime;
    r.CookDone = s.Cookdone;
    r.BatchNo = s.BatchNo;
    r.BatchID = s.BatchID;
    r.SerialNo = s.SerialNo;
    r.LightSerialNo = s.LightSerialNo;
    r.Alarm = s.Alarm;
    r.SensorType = s.SensorType;
    return r;
}

void CookCycleList::replaceAll(std::vector<ThermoRow> rows) {
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
    for (int s = 1; s <= kMaxSensor; ++s)
        if (indexOfSensor(s) < 0) {
            ThermoDone[s] = false;
            ThermoSound[s] = false;
            LightSerial[s].clear();
        }
    recomputeCookDone();
    setCurrent(m_rows.empty() ? -1 : std::clamp(m_current, 0, size() - 1));
}

void CookCycleList::append(const ThermoRow& r) {
    beginInsertRows({}, size(), size());
    m_rows.push_back(r);
    endInsertRows();
}

void CookCycleList::removeAt(int i) {
    beginRemoveRows({}, i, i);
    m_rows.erase(m_rows.begin() + i);
    endRemoveRows();
    // The panel goes back to the first cycle (or hides); it shows another row even when the index stays.
    m_current = m_rows.empty() ? -1 : 0;
    Q_EMIT currentChanged(m_current);
}

void CookCycleList::setCurrent(int i) {
    const int next = (i >= 0 && i < size()) ? i : -1;
    if (next == m_current)
        return;
    m_current = next;
    Q_EMIT currentChanged(m_current);
}

void CookCycleList::clearHandOff(int sensorNo) {
    if (validSensorNo(sensorNo)) {
        ThermoDone[sensorNo] = false;
        ThermoSound[sensorNo] = false;
        LightSerial[sensorNo].clear();
    }
    recomputeCookDone();
}

void CookCycleList::recomputeCookDone() {
    CookDone = std::any_of(ThermoSound.begin() + 1, ThermoSound.end(), [](bool b) { return b; });
}

} // namespace kelvara::cook
