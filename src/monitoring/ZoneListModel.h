#pragma once

#include "monitoring/ZoneAlarmState.h"
#include "store/MonitorSetsStore.h"

#include <QAbstractTableModel>
#include <vector>

namespace kelvara::monitoring {

// The zones as the main window shows them, one row per zone in Room order: settings, latest reading and
// alarm state. Fed by the monitoring job; the zone grid and the details panel are views of it.
class ZoneListModel final : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column {
        Zone,
        Name,
        Temp,
        SerialNo,
        Record,
        Alarm,
        HighAlarm,
        LowAlarm,
        Duration,
        AlarmSerialNo,
        DisableAlarm,
        ColumnCount
    };
    // How a row is to be drawn.
    enum class RowState { Normal, Raised, Disabled };
    static constexpr int RowStateRole = Qt::UserRole + 1;

    // `state` is the pass's alarm state, which the rows show.
    explicit ZoneListModel(const ZoneAlarmState& state, QObject* parent = nullptr);

    // The zones as the window loads them: no reading yet, shown as kNotReadYet.
    void load(const std::vector<store::MonitorSetsRow>& zones);
    // The zones after a window changed them: a zone shown before (same room, same sensor) keeps its latest
    // reading, a new one shows "NR" until it is read.
    void reload(const std::vector<store::MonitorSetsRow>& zones);
    // A pass read (or failed to read) the zone at this place: its row as the pass stored it, and the text
    // shown for its reading.
    void setReading(int row, const store::MonitorSetsRow& zone, const QString& shown);
    void setAllReadings(const QString& shown);
    // The alarm state changed (a pass, a temporary disable): every row's colour is drawn again.
    void alarmStateChanged();
    // The hours of a zone's temporary disable as just stored.
    void setDuration(int row, int hours);
    // "°F": the reading column's caption.
    void setUnit(const QString& caption);

    // Null outside the rows.
    [[nodiscard]] const store::MonitorSetsRow* zone(int row) const;
    [[nodiscard]] QString reading(int row) const;
    // The place of the zone of this room, -1 when no zone has it.
    [[nodiscard]] int rowOfRoom(int room) const;
    [[nodiscard]] RowState rowState(int row) const;
    [[nodiscard]] bool disabled(int row) const;
    // Whether some row is drawn as raised.
    [[nodiscard]] bool anyRaised() const;

    [[nodiscard]] int rowCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] int columnCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    [[nodiscard]] QVariant headerData(int section, Qt::Orientation orientation,
                                      int role = Qt::DisplayRole) const override;

    static inline const QString kNotReadYet = QStringLiteral("0");
    static inline const QString kNoReading = QStringLiteral("NR");

private:
    struct Row {
        store::MonitorSetsRow zone;
        QString reading;
    };
    void replace(std::vector<Row> rows);
    void rowChanged(int row);

    const ZoneAlarmState& m_state;
    std::vector<Row> m_rows;
    QString m_unit = QStringLiteral("Temp");
};

} // namespace kelvara::monitoring
