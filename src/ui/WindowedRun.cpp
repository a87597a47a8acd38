#include "ui/WindowedRun.h"

#include "app/AppContext.h"
#include "app/SingleInstance.h"
#include "app/Startup.h"
#include "app/SystemClock.h"
#include "app/UserSettings.h"
#include "ui/MainWindow.h"
#include "ui/SplashWindow.h"
#include "ui/WidgetDialogs.h"
#include "ui/WindowUtils.h"

#include <QApplication>

namespace kelvara::ui {

int runWindowed(app::AppContext& ctx) {
    WidgetDialogs dialogs;
    app::SingleInstance instance;
    SplashWindow splash;
    app::Startup::Hooks hooks;
    hooks.showSplash = [&] {
        CenterWindow(splash);
        splash.show();
        splash.repaint();
        QApplication::processEvents();
    };
    hooks.closeSplash = [&] { splash.close(); };

    app::Startup startup(ctx, dialogs, instance);
    if (startup.run(hooks) != app::Startup::Outcome::Running)
        return 1;

    app::SystemClock clock;
    app::UserSettings settings;
    MainWindow window(ctx);
    dialogs.setParent(&window);
    CenterWindow(window);
    window.show();
    window.startMonitoring(clock, dialogs, settings);
    return QApplication::exec();
}

} // namespace kelvara::ui
