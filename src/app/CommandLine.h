#pragma once

#include "app/SiteCreator.h"
#include "base/Result.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace kelvara::app {

// What the kelvara command was asked to do.
struct CommandLine {
    // Maintain: a purge (then a compaction) or a compaction of the site, without windows.
    // Chart: the chart of a range as a picture or as its rows, without windows or a display.
    // Report: a report as a PDF, without windows or a display.
    enum class Action { Run, CreateSite, Maintain, Chart, Report, Help };
    Action action = Action::Run;
    QString siteDir; // the site to run, or to create
    bool headless = false;
    SiteCreator::Sides sides = SiteCreator::Sides::Both;
    QString demoScenario; // a new site's zones and lamps taken from this simulator scenario
    // A picture of the main window saved after a number of seconds, after which the run ends (for the
    // documentation).
    QString screenshotFile;
    int screenshotAfterSeconds = 5;
    // Maintain: the last day a purge deletes, whether it archives first; none: a compaction only.
    std::optional<QDate> purgeTo;
    bool archive = false;
    // Chart (and Report): the range, the rooms of the zones to draw (empty: every zone), and the one file to
    // write.
    QDate from;
    QDate to;
    std::vector<int> zoneRooms;
    QString pngFile;
    QString csvFile;
    // Report: the menu caption of the report (its range is from and to, or the batch numbers), and the PDF to
    // write.
    QString reportTitle;
    std::optional<qint64> firstBatch;
    std::optional<qint64> lastBatch;
    QString pdfFile;

    // Fails with the reason when the arguments make no sense.
    [[nodiscard]] static base::Result<CommandLine> parse(const QStringList& arguments);
    [[nodiscard]] static QString helpText();
    // Whether the arguments need no screen (decided before the application object exists).
    [[nodiscard]] static bool wantsConsoleOnly(int argc, char** argv);
    // Whether the arguments ask for an export, drawn on the offscreen platform.
    [[nodiscard]] static bool wantsOffscreen(int argc, char** argv);
};

} // namespace kelvara::app
