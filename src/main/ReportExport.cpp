#include "main/ReportExport.h"

#include "reports/AlarmReport.h"
#include "reports/CycleBatchReport.h"
#include "reports/ListingReport.h"
#include "reports/ReportDocument.h"
#include "reports/ReportTemplate.h"
#include "reports/ZoneDaysReport.h"
#include "store/Database.h"
#include "store/DatabaseKind.h"

#include <QDir>
#include <QFileInfo>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTextStream>
#include <cstdio>

namespace kelvara::main {

namespace {

const char* const kListingByDate = "Listing By Date";
const char* const kListingByBatch = "Listing By Batch #";
const char* const kProductListing = "Product Listing";
const char* const kProviderListing = "Provider Listing";

int failed(const QString& text) {
    QTextStream(stderr) << text << Qt::endl;
    return 1;
}

} // namespace

QString reportTemplateFile(const QString& title) {
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

int runReportExport(const QString& siteDir, const QString& dataDir, const ReportRequest& request) {
    const QString fileName = reportTemplateFile(request.title);
    if (fileName.isEmpty())
        return failed(QStringLiteral("There is no report \"%1\".").arg(request.title));
    // The batch listing alone takes a range of batch numbers, the direct listings none, the rest dates.
    const bool byBatch = request.title == QLatin1String(kListingByBatch);
    const bool noRange =
        request.title == QLatin1String(kProductListing) || request.title == QLatin1String(kProviderListing);
    const bool hasDates = request.from.isValid() && request.to.isValid();
    const bool hasBatches = request.firstBatch && request.lastBatch;
    if (byBatch && (!hasBatches || hasDates))
        return failed(QStringLiteral("\"%1\" needs --first-batch and --last-batch.").arg(request.title));
    if (noRange && (hasDates || hasBatches))
        return failed(QStringLiteral("\"%1\" takes no range.").arg(request.title));
    if (!byBatch && !noRange && (!hasDates || hasBatches))
        return failed(QStringLiteral("\"%1\" needs --from and --to.").arg(request.title));
    auto layout = reports::ReportTemplate::load(fileName, siteDir, dataDir);
    if (!layout)
        return failed(layout.error());
    const QString path = QDir(siteDir).filePath(store::databaseFileName(store::DatabaseKind::Kvr));
    if (!QFileInfo::exists(path))
        return failed(QStringLiteral("Could not find the System Database"));
    store::Database kvr(store::DatabaseKind::Kvr);
    if (auto opened = kvr.open(path); !opened)
        return failed(opened.error());
    // The template's table says which report lays it out.
    const auto document = [&]() -> base::Result<reports::ReportDocument> {
        if (layout->table == QLatin1String("Alarms"))
            return reports::AlarmReport::load(*layout, kvr, siteDir, request.from, request.to);
        if (layout->table == QLatin1String("CookCycles"))
            return reports::CycleBatchReport::load(
                *layout, kvr, siteDir,
                byBatch ? reports::CycleBatchSelection::byBatch(*request.firstBatch, *request.lastBatch)
                        : reports::CycleBatchSelection::byDate(request.from, request.to));
        if (layout->table == QLatin1String("Products") || layout->table == QLatin1String("Provider"))
            return reports::ListingReport::load(*layout, kvr, siteDir);
        return reports::ZoneDaysReport::load(*layout, kvr, siteDir, request.from, request.to);
    }();
    if (!document)
        return failed(document.error());

    QSaveFile file(request.pdfFile);
    if (!file.open(QIODevice::WriteOnly))
        return failed(file.errorString());
    {
        QPdfWriter writer(&file);
        writer.setTitle(document->title);
        writer.setPageSize(QPageSize(QPageSize::Letter));
        writer.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
        reports::ReportPainter::paint(*document, writer);
    }
    if (!file.commit())
        return failed(file.errorString());
    return 0;
}

} // namespace kelvara::main
