#pragma once

#include "base/Result.h"
#include "reports/ReportDocument.h"
#include "reports/ReportRequest.h"
#include "reports/ReportSite.h"
#include "reports/ReportTemplate.h"
#include "store/Database.h"
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

    // The document of the days FromDate to ToDate from the readings (RecDate, RecTime order) the request's
    // formula selected, a line per zone its Zone parameters name.
    [[nodiscard]] static ReportDocument build(const ReportTemplate& layout, const QString& businessName,
                                              const std::vector<store::MonitorRow>& rows,
                                              const ReportRequest& request);
    // The document read from the site: the business name from the zone database `kvr`, the readings the
    // formula selects from the template's database (a missing Archive.db reads as empty and is not created).
    [[nodiscard]] static base::Result<ReportDocument>
    load(const ReportTemplate& layout, const ReportRequest& request, const ReportSite& site);
    // The unit as the report prints it: "°F", "°C"; anything else as stored.
    [[nodiscard]] static QString unitText(const QString& tempType);
};

} // namespace kelvara::reports
