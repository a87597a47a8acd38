#pragma once

#include "base/Result.h"
#include "reports/ReportDocument.h"
#include "store/Database.h"

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
    // The document of a report: its template (the site's copy, else the shipped one in `dataDir`), laid out
    // by the report its table calls for, over `bounds`, which must be the kind the caption takes. `kvr` is
    // the site's zone database; the others are opened from `siteDir` and only read.
    [[nodiscard]] static base::Result<ReportDocument> load(const QString& title, const ReportBounds& bounds,
                                                           const store::Database& kvr, const QString& siteDir,
                                                           const QString& dataDir);
};

} // namespace kelvara::reports
