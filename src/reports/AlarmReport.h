#pragma once

#include "base/Result.h"
#include "reports/ReportDocument.h"
#include "reports/ReportTemplate.h"
#include "store/AlarmsStore.h"
#include "store/Database.h"
#include "store/MonitorSetsStore.h"

#include <QDate>
#include <QString>

namespace kelvara::reports {

// The alarm report: a line per alarm event of the range in the order given (Date, Time, Room), its zone
// named by Room, then under the template's summary heading the count of each zone that had any and
// "Total alarms: N". A range without events says "No records".
class AlarmReport {
public:
    static inline const QString kNoRecordsText = QStringLiteral("No records");

    [[nodiscard]] static ReportDocument build(const ReportTemplate& layout, const QString& businessName,
                                              const std::vector<store::AlarmsRow>& alarms,
                                              const std::vector<store::MonitorSetsRow>& zones,
                                              const QDate& from, const QDate& to);
    // The document read from the site: the zones and the business name from `kvr`, the events from the
    // template's database (Archive.db is opened from the site folder; a missing one reads as empty and is not
    // created).
    [[nodiscard]] static base::Result<ReportDocument> load(const ReportTemplate& layout,
                                                           const store::Database& kvr, const QString& siteDir,
                                                           const QDate& from, const QDate& to);
};

} // namespace kelvara::reports
