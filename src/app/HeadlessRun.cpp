#include "app/HeadlessRun.h"

#include "app/AppContext.h"
#include "app/ConsoleDialogs.h"
#include "app/SignalWatcher.h"
#include "app/SingleInstance.h"
#include "app/Startup.h"

#include <QCoreApplication>
#include <QDir>

namespace kelvara::app {

int runHeadless(AppContext& ctx) {
    ConsoleDialogs console;
    SingleInstance instance;
    SignalWatcher watcher;
    Startup startup(ctx, console, instance);
    if (startup.run() != Startup::Outcome::Running)
        return 1;
    for (const QString& notice : ctx.startupNotices)
        console.notice(notice);
    console.notice(QStringLiteral("Kelvara is running on %1 (%2) without windows; stop it with Ctrl+C.")
                       .arg(QDir::toNativeSeparators(ctx.siteDir), ctx.DatabaseMode));

    QObject::connect(&watcher, &SignalWatcher::stopRequested, qApp, [] { QCoreApplication::exit(0); });
    const int code = QCoreApplication::exec();
    console.notice(QStringLiteral("Kelvara stopped."));
    return code;
}

} // namespace kelvara::app
