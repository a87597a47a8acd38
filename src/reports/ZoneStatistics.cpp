#include "reports/ZoneStatistics.h"

#include "store/Schema.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace kelvara::reports {

namespace {

// Sums kept per zone and unit while the rows go by.
struct Tally {
    int readings = 0;
    int noReading = 0;
    double sum = 0;
    std::optional<double> minimum;
    std::optional<double> maximum;

    void add(const QString& stored) {
        const QString text = stored.trimmed();
        if (text.compare(QLatin1String("NR"), Qt::CaseInsensitive) == 0) {
            ++noReading;
            return;
        }
        bool number = false;
        const double value = text.toDouble(&number);
        if (!number)
            return;
        ++readings;
        sum += value;
        minimum = minimum ? std::min(*minimum, value) : value;
        maximum = maximum ? std::max(*maximum, value) : value;
    }
};

using Tallies = std::map<std::pair<int, QString>, Tally>; // by Room, then unit

void add(Tallies& tallies, const store::MonitorRow& row, const std::vector<store::MonitorSetsRow>& zones) {
    for (const store::MonitorSetsRow& zone : zones) {
        const std::optional<QString> value = row.temp(zone.Room);
        if (value)
            tallies[{zone.Room, row.TempType.trimmed()}].add(*value);
    }
}

std::vector<ZoneFigures> figures(const Tallies& tallies, const std::vector<store::MonitorSetsRow>& zones) {
    std::vector<ZoneFigures> lines;
    for (const store::MonitorSetsRow& zone : zones) {
        for (auto it = tallies.lower_bound({zone.Room, QString()});
             it != tallies.end() && it->first.first == zone.Room; ++it) {
            const Tally& tally = it->second;
            ZoneFigures line;
            line.room = zone.Room;
            line.zone = ZoneStatistics::zoneText(zone);
            line.tempType = it->first.second;
            line.readings = tally.readings;
            line.noReading = tally.noReading;
            line.minimum = tally.minimum;
            line.maximum = tally.maximum;
            if (tally.readings > 0)
                line.average = ZoneStatistics::roundedAverage(tally.sum, tally.readings);
            lines.push_back(line);
        }
    }
    return lines;
}

} // namespace

QString ZoneStatistics::zoneText(const store::MonitorSetsRow& zone) {
    return QString::number(zone.Room) + QStringLiteral(" - ") + zone.Name;
}

double ZoneStatistics::roundedAverage(double sum, int count) {
    const double tenths = sum * 10.0 / count;
    // The readings hold at most four decimals; the nudge keeps a half that the division left a hair under
    // from rounding the wrong way.
    const double nudge = tenths < 0 ? -1e-9 : 1e-9;
    return std::round(tenths + nudge) / 10.0;
}

ZoneStatistics ZoneStatistics::compute(const std::vector<store::MonitorRow>& rows,
                                       const std::vector<store::MonitorSetsRow>& allZones, const QDate& from,
                                       const QDate& to) {
    std::vector<store::MonitorSetsRow> zones;
    std::copy_if(allZones.begin(), allZones.end(), std::back_inserter(zones),
                 [](const store::MonitorSetsRow& z) {
                     return z.Room >= 1 && z.Room <= store::Schema::kMonitorTempColumns;
                 });
    std::stable_sort(
        zones.begin(), zones.end(),
        [](const store::MonitorSetsRow& a, const store::MonitorSetsRow& b) { return a.Room < b.Room; });
    ZoneStatistics result;
    Tallies whole;
    auto row = rows.begin();
    for (QDate day = from; day <= to; day = day.addDays(1)) {
        DayFigures figuresOfDay;
        figuresOfDay.day = day;
        Tallies tallies;
        while (row != rows.end() && row->RecDate < day)
            ++row;
        for (; row != rows.end() && row->RecDate == day; ++row) {
            figuresOfDay.hasRecords = true;
            add(tallies, *row, zones);
            add(whole, *row, zones);
        }
        figuresOfDay.zones = figures(tallies, zones);
        result.days.push_back(std::move(figuresOfDay));
    }
    result.summary = figures(whole, zones);
    return result;
}

} // namespace kelvara::reports
