#include "reports/ZoneStatistics.h"

#include "store/Schema.h"

#include <algorithm>
#include <cmath>

namespace kelvara::reports {

namespace {

// What one stored value counts as.
struct Value {
    enum class Kind { Nothing, NoReading, Reading };
    Kind kind = Kind::Nothing;
    double reading = 0;
};

Value classify(const QString& stored) {
    const QString text = stored.trimmed();
    if (text.compare(QLatin1String("NR"), Qt::CaseInsensitive) == 0)
        return {Value::Kind::NoReading, 0};
    bool number = false;
    const double reading = text.toDouble(&number);
    return number ? Value{Value::Kind::Reading, reading} : Value{};
}

// Sums kept per zone and unit while the rows go by.
struct Tally {
    int readings = 0;
    int noReading = 0;
    double sum = 0;
    std::optional<double> minimum;
    std::optional<double> maximum;

    void add(const Value& value) {
        if (value.kind == Value::Kind::NoReading) {
            ++noReading;
        } else if (value.kind == Value::Kind::Reading) {
            ++readings;
            sum += value.reading;
            minimum = minimum ? std::min(*minimum, value.reading) : value.reading;
            maximum = maximum ? std::max(*maximum, value.reading) : value.reading;
        }
    }
};

// The tallies of each zone (by its place in the zone list), each unit in the order first met; a range holds
// one unit, rarely two, so a short list beats a map.
using Tallies = std::vector<std::vector<std::pair<QString, Tally>>>;

Tally& tallyOf(Tallies& tallies, std::size_t zone, const QString& unit) {
    auto& units = tallies[zone];
    for (auto& [name, tally] : units)
        if (name == unit)
            return tally;
    units.emplace_back(unit, Tally{});
    return units.back().second;
}

std::vector<ZoneFigures> figures(const Tallies& tallies, const std::vector<ReportZone>& zones) {
    std::vector<ZoneFigures> lines;
    for (std::size_t z = 0; z < zones.size(); ++z) {
        auto units = tallies[z];
        std::sort(units.begin(), units.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
        for (const auto& [unit, tally] : units) {
            ZoneFigures line;
            line.room = zones[z].room;
            line.zone = zones[z].text;
            line.tempType = unit;
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
                                       const std::vector<ReportZone>& allZones, const QDate& from,
                                       const QDate& to) {
    std::vector<ReportZone> zones;
    std::copy_if(allZones.begin(), allZones.end(), std::back_inserter(zones), [](const ReportZone& z) {
        return z.room >= 1 && z.room <= store::Schema::kMonitorTempColumns;
    });
    std::stable_sort(zones.begin(), zones.end(),
                     [](const ReportZone& a, const ReportZone& b) { return a.room < b.room; });
    ZoneStatistics result;
    Tallies whole(zones.size());
    auto row = rows.begin();
    for (QDate day = from; day <= to; day = day.addDays(1)) {
        DayFigures figuresOfDay;
        figuresOfDay.day = day;
        Tallies tallies(zones.size());
        while (row != rows.end() && row->RecDate < day)
            ++row;
        for (; row != rows.end() && row->RecDate == day; ++row) {
            figuresOfDay.hasRecords = true;
            const QString unit = row->TempType.trimmed();
            for (std::size_t z = 0; z < zones.size(); ++z) {
                const std::optional<QString>& stored =
                    row->Temps[static_cast<std::size_t>(zones[z].room - 1)];
                if (!stored)
                    continue;
                const Value value = classify(*stored);
                tallyOf(tallies, z, unit).add(value);
                tallyOf(whole, z, unit).add(value);
            }
        }
        figuresOfDay.zones = figures(tallies, zones);
        result.days.push_back(std::move(figuresOfDay));
    }
    result.summary = figures(whole, zones);
    return result;
}

} // namespace kelvara::reports
