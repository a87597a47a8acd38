#pragma once

#include "base/Result.h"
#include "reports/ReportDocument.h"
#include "reports/ReportRequest.h"
#include "reports/ReportSite.h"
#include "reports/ReportTemplate.h"
#include "store/AlarmsStore.h"
#include "store/Database.h"

#include <QDate>
#include <QString>

namespace kelvara::reports {

// The alarm report: a line per alarm event of the range in the order given (Date, Time, Room), its zone
// named by Room, then under the template's summary heading the count of each zone that had any and
// "Total alarms: N". A range without events says "No records".
class AlarmReport {
public:
    static inline const QString kNoRecordsText = QStringLiteral("No records");

    // Zones are named by the request's Zone parameters.
    [[nodiscard]] static ReportDocument build(const ReportTemplate& layout, const QString& businessName,
                                              const std::vector<store::AlarmsRow>& alarms,
                                              const ReportRequest& request);
    // The document read from the site: the business name from `kvr`, the events the formula selects from the
    // template's database (a missing Archive.db reads as empty and is not created).
    [[nodiscard]] static base::Result<ReportDocument>
    load(const ReportTemplate& layout, const ReportRequest& request, const ReportSite& site);
};

} // namespace kelvara::reports
