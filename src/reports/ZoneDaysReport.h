#pragma once

#include "base/Result.h"
#include "reports/ReportDocument.h"
#include "reports/ReportTemplate.h"
#include "store/Database.h"
#include "store/MonitorSetsStore.h"
#include "store/MonitorStore.h"

#include <QDate>
#include <QString>

namespace kelvara::reports {

// The zone temperature reports (daily readings and their archive): every day of the range under its date,
// a line per zone and unit with its figures, "No records" for a day without any, then the whole range under
// the template's summary heading.
class ZoneDaysReport {
public:
    static inline const QString kNoRecordsText = QStringLiteral("No records");

    // The document of the range from the readings of that range (RecDate, RecTime order) and the zones,
    // which name the lines by Room.
    [[nodiscard]] static ReportDocument build(const ReportTemplate& layout, const QString& businessName,
                                              const std::vector<store::MonitorRow>& rows,
                                              const std::vector<store::MonitorSetsRow>& zones,
                                              const QDate& from, const QDate& to);
    // The document read from the site: the zones and the business name from the zone database `kvr`, the
    // readings from the template's database (Archive.db is opened from the site folder; a missing one reads
    // as empty and is not created).
    [[nodiscard]] static base::Result<ReportDocument> load(const ReportTemplate& layout,
                                                           const store::Database& kvr, const QString& siteDir,
                                                           const QDate& from, const QDate& to);
    // The unit as the report prints it: "°F", "°C"; anything else as stored.
    [[nodiscard]] static QString unitText(const QString& tempType);
};

} // namespace kelvara::reports
