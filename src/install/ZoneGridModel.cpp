#include "install/ZoneGridModel.h"

#include "base/UserDialogs.h"
#include "install/ZoneConfiguration.h"

#include <cmath>

namespace kelvara::install {

namespace {

const QString kTitle = QStringLiteral("Kelvara");

std::optional<int> wholeNumber(const QVariant& value) {
    if (value.typeId() == QMetaType::Bool)
        return std::nullopt;
    if (value.typeId() == QMetaType::Double) {
        const double d = value.toDouble();
        if (!std::isfinite(d) || d != std::trunc(d))
            return std::nullopt;
    }
    bool ok = false;
    const int number = value.toString().trimmed().toInt(&ok);
    if (ok)
        return number;
    const double d = value.toString().trimmed().toDouble(&ok);
    if (ok && std::isfinite(d) && d == std::trunc(d) && std::abs(d) <= 2147483647.0)
        return static_cast<int>(d);
    return std::nullopt;
}

std::optional<double> number(const QVariant& value) {
    if (value.typeId() == QMetaType::Bool)
        return std::nullopt;
    bool ok = false;
    const double d = value.toString().trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(d))
        return std::nullopt;
    return d;
}

std::optional<bool> flag(const QVariant& value) {
    if (value.typeId() == QMetaType::Bool)
        return value.toBool();
    const std::optional<int> n = wholeNumber(value);
    if (n && (*n == 0 || *n == 1 || *n == -1))
        return *n != 0;
    const QString word = value.toString().trimmed().toLower();
    if (word == QLatin1String("true"))
        return true;
    if (word == QLatin1String("false"))
        return false;
    return std::nullopt;
}

std::optional<QString> text(const QVariant& value, int maxLength) {
    const QString t = value.toString();
    if (t.size() > maxLength)
        return std::nullopt;
    return t;
}

QString shown(const std::optional<double>& value) {
    return value ? QString::number(*value) : QString();
}

QString shown(bool value) {
    return value ? QStringLiteral("True") : QStringLiteral("False");
}

} // namespace

ZoneGridModel::ZoneGridModel(const store::Database& kvr, const base::Clock& clock, base::UserDialogs& dialogs,
                             QObject* parent)
    : QAbstractTableModel(parent), m_store(kvr), m_clock(clock), m_dialogs(dialogs) {
    reload();
}

QStringList ZoneGridModel::captions() {
    return {QStringLiteral("Zone"),        QStringLiteral("Name"),   QStringLiteral("Serial #"),
            QStringLiteral("Alarm"),       QStringLiteral("Low"),    QStringLiteral("High"),
            QStringLiteral("Delay (Min)"), QStringLiteral("Record"), QStringLiteral("Calibrate"),
            QStringLiteral("Alarm Led #")};
}

void ZoneGridModel::reload() {
    beginResetModel();
    auto rows = m_store.loadAll();
    if (rows) {
        m_rows = std::move(rows).value();
    } else {
        m_rows.clear();
        tell(rows.error());
    }
    endResetModel();
}

int ZoneGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int ZoneGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(ZoneGridColumn::Count);
}

QVariant ZoneGridModel::data(const QModelIndex& index, int role) const {
    const store::MonitorSetsRow* row = zone(index.row());
    if (!row || (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    const bool edit = role == Qt::EditRole;
    switch (static_cast<ZoneGridColumn>(index.column())) {
    case ZoneGridColumn::Zone:
        return row->Room;
    case ZoneGridColumn::Name:
        return row->Name;
    case ZoneGridColumn::SerialNo:
        return row->SerialNo;
    case ZoneGridColumn::Alarm:
        return edit ? QVariant(row->Alarm) : QVariant(shown(row->Alarm));
    case ZoneGridColumn::Low:
        return shown(row->LowAlarm);
    case ZoneGridColumn::High:
        return shown(row->HighAlarm);
    case ZoneGridColumn::Delay:
        return row->AlarmDelay;
    case ZoneGridColumn::Record:
        return edit ? QVariant(row->Record) : QVariant(shown(row->Record));
    case ZoneGridColumn::Calibrate:
        return row->Calibration;
    case ZoneGridColumn::AlarmLed:
        return row->AlarmLedNo;
    case ZoneGridColumn::Count:
        break;
    }
    return {};
}

QVariant ZoneGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    const QStringList names = captions();
    return section >= 0 && section < names.size() ? QVariant(names[section]) : QVariant();
}

Qt::ItemFlags ZoneGridModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsEditable;
}

bool ZoneGridModel::assign(store::MonitorSetsRow& row, ZoneGridColumn column, const QVariant& value) {
    auto put = [](auto& field, const auto& parsed) {
        if (!parsed)
            return false;
        field = *parsed;
        return true;
    };
    switch (column) {
    case ZoneGridColumn::Zone:
        return put(row.Room, wholeNumber(value));
    case ZoneGridColumn::Name:
        return put(row.Name, text(value, kNameLength));
    case ZoneGridColumn::SerialNo:
        return put(row.SerialNo, text(value, kSerialLength));
    case ZoneGridColumn::Alarm:
        return put(row.Alarm, flag(value));
    case ZoneGridColumn::Low: {
        const std::optional<double> limit = number(value);
        if (limit)
            row.LowAlarm = *limit;
        return limit.has_value();
    }
    case ZoneGridColumn::High: {
        const std::optional<double> limit = number(value);
        if (limit)
            row.HighAlarm = *limit;
        return limit.has_value();
    }
    case ZoneGridColumn::Delay:
        return put(row.AlarmDelay, wholeNumber(value));
    case ZoneGridColumn::Record:
        return put(row.Record, flag(value));
    case ZoneGridColumn::Calibrate:
        return put(row.Calibration, number(value));
    case ZoneGridColumn::AlarmLed:
        return put(row.AlarmLedNo, wholeNumber(value));
    case ZoneGridColumn::Count:
        break;
    }
    return false;
}

bool ZoneGridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    const store::MonitorSetsRow* current = zone(index.row());
    if (!current || role != Qt::EditRole)
        return false;
    store::MonitorSetsRow changed = *current;
    if (!assign(changed, static_cast<ZoneGridColumn>(index.column()), value))
        return false;
    ZoneConfiguration::applyDelayRule(changed, index.column(), value, m_clock);
    if (const base::Result<void> done = m_store.update(changed); !done) {
        tell(done.error());
        return false;
    }
    m_rows[static_cast<std::size_t>(index.row())] = changed;
    emit dataChanged(this->index(index.row(), 0), this->index(index.row(), columnCount() - 1));
    return true;
}

const store::MonitorSetsRow* ZoneGridModel::zone(int row) const {
    if (row < 0 || row >= rowCount())
        return nullptr;
    return &m_rows[static_cast<std::size_t>(row)];
}

bool ZoneGridModel::removeZone(int row) {
    const store::MonitorSetsRow* doomed = zone(row);
    if (!doomed)
        return false;
    if (const base::Result<void> done = m_store.remove(doomed->id); !done) {
        tell(done.error());
        return false;
    }
    beginRemoveRows({}, row, row);
    m_rows.erase(m_rows.begin() + row);
    endRemoveRows();
    return true;
}

void ZoneGridModel::tell(const QString& error) {
    m_dialogs.information(kTitle, error);
}

} // namespace kelvara::install
