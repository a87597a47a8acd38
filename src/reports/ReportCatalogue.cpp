#include "reports/ReportCatalogue.h"

#include "reports/AlarmReport.h"
#include "reports/CycleBatchReport.h"
#include "reports/ListingReport.h"
#include "reports/ReportTemplate.h"
#include "reports/ZoneDaysReport.h"

namespace kelvara::reports {

namespace {

const char* const kListingByDate = "Listing By Date";
const char* const kListingByBatch = "Listing By Batch #";
const char* const kProductListing = "Product Listing";
const char* const kProviderListing = "Provider Listing";

} // namespace

QString ReportCatalogue::templateFile(const QString& title) {
    if (title == QLatin1String("Daily Temperatures"))
        return QStringLiteral("DailyTemps.rpt");
    if (title == QLatin1String("Alarm Report"))
        return QStringLiteral("Alarms.rpt");
    if (title == QLatin1String("Archive Data"))
        return QStringLiteral("Archive.rpt");
    if (title == QLatin1String(kListingByDate) || title == QLatin1String(kListingByBatch))
        return QStringLiteral("CycleBatch.rpt");
    if (title == QLatin1String(kProductListing))
        return QStringLiteral("Products.rpt");
    if (title == QLatin1String(kProviderListing))
        return QStringLiteral("providers.rpt");
    return {};
}

ReportRange ReportCatalogue::rangeOf(const QString& title) {
    if (title == QLatin1String(kListingByBatch))
        return ReportRange::Batches;
    if (title == QLatin1String(kProductListing) || title == QLatin1String(kProviderListing))
        return ReportRange::None;
    return ReportRange::Dates;
}

base::Result<ReportDocument> ReportCatalogue::load(const QString& title, const ReportBounds& bounds,
                                                   const store::Database& kvr, const QString& siteDir,
                                                   const QString& dataDir) {
    const QString fileName = templateFile(title);
    if (fileName.isEmpty())
        return base::fail(QStringLiteral("There is no report \"%1\".").arg(title));
    const bool hasDates = bounds.from.isValid() && bounds.to.isValid();
    const bool hasBatches = bounds.firstBatch && bounds.lastBatch;
    switch (rangeOf(title)) {
    case ReportRange::Batches:
        if (!hasBatches || hasDates)
            return base::fail(QStringLiteral("\"%1\" needs --first-batch and --last-batch.").arg(title));
        break;
    case ReportRange::None:
        if (hasDates || hasBatches)
            return base::fail(QStringLiteral("\"%1\" takes no range.").arg(title));
        break;
    case ReportRange::Dates:
        if (!hasDates || hasBatches)
            return base::fail(QStringLiteral("\"%1\" needs --from and --to.").arg(title));
        break;
    }
    auto layout = ReportTemplate::load(fileName, siteDir, dataDir);
    if (!layout)
        return layout.failure();
    // The template's table says which report lays it out.
    if (layout->table == QLatin1String("Alarms"))
        return AlarmReport::load(*layout, kvr, siteDir, bounds.from, bounds.to);
    if (layout->table == QLatin1String("CookCycles"))
        return CycleBatchReport::load(
            *layout, kvr, siteDir,
            hasBatches ? CycleBatchSelection::byBatch(*bounds.firstBatch, *bounds.lastBatch)
                       : CycleBatchSelection::byDate(bounds.from, bounds.to));
    if (layout->table == QLatin1String("Products") || layout->table == QLatin1String("Provider"))
        return ListingReport::load(*layout, kvr, siteDir);
    return ZoneDaysReport::load(*layout, kvr, siteDir, bounds.from, bounds.to);
}

} // namespace kelvara::reports
