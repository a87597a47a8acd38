#include "main/ReportExport.h"

#include "main/ExportSite.h"
#include "reports/ReportCatalogue.h"
#include "reports/ReportDocument.h"
#include "store/Database.h"
#include "store/DatabaseKind.h"

#include <QDir>
#include <QFileInfo>
#include <QPdfWriter>
#include <QSaveFile>

namespace kelvara::main {

int runReportExport(const QString& siteDir, const QString& dataDir, const ReportRequest& request) {
    if (reports::ReportCatalogue::templateFile(request.title).isEmpty())
        return exportFailed(QStringLiteral("There is no report \"%1\".").arg(request.title));
    // A cook-only site has no zone database; the reports that need one say so.
    const QDir site(siteDir);
    const bool cookOnly =
        !QFileInfo::exists(site.filePath(store::databaseFileName(store::DatabaseKind::Kvr))) &&
        QFileInfo::exists(site.filePath(store::databaseFileName(store::DatabaseKind::Thermo)));
    store::Database kvr(store::DatabaseKind::Kvr);
    if (!cookOnly)
        if (auto opened = openSiteKvr(kvr, siteDir); !opened)
            return exportFailed(opened.error());
    const auto document = reports::ReportCatalogue::load(
        request.title, {request.from, request.to, request.firstBatch, request.lastBatch},
        {cookOnly ? nullptr : &kvr, siteDir, dataDir});
    if (!document)
        return exportFailed(document.error());

    QSaveFile file(request.pdfFile);
    if (!file.open(QIODevice::WriteOnly))
        return exportFailed(file.errorString());
    {
        QPdfWriter writer(&file);
        writer.setTitle(document->title);
        writer.setPageSize(QPageSize(QPageSize::Letter));
        writer.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
        reports::ReportPainter::paint(*document, writer);
    }
    if (!file.commit())
        return exportFailed(file.errorString());
    return 0;
}

} // namespace kelvara::main
