#include "app/CommandLine.h"

#include "app/BatchNumber.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <cstring>

namespace kelvara::app {

namespace {
void addOptions(QCommandLineParser& p) {
    p.setApplicationDescription(QStringLiteral("Kelvara temperature monitoring."));
    p.addOption({QStringLiteral("site"), QStringLiteral("Run the site in DIR (default: the current folder)."),
                 QStringLiteral("DIR")});
    p.addOption(
        {QStringLiteral("headless"), QStringLiteral("Run without windows; messages go to standard error.")});
    p.addOption({QStringLiteral("create-site"), QStringLiteral("Create a new site in DIR and exit."),
                 QStringLiteral("DIR")});
    p.addOption({QStringLiteral("sides"),
                 QStringLiteral("Sides of a new site: zone, cook or both (default both)."),
                 QStringLiteral("zone|cook|both"), QStringLiteral("both")});
    p.addOption({QStringLiteral("demo"),
                 QStringLiteral("With --create-site: zones and alarm lamps from the simulator scenario FILE, "
                                "with short read and record intervals."),
                 QStringLiteral("FILE")});
    p.addOption({QStringLiteral("screenshot"),
                 QStringLiteral("Save a picture of the main window to FILE (PNG), then end the run."),
                 QStringLiteral("FILE")});
    p.addOption({QStringLiteral("screenshot-after"),
                 QStringLiteral("Seconds of monitoring before the --screenshot picture (default 5)."),
                 QStringLiteral("SECONDS"), QStringLiteral("5")});
    p.addOption({QStringLiteral("purge-to"),
                 QStringLiteral("Delete the site's readings dated up to DATE (YYYY-MM-DD), then compact its "
                                "databases, and exit."),
                 QStringLiteral("DATE")});
    p.addOption({QStringLiteral("archive"),
                 QStringLiteral("With --purge-to: copy the readings and alarms into Archive.db first.")});
    p.addOption(
        {QStringLiteral("compact"), QStringLiteral("Compact and check the site's databases, and exit.")});
    p.addOption(
        {QStringLiteral("chart"),
         QStringLiteral("Draw the temperature chart of --from to --to into --png FILE, or write its rows "
                        "to --csv FILE, and exit.")});
    p.addOption({QStringLiteral("from"),
                 QStringLiteral("With --chart or --report: the first day (YYYY-MM-DD)."),
                 QStringLiteral("DATE")});
    p.addOption({QStringLiteral("to"), QStringLiteral("With --chart or --report: the last day (YYYY-MM-DD)."),
                 QStringLiteral("DATE")});
    p.addOption({QStringLiteral("zones"),
                 QStringLiteral("With --chart: the rooms of the zones to draw, such as 1,5 (default: all)."),
                 QStringLiteral("ROOMS")});
    p.addOption({QStringLiteral("png"), QStringLiteral("With --chart: the picture to write (PNG)."),
                 QStringLiteral("FILE")});
    p.addOption({QStringLiteral("csv"), QStringLiteral("With --chart: the rows to write (CSV)."),
                 QStringLiteral("FILE")});
    p.addOption(
        {QStringLiteral("report"),
         QStringLiteral("Write the report TITLE (\"Daily Temperatures\", \"Alarm Report\", \"Archive "
                        "Data\", \"Listing By Date\" or \"Listing By Batch #\") of --from to --to, or "
                        "of --first-batch to --last-batch, or the \"Product Listing\" or \"Provider "
                        "Listing\", into --pdf FILE, and exit."),
         QStringLiteral("TITLE")});
    p.addOption({QStringLiteral("first-batch"),
                 QStringLiteral("With --report \"Listing By Batch #\": the first batch number."),
                 QStringLiteral("N")});
    p.addOption({QStringLiteral("last-batch"),
                 QStringLiteral("With --report \"Listing By Batch #\": the last batch number."),
                 QStringLiteral("N")});
    p.addOption(
        {QStringLiteral("pdf"), QStringLiteral("With --report: the PDF to write."), QStringLiteral("FILE")});
    p.addOption({{QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Show this help.")});
}
} // namespace

base::Result<CommandLine> CommandLine::parse(const QStringList& arguments) {
    QCommandLineParser p;
    addOptions(p);
    if (!p.parse(arguments)) {
        return base::fail(p.errorText());
    }
    if (!p.positionalArguments().isEmpty()) {
        return base::fail(
            QStringLiteral("Unexpected argument: %1").arg(p.positionalArguments().constFirst()));
    }
    CommandLine cl;
    if (p.isSet(QStringLiteral("help"))) {
        cl.action = Action::Help;
        return cl;
    }
    const auto sides = SiteCreator::sidesFromText(p.value(QStringLiteral("sides")));
    if (!sides) {
        return base::fail(QStringLiteral("--sides takes zone, cook or both."));
    }
    cl.sides = *sides;
    cl.headless = p.isSet(QStringLiteral("headless"));
    // Absolute now: the run changes into the site folder before it takes the picture.
    if (p.isSet(QStringLiteral("screenshot")))
        cl.screenshotFile = QFileInfo(p.value(QStringLiteral("screenshot"))).absoluteFilePath();
    bool seconds = false;
    cl.screenshotAfterSeconds = p.value(QStringLiteral("screenshot-after")).toInt(&seconds);
    if (!seconds || cl.screenshotAfterSeconds < 0) {
        return base::fail(QStringLiteral("--screenshot-after takes a number of seconds."));
    }
    if (!cl.screenshotFile.isEmpty() && cl.headless) {
        return base::fail(
            QStringLiteral("--screenshot needs the window; it cannot be used with --headless."));
    }
    const bool purge = p.isSet(QStringLiteral("purge-to"));
    if (p.isSet(QStringLiteral("archive")) && !purge) {
        return base::fail(QStringLiteral("--archive goes with --purge-to."));
    }
    if (purge || p.isSet(QStringLiteral("compact"))) {
        if (p.isSet(QStringLiteral("create-site")) || !cl.screenshotFile.isEmpty()) {
            return base::fail(
                QStringLiteral("--purge-to and --compact run on their own, or with --site only."));
        }
        cl.action = Action::Maintain;
        if (purge) {
            // Year first, always: a day and a month that swap places would purge the wrong months.
            const QDate last =
                QDate::fromString(p.value(QStringLiteral("purge-to")), QStringLiteral("yyyy-MM-dd"));
            if (!last.isValid()) {
                return base::fail(QStringLiteral("--purge-to takes a date as YYYY-MM-DD."));
            }
            cl.purgeTo = last;
            cl.archive = p.isSet(QStringLiteral("archive"));
        }
    }
    const bool chartOption = p.isSet(QStringLiteral("from")) || p.isSet(QStringLiteral("to")) ||
                             p.isSet(QStringLiteral("zones")) || p.isSet(QStringLiteral("png")) ||
                             p.isSet(QStringLiteral("csv"));
    const bool report = p.isSet(QStringLiteral("report"));
    const bool batches = p.isSet(QStringLiteral("first-batch")) || p.isSet(QStringLiteral("last-batch"));
    if ((p.isSet(QStringLiteral("pdf")) || batches) && !report)
        return base::fail(QStringLiteral("--pdf, --first-batch and --last-batch go with --report."));
    if (report) {
        if (cl.action != Action::Run || p.isSet(QStringLiteral("create-site")) || cl.headless ||
            !cl.screenshotFile.isEmpty() || p.isSet(QStringLiteral("chart")))
            return base::fail(QStringLiteral("--report runs on its own, or with --site only."));
        if (p.isSet(QStringLiteral("zones")) || p.isSet(QStringLiteral("png")) ||
            p.isSet(QStringLiteral("csv")))
            return base::fail(QStringLiteral("--zones, --png and --csv go with --chart."));
        cl.action = Action::Report;
        cl.reportTitle = p.value(QStringLiteral("report"));
        if (batches) {
            if (p.isSet(QStringLiteral("from")) || p.isSet(QStringLiteral("to")))
                return base::fail(QStringLiteral("--report takes --from and --to, or --first-batch and "
                                                 "--last-batch, not both."));
            // Whole numbers only, as the report window's batch fields take.
            const auto first = batchNumberOf(p.value(QStringLiteral("first-batch")));
            const auto last = batchNumberOf(p.value(QStringLiteral("last-batch")));
            if (!first || !last)
                return base::fail(kInvalidBatchText);
            cl.firstBatch = *first;
            cl.lastBatch = *last;
        } else if (p.isSet(QStringLiteral("from")) || p.isSet(QStringLiteral("to"))) {
            // Without either the dates stay invalid: the direct listings take none, and the export tells the
            // other reports that they need them.
            cl.from = QDate::fromString(p.value(QStringLiteral("from")), QStringLiteral("yyyy-MM-dd"));
            cl.to = QDate::fromString(p.value(QStringLiteral("to")), QStringLiteral("yyyy-MM-dd"));
            if (!cl.from.isValid() || !cl.to.isValid())
                return base::fail(
                    QStringLiteral("--report needs --from and --to, each a date as YYYY-MM-DD."));
        }
        if (!p.isSet(QStringLiteral("pdf")))
            return base::fail(QStringLiteral("--report needs --pdf FILE."));
        cl.pdfFile = QFileInfo(p.value(QStringLiteral("pdf"))).absoluteFilePath();
    } else if (chartOption && !p.isSet(QStringLiteral("chart")))
        return base::fail(QStringLiteral("--from, --to, --zones, --png and --csv go with --chart."));
    if (p.isSet(QStringLiteral("chart"))) {
        if (cl.action != Action::Run || p.isSet(QStringLiteral("create-site")) || cl.headless ||
            !cl.screenshotFile.isEmpty())
            return base::fail(QStringLiteral("--chart runs on its own, or with --site only."));
        cl.action = Action::Chart;
        // Year first, always, as for --purge-to.
        cl.from = QDate::fromString(p.value(QStringLiteral("from")), QStringLiteral("yyyy-MM-dd"));
        cl.to = QDate::fromString(p.value(QStringLiteral("to")), QStringLiteral("yyyy-MM-dd"));
        if (!cl.from.isValid() || !cl.to.isValid())
            return base::fail(QStringLiteral("--chart needs --from and --to, each a date as YYYY-MM-DD."));
        if (p.isSet(QStringLiteral("zones"))) {
            for (const QString& part : p.value(QStringLiteral("zones")).split(QLatin1Char(','))) {
                bool number = false;
                const int room = part.trimmed().toInt(&number);
                if (!number)
                    return base::fail(QStringLiteral("--zones takes room numbers separated by commas."));
                cl.zoneRooms.push_back(room);
            }
        }
        const bool png = p.isSet(QStringLiteral("png"));
        if (png == p.isSet(QStringLiteral("csv")))
            return base::fail(QStringLiteral("--chart writes one file: give --png FILE or --csv FILE."));
        const QString file = p.value(png ? QStringLiteral("png") : QStringLiteral("csv"));
        (png ? cl.pngFile : cl.csvFile) = QFileInfo(file).absoluteFilePath();
    }
    if (p.isSet(QStringLiteral("create-site"))) {
        if (p.isSet(QStringLiteral("site"))) {
            return base::fail(QStringLiteral("--create-site and --site cannot be used together."));
        }
        cl.action = Action::CreateSite;
        cl.siteDir = p.value(QStringLiteral("create-site"));
        cl.demoScenario = p.value(QStringLiteral("demo"));
        if (!cl.demoScenario.isEmpty() && cl.sides == SiteCreator::Sides::Cook) {
            return base::fail(QStringLiteral("--demo needs the zone side."));
        }
    } else {
        cl.siteDir = p.isSet(QStringLiteral("site")) ? p.value(QStringLiteral("site")) : QDir::currentPath();
    }
    return cl;
}

QString CommandLine::helpText() {
    QCommandLineParser p;
    addOptions(p);
    return QStringLiteral(
               "Usage: kelvara [--site DIR] [--headless | --screenshot FILE [--screenshot-after S]]\n"
               "       kelvara --create-site DIR [--sides zone|cook|both] [--demo FILE]\n"
               "       kelvara [--site DIR] --purge-to YYYY-MM-DD [--archive]\n"
               "       kelvara [--site DIR] --compact\n"
               "       kelvara [--site DIR] --chart --from YYYY-MM-DD --to YYYY-MM-DD [--zones 1,5] "
               "(--png FILE | --csv FILE)\n"
               "       kelvara [--site DIR] --report TITLE (--from YYYY-MM-DD --to YYYY-MM-DD | "
               "--first-batch N --last-batch N) --pdf FILE\n"
               "       kelvara [--site DIR] --report \"Product Listing\"|\"Provider Listing\" --pdf "
               "FILE\n\n") +
           p.helpText().section(QLatin1Char('\n'), 2);
}

bool CommandLine::wantsConsoleOnly(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        for (const char* flag : {"--headless", "--create-site", "--purge-to", "--compact", "--help", "-h"}) {
            const std::size_t length = std::strlen(flag);
            if (std::strcmp(argv[i], flag) == 0 ||
                (std::strncmp(argv[i], flag, length) == 0 && argv[i][length] == '='))
                return true;
        }
    }
    return false;
}

bool CommandLine::wantsOffscreen(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--chart") == 0 || std::strcmp(argv[i], "--report") == 0 ||
            std::strncmp(argv[i], "--report=", 9) == 0)
            return true;
    }
    return false;
}

} // namespace kelvara::app
