#pragma once

#include "app/SiteCreator.h"
#include "base/Result.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <optional>

namespace kelvara::app {

// What the kelvara command was asked to do.
struct CommandLine {
    // Maintain: a purge (then a compaction) or a compaction of the site, without windows.
    enum class Action { Run, CreateSite, Maintain, Help };
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

    // Fails with the reason when the arguments make no sense.
    [[nodiscard]] static base::Result<CommandLine> parse(const QStringList& arguments);
    [[nodiscard]] static QString helpText();
    // Whether the arguments need no screen (decided before the application object exists).
    [[nodiscard]] static bool wantsConsoleOnly(int argc, char** argv);
};

} // namespace kelvara::app
