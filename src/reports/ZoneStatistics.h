#pragma once

#include "reports/ReportRequest.h"
#include "store/MonitorSetsStore.h"
#include "store/MonitorStore.h"

#include <QDate>
#include <QString>
#include <optional>
#include <vector>

namespace kelvara::reports {

// The figures of one zone over some readings of one unit.
struct ZoneFigures {
    int room = 0;
    QString zone;     // the zone's Zone parameter: "5 - Dock"
    QString tempType; // the unit the readings carry ("F", "C")
    int readings = 0; // values other than "NR"
    int noReading = 0;
    std::optional<double> minimum;
    std::optional<double> maximum;
    std::optional<double> average; // rounded to one decimal, halves away from zero
};

// One day of the range: a line per zone and unit it has readings of; none on a day without records.
struct DayFigures {
    QDate day;
    bool hasRecords = false;
    std::vector<ZoneFigures> zones;
};

// The daily temperature figures of a range: each day, then the whole range.
struct ZoneStatistics {
    std::vector<DayFigures> days;
    std::vector<ZoneFigures> summary;

    // Rows (in RecDate, RecTime order) of the range from..to, for the zones given (by Room, in Room order;
    // a Room outside 1 to 20 has no column and is left out). A range whose rows carry two units gets a line
    // per unit, so figures of different units never mix. A value that is neither "NR" nor a number counts as
    // neither.
    [[nodiscard]] static ZoneStatistics compute(const std::vector<store::MonitorRow>& rows,
                                                const std::vector<ReportZone>& zones, const QDate& from,
                                                const QDate& to);
    // One decimal, halves away from zero (2.25 gives 2.3, -2.25 gives -2.3).
    [[nodiscard]] static double roundedAverage(double sum, int count);
    // The Zone parameter text of a zone: its Room, " - " and its name.
    [[nodiscard]] static QString zoneText(const store::MonitorSetsRow& zone);
};

} // namespace kelvara::reports
