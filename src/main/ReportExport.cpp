#include "main/ReportExport.h"

#include "reports/ReportCatalogue.h"
#include "reports/ReportDocument.h"
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

int failed(const QString& text) {
    QTextStream(stderr) << text << Qt::endl;
    return 1;
}

} // namespace

int runReportExport(const QString& siteDir, const QString& dataDir, const ReportRequest& request) {
    if (reports::ReportCatalogue::templateFile(request.title).isEmpty())
        return failed(QStringLiteral("There is no report \"%1\".").arg(request.title));
    // A cook-only site has no zone database; the reports that need one say so.
    const QString path = QDir(siteDir).filePath(store::databaseFileName(store::DatabaseKind::Kvr));
    store::Database kvr(store::DatabaseKind::Kvr);
    const bool hasKvr = QFileInfo::exists(path);
    if (hasKvr) {
        if (auto opened = kvr.open(path); !opened)
            return failed(opened.error());
    } else if (!QFileInfo::exists(
                   QDir(siteDir).filePath(store::databaseFileName(store::DatabaseKind::Thermo)))) {
        return failed(QStringLiteral("Could not find the System Database"));
    }
    const auto document = reports::ReportCatalogue::load(
        request.title, {request.from, request.to, request.firstBatch, request.lastBatch},
        {hasKvr ? &kvr : nullptr, siteDir, dataDir});
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
