#pragma once

#include <QDate>
#include <QString>
#include <vector>

namespace kelvara::main {

// What --chart asked for: the range, the rooms to draw (empty: every zone) and the one file to write.
struct ChartRequest {
    QDate from;
    QDate to;
    std::vector<int> rooms;
    QString pngFile;
    QString csvFile;
};

// Draws the temperature chart of the site in the current folder without a window, reading only: the picture
// or the rows go to the file, every failure to standard error with no file left behind. Returns the process
// exit code.
[[nodiscard]] int runChartExport(const QString& siteDir, const ChartRequest& request);

} // namespace kelvara::main
