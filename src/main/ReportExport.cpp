#include "main/ReportExport.h"

#include "reports/AlarmReport.h"
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
    return {};
}

int runReportExport(const QString& siteDir, const QString& dataDir, const ReportRequest& request) {
    const QString fileName = reportTemplateFile(request.title);
    if (fileName.isEmpty())
        return failed(QStringLiteral("There is no report \"%1\".").arg(request.title));
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
    auto document = layout->table == QLatin1String("Alarms")
                        ? reports::AlarmReport::load(*layout, kvr, siteDir, request.from, request.to)
                        : reports::ZoneDaysReport::load(*layout, kvr, siteDir, request.from, request.to);
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
