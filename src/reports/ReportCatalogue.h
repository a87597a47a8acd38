#pragma once

#include "base/Result.h"
#include "reports/ReportDocument.h"
#include "reports/ReportRequest.h"
#include "reports/ReportSite.h"
#include "store/MonitorSetsStore.h"

#include <QDate>
#include <QString>
#include <optional>

namespace kelvara::reports {

// What a report runs over: a range of dates, a range of batch numbers (the batch listing), or nothing (the
// product and provider listings).
enum class ReportRange { Dates, Batches, None };

struct ReportBounds {
    QDate from;
    QDate to;
    std::optional<qint64> firstBatch;
    std::optional<qint64> lastBatch;
};

// The reports by their menu captions: "Daily Temperatures", "Alarm Report", "Archive Data", "Listing By
// Date", "Listing By Batch #", "Product Listing" and "Provider Listing".
class ReportCatalogue {
public:
    // The template file of a caption; empty for a caption that names no report.
    [[nodiscard]] static QString templateFile(const QString& title);
    [[nodiscard]] static ReportRange rangeOf(const QString& title);
    // What the report of a caption is run with over `bounds`, which must be the kind the caption takes. The
    // zone and alarm reports get FromDate and ToDate (MM/dd/yyyy) and Zone1 to Zone20: each of `zones` with
    // a Room of 1 to 20 under "Zone" + Room as Room + " - " + its name, the other rooms empty. The batch
    // listings get From and To, dates or batch numbers. The formula selects the range.
    [[nodiscard]] static base::Result<ReportRequest> request(const QString& title, const ReportBounds& bounds,
                                                             const std::vector<store::MonitorSetsRow>& zones);
    // Runs a request: its template (the site's copy, else the shipped one) laid out by the report its table
    // calls for. The databases other than the zone database are opened from the site folder, only to read.
    [[nodiscard]] static base::Result<ReportDocument> run(const ReportRequest& request,
                                                          const ReportSite& site);
    // The document of a report over `bounds`: its request, with the zones read from the zone database when
    // it takes them, run.
    [[nodiscard]] static base::Result<ReportDocument> load(const QString& title, const ReportBounds& bounds,
                                                           const ReportSite& site);
};

} // namespace kelvara::reports
