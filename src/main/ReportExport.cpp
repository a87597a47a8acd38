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
    const QString path = QDir(siteDir).filePath(store::databaseFileName(store::DatabaseKind::Kvr));
    if (!QFileInfo::exists(path))
        return failed(QStringLiteral("Could not find the System Database"));
    store::Database kvr(store::DatabaseKind::Kvr);
    if (auto opened = kvr.open(path); !opened)
        return failed(opened.error());
    const auto document = reports::ReportCatalogue::load(
        request.title, {request.from, request.to, request.firstBatch, request.lastBatch}, kvr, siteDir,
        dataDir);
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
