#include "app/CommandLine.h"

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
               "       kelvara [--site DIR] --compact\n\n") +
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

} // namespace kelvara::app
