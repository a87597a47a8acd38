#include "main/WindowedRun.h"

#include "app/AppContext.h"
#include "app/SingleInstance.h"
#include "app/Startup.h"
#include "app/SystemClock.h"
#include "app/UserSettings.h"
#include "monitoring/MonitoringCycle.h"
#include "monitoring/MonitoringJob.h"
#include "sensornet/EventLoopPause.h"
#include "sensornet/SystemSerialPort.h"
#include "ui/MainWindow.h"
#include "ui/SplashWindow.h"
#include "ui/WidgetDialogs.h"
#include "ui/WindowUtils.h"

#include <QApplication>
#include <QPixmap>
#include <QTextStream>
#include <QTimer>

namespace kelvara::main {

namespace {

std::unique_ptr<sensornet::Pause> eventLoopPause() {
    return std::make_unique<sensornet::EventLoopPause>();
}

} // namespace

int runWindowed(app::AppContext& ctx, const Screenshot& screenshot) {
    ui::WidgetDialogs dialogs;
    app::SingleInstance instance;
    ui::SplashWindow splash;
    app::Startup::Hooks hooks;
    hooks.showSplash = [&] {
        ui::CenterWindow(splash);
        splash.show();
        splash.repaint();
        QApplication::processEvents();
    };
    hooks.closeSplash = [&] { splash.close(); };

    app::Startup startup(ctx, dialogs, instance);
    if (startup.run(hooks) != app::Startup::Outcome::Running)
        return 1;

    // Start-up's notices go to standard error as well, where a service log keeps them.
    for (const QString& notice : ctx.startupNotices)
        QTextStream(stderr) << notice << Qt::endl;

    app::SystemClock clock;
    app::UserSettings settings;
    ui::MainWindow window(ctx, {clock, dialogs, settings, &sensornet::makeSystemSerialPort, &eventLoopPause});
    dialogs.setParent(&window);
    ui::CenterWindow(window);
    window.show();
    window.runFirstStart();
    window.startMonitoring();
    if (!screenshot.file.isEmpty()) {
        // The picture waits for a moment between two passes, so the window shows a finished pass.
        auto* shot = new QTimer(&window);
        QObject::connect(shot, &QTimer::timeout, &window, [&window, &screenshot, shot] {
            if (window.job().cycle().reading())
                return;
            shot->stop();
            const bool saved = window.grab().save(screenshot.file, "PNG");
            if (!saved)
                QTextStream(stderr) << "Could not save the picture to " << screenshot.file << Qt::endl;
            window.job().unload();
            QApplication::exit(saved ? 0 : 1);
        });
        QTimer::singleShot(screenshot.afterSeconds * 1000, shot, [shot] { shot->start(200); });
    }
    return QApplication::exec();
}

} // namespace kelvara::main
