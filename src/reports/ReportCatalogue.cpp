#include "reports/ReportCatalogue.h"

#include "reports/AlarmReport.h"
#include "reports/CycleBatchReport.h"
#include "reports/ListingReport.h"
#include "reports/ReportTemplate.h"
#include "reports/ZoneDaysReport.h"
#include "reports/ZoneStatistics.h"

namespace kelvara::reports {

namespace {

const char* const kListingByDate = "Listing By Date";
const char* const kListingByBatch = "Listing By Batch #";
const char* const kProductListing = "Product Listing";
const char* const kProviderListing = "Provider Listing";
const QString kDisplayDate = QStringLiteral("MM/dd/yyyy");

// The numbers of a date as the formulas take them: "2026, 7, 1".
QString dateParts(const QDate& day) {
    return QStringLiteral("%1, %2, %3").arg(day.year()).arg(day.month()).arg(day.day());
}

base::Result<void> checkBounds(const QString& title, const ReportBounds& bounds) {
    const bool hasDates = bounds.from.isValid() && bounds.to.isValid();
    const bool hasBatches = bounds.firstBatch && bounds.lastBatch;
    switch (ReportCatalogue::rangeOf(title)) {
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
    return {};
}

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

base::Result<ReportRequest> ReportCatalogue::request(const QString& title, const ReportBounds& bounds,
                                                     const std::vector<store::MonitorSetsRow>& zones) {
    ReportRequest request;
    request.templateFile = templateFile(title);
    if (request.templateFile.isEmpty())
        return base::fail(QStringLiteral("There is no report \"%1\".").arg(title));
    if (auto checked = checkBounds(title, bounds); !checked)
        return checked.failure();
    const auto add = [&request](const QString& name, const QString& value) {
        request.parameters.push_back({name, value});
    };
    const QString from = bounds.from.toString(kDisplayDate);
    const QString to = bounds.to.toString(kDisplayDate);
    switch (rangeOf(title)) {
    case ReportRange::None:
        break;
    case ReportRange::Batches:
        request.formula = QStringLiteral("{CookCycles.batchno} >= %1 and {CookCycles.BatchNo} <= %2")
                              .arg(*bounds.firstBatch)
                              .arg(*bounds.lastBatch);
        add(QStringLiteral("From"), QString::number(*bounds.firstBatch));
        add(QStringLiteral("To"), QString::number(*bounds.lastBatch));
        break;
    case ReportRange::Dates:
        if (request.templateFile == QLatin1String("CycleBatch.rpt")) {
            request.formula =
                QStringLiteral("{CookCycles.Date} >= Date(%1) and {CookCycles.Date} <= Date(%2)")
                    .arg(dateParts(bounds.from), dateParts(bounds.to));
            add(QStringLiteral("From"), from);
            add(QStringLiteral("To"), to);
            break;
        }
        add(QStringLiteral("FromDate"), from);
        add(QStringLiteral("ToDate"), to);
        // A zone's parameter goes by its Room, so its readings' column and its name always agree.
        std::vector<QString> names(ReportRequest::kZoneParameters);
        for (const store::MonitorSetsRow& zone : zones) {
            if (zone.Room < 1 || zone.Room > ReportRequest::kZoneParameters)
                continue;
            QString& name = names[static_cast<std::size_t>(zone.Room - 1)];
            if (name.isEmpty())
                name = ZoneStatistics::zoneText(zone);
        }
        for (int room = 1; room <= ReportRequest::kZoneParameters; ++room)
            add(QStringLiteral("Zone%1").arg(room), names[static_cast<std::size_t>(room - 1)]);
        request.formula =
            request.templateFile == QLatin1String("Alarms.rpt")
                ? QStringLiteral("{Alarms.Date} >= Date(%1) and {Alarms.Date} <= Date(%2)")
                : QStringLiteral("{Monitor.RecDate} >= Date(%1) And {Monitor.RecDate} <= Date(%2)");
        request.formula = request.formula.arg(dateParts(bounds.from), dateParts(bounds.to));
        break;
    }
    return request;
}

base::Result<ReportDocument> ReportCatalogue::run(const ReportRequest& request, const ReportSite& site) {
    auto layout = ReportTemplate::load(request.templateFile, site.siteDir, site.dataDir);
    if (!layout)
        return layout.failure();
    // The template's table says which report lays it out.
    if (layout->table == QLatin1String("Alarms"))
        return AlarmReport::load(*layout, request, site);
    if (layout->table == QLatin1String("CookCycles"))
        return CycleBatchReport::load(*layout, request, site);
    if (layout->table == QLatin1String("Products") || layout->table == QLatin1String("Provider"))
        return ListingReport::load(*layout, site);
    return ZoneDaysReport::load(*layout, request, site);
}

base::Result<ReportDocument> ReportCatalogue::load(const QString& title, const ReportBounds& bounds,
                                                   const ReportSite& site) {
    std::vector<store::MonitorSetsRow> zones;
    if (rangeOf(title) == ReportRange::Dates && templateFile(title) != QLatin1String("CycleBatch.rpt")) {
        if (!site.kvr)
            return base::fail(noZoneDatabaseText());
        auto read = store::MonitorSetsStore(*site.kvr).loadAll();
        if (!read)
            return read.failure();
        zones = std::move(*read);
    }
    auto made = request(title, bounds, zones);
    if (!made)
        return made.failure();
    return run(*made, site);
}

} // namespace kelvara::reports
