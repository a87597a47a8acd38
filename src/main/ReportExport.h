#pragma once

#include <QDate>
#include <QString>
#include <optional>

namespace kelvara::main {

// What --report asked for: a report by its menu caption, its range (of dates, or of batch numbers for the
// batch listing) and the PDF to write.
struct ReportRequest {
    QString title;
    QDate from;
    QDate to;
    std::optional<qint64> firstBatch;
    std::optional<qint64> lastBatch;
    QString pdfFile;
};

// Writes a report of the site in `siteDir` to a PDF without a window, reading only; every failure goes to
// standard error with no file left behind. Returns the process exit code.
[[nodiscard]] int runReportExport(const QString& siteDir, const QString& dataDir,
                                  const ReportRequest& request);

} // namespace kelvara::main
