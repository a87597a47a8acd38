#pragma once

#include "base/Result.h"

#include <QDate>
#include <QString>

namespace kelvara::bench {

// The shape of a site's recorded history: how long, how many zones, how often a record.
struct HistoryShape {
    QDate firstDay{2016, 1, 1};
    int days = 3653; // ten years
    int zones = 20;
    int recordMinutes = 15;
};

// Makes a new zone database at `path` holding the history of a busy site: every zone recorded at every record
// time, an alarm on one zone at every 50th record, the zones themselves. The chart, report and maintenance
// benchmarks all read a file made here, so their figures are about the same data.
[[nodiscard]] base::Result<void> generateHistory(const QString& path, const HistoryShape& shape = {});

} // namespace kelvara::bench
