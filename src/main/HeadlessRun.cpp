#include "main/HeadlessRun.h"

#include "app/AppContext.h"
#include "app/ConsoleDialogs.h"
#include "app/SingleInstance.h"
#include "app/Startup.h"
#include "app/SystemClock.h"
#include "app/UserSettings.h"
#include "cook/CookSide.h"
#include "main/SignalWatcher.h"
#include "monitoring/MonitoringCycle.h"
#include "monitoring/MonitoringJob.h"
#include "monitoring/ZonePassObserver.h"
#include "notify/AlarmDispatcher.h"
#include "notify/CurlMailTransport.h"
#include "notify/DialUp.h"
#include "notify/ModemSmsGateway.h"
#include "notify/NotificationView.h"
#include "sensornet/EventLoopPause.h"
#include "sensornet/SystemSerialPort.h"
#include "store/Database.h"

#include <QCoreApplication>
#include <QDir>
#include <QTextStream>

namespace kelvara::main {

namespace {
// The console's view of a pass: each read log line also goes to standard output.
class ConsoleObserver final : public monitoring::ZonePassObserver {
public:
    ConsoleObserver() : m_out(stdout) {}
    void logLine(const QString& line) override { m_out << line << Qt::endl; }
    void processEvents() override { QCoreApplication::processEvents(); }

private:
    QTextStream m_out;
};

// The console's view of the alarm notification: the send's progress lines on standard output.
class ConsoleNotificationView final : public notify::NotificationView {
public:
    ConsoleNotificationView() : m_out(stdout) {}
    void statusLine(const QString& line) override { m_out << line << Qt::endl; }

private:
    QTextStream m_out;
};
} // namespace

int runHeadless(app::AppContext& ctx) {
    app::ConsoleDialogs console;
    app::SingleInstance instance;
    SignalWatcher watcher;
    app::Startup startup(ctx, console, instance);
    if (startup.run() != app::Startup::Outcome::Running)
        return 1;
    for (const QString& notice : ctx.startupNotices)
        console.notice(notice);
    // Without windows nobody would see a site running on without its data: stop, so that a service
    // manager restarts it and its operator sees why.
    const auto opened = [](const std::unique_ptr<store::Database>& db) { return db && db->isOpen(); };
    if ((ctx.hasZoneSide() && !opened(ctx.databases.kvr)) ||
        (ctx.hasCookSide() && !opened(ctx.databases.thermo))) {
        console.notice(QStringLiteral("Kelvara stops: a database of this site could not be opened."));
        return 1;
    }
    console.notice(QStringLiteral("Kelvara is running on %1 (%2) without windows; stop it with Ctrl+C.")
                       .arg(QDir::toNativeSeparators(ctx.siteDir), ctx.DatabaseMode));

    app::SystemClock clock;
    ConsoleObserver observer;
    monitoring::MonitoringJob job(ctx, clock, console, console, observer, sensornet::makeSystemSerialPort(),
                                  std::make_unique<sensornet::EventLoopPause>());
    QObject::connect(
        &job.cycle(), &monitoring::MonitoringCycle::statusChanged, [&](const QString& text, bool visible) {
            if (visible && !text.trimmed().isEmpty() && text != monitoring::MonitoringCycle::kReadingText)
                console.notice(text.trimmed());
        });
    // Alarms reach the notification list without windows too; there is no sound or animation here.
    ConsoleNotificationView notificationView;
    notify::ModemSmsGateway sms;
    notify::CurlMailTransport mail;
    notify::AlarmDispatcher dispatcher(
        ctx, job.cycle(),
        {clock, console, notificationView, sms, mail, nullptr, notify::DialUp::Config::fromEnvironment()});
    // Running cook cycles are read too; their HOT lines reach standard output with the zones' lines.
    cook::CookSide cookSide(ctx, job, clock, console, console, observer);
    cookSide.attach(&dispatcher);
    if (ctx.hasCookSide())
        if (const auto filled = cookSide.control().Fill_ThermoList(); !filled.ok())
            console.reportError(filled.error(), QStringLiteral("Fill_ThermoList"));
    job.loadZones();
    job.start(app::UserSettings());
    dispatcher.startStatusTimer();

    // A stop asked for in the middle of a pass ends the loop once the pass is over.
    QObject::connect(&watcher, &SignalWatcher::stopRequested, qApp, [] { QCoreApplication::exit(0); });
    const int code = QCoreApplication::exec();
    job.unload();
    console.notice(QStringLiteral("Kelvara stopped."));
    return code;
}

} // namespace kelvara::main
