// What the alarm notification adds to a reading pass: Read_Alarms with ten recipients due on a modem that
// answers nothing (the simulator's silent modem) against Read_Alarms with none due, on a real KVR.db. The
// sends go on in the background; the time taken is that of the call and of the events the pass then
// handles, never that of the sends.
#include "SimulatorStart.h"
#include "app/AppContext.h"
#include "app/ConsoleDialogs.h"
#include "app/SystemClock.h"
#include "monitoring/MonitoringCycle.h"
#include "monitoring/MonitoringJob.h"
#include "monitoring/ZonePassObserver.h"
#include "notify/AlarmDispatcher.h"
#include "notify/MailTransport.h"
#include "notify/ModemSmsGateway.h"
#include "notify/NotificationView.h"
#include "sensornet/EventLoopPause.h"
#include "sensornet/SystemSerialPort.h"
#include "store/CallAlarmStore.h"
#include "store/Database.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>
#include <algorithm>
#include <vector>

using namespace kelvara;

namespace {

constexpr int kRows = 10;

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2.0;
}

struct Timings {
    std::vector<double> callMs;  // Read_Alarms alone
    std::vector<double> totalMs; // and the events waiting after it
};

// The site: a new KVR.db in a temporary folder with ten recipients on the modem's terminal.
bool makeSite(app::AppContext& ctx, const QString& folder, const QString& modem) {
    ctx.siteDir = folder;
    ctx.DatabaseMode = QStringLiteral("KVR");
    const QString path = folder + QStringLiteral("/") + store::databaseFileName(store::DatabaseKind::Kvr);
    if (!store::createDatabase(path, store::DatabaseKind::Kvr).ok())
        return false;
    ctx.databases.kvr = std::make_unique<store::Database>(store::DatabaseKind::Kvr);
    if (!ctx.databases.kvr->open(path).ok())
        return false;
    for (int i = 0; i < kRows; ++i) {
        store::CallAlarmRow row;
        row.Notify = QStringLiteral("Mobile");
        row.Active = true;
        row.SendType = QStringLiteral("GSM");
        row.Speed = QStringLiteral("9600");
        row.Device = modem;
        row.RecipientNo = QStringLiteral("+49170%1").arg(1000 + i);
        row.Recipient = QStringLiteral("Recipient %1").arg(i + 1);
        if (!store::CallAlarmStore(*ctx.databases.kvr).insert(row).ok())
            return false;
    }
    return true;
}

bool switchRows(const store::Database& db, bool active) {
    const store::CallAlarmStore list(db);
    const auto rows = list.loadAll();
    if (!rows)
        return false;
    for (store::CallAlarmRow row : *rows) {
        row.Active = active;
        if (!list.update(row).ok())
            return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    const QStringList args = QCoreApplication::arguments();
    const QString simBinary = args.value(1, qEnvironmentVariable("KELVARA_SIM"));
    const int runs = std::max(1, args.value(2, QStringLiteral("20")).toInt());
    QTemporaryDir dir;

    const QString modemFile = dir.filePath(QStringLiteral("modem.json"));
    QFile file(modemFile);
    if (!file.open(QIODevice::WriteOnly) || file.write(R"({"modem": "gsm", "fault": "silent"})") <= 0)
        return 1;
    file.close();
    QProcess sim;
    const QString pty = startSimulator(sim, simBinary, {QStringLiteral("--modem"), modemFile}, out);
    if (pty.isEmpty())
        return 1;

    app::AppContext ctx;
    if (!makeSite(ctx, dir.path(), pty)) {
        out << "the site's database could not be made in " << dir.path() << Qt::endl;
        return 1;
    }
    app::SystemClock clock;
    app::ConsoleDialogs console;
    monitoring::ZonePassObserver observer;
    monitoring::MonitoringJob job(ctx, clock, console, console, observer, sensornet::makeSystemSerialPort(),
                                  std::make_unique<sensornet::EventLoopPause>());
    notify::NotificationView view;
    notify::NoMailTransport mail;

    // One pass that raised zone 1; a new dispatcher and gateway each time, so no send of an earlier run is
    // still going (that run's send is abandoned when its gateway goes, outside the measurement).
    const auto measure = [&](bool due, Timings& timings, bool keep) {
        notify::ModemSmsGateway gateway;
        notify::AlarmDispatcher dispatcher(ctx, job.cycle(), {clock, console, view, gateway, mail, nullptr});
        monitoring::ZoneAlarmState& state = job.cycle().alarmState();
        state.startPass();
        state.AlarmCondition = true;
        state.AlarmRaised = true;
        state.AlarmRooms = QStringLiteral("1,");
        state.AlarmTexts[0] = QStringLiteral("Kelvara Dry Store  High Alarm  28C");
        QElapsedTimer wall;
        wall.start();
        dispatcher.Read_Alarms();
        const qint64 callNs = wall.nsecsElapsed();
        QCoreApplication::processEvents();
        const qint64 totalNs = wall.nsecsElapsed();
        if (keep) {
            timings.callMs.push_back(static_cast<double>(callNs) / 1e6);
            timings.totalMs.push_back(static_cast<double>(totalNs) / 1e6);
        }
        // The silent modem holds the first send: all ten are still to go.
        return dispatcher.pendingSends() == (due ? std::size_t{kRows} : std::size_t{0});
    };

    Timings none;
    Timings due;
    bool asExpected = switchRows(*ctx.databases.kvr, false);
    // The first run of each case prepares what later runs reuse; it is not counted.
    for (int run = 0; asExpected && run <= runs; ++run)
        asExpected = measure(false, none, run > 0);
    asExpected = asExpected && switchRows(*ctx.databases.kvr, true);
    for (int run = 0; asExpected && run <= runs; ++run)
        asExpected = measure(true, due, run > 0);
    sim.terminate();
    sim.waitForFinished();
    if (!asExpected) {
        out << "a run did not pick the recipients it should have" << Qt::endl;
        return 1;
    }

    const auto line = [&out](const char* name, const std::vector<double>& values) {
        out << QStringLiteral("%1  median %2 ms  highest %3 ms")
                   .arg(QLatin1String(name), -34)
                   .arg(median(values), 0, 'f', 3)
                   .arg(*std::max_element(values.begin(), values.end()), 0, 'f', 3)
            << Qt::endl;
    };
    out << "Read_Alarms over " << runs << " runs each, ten recipients on a silent modem:" << Qt::endl;
    line("none due: the call", none.callMs);
    line("none due: the call and its events", none.totalMs);
    line("ten due: the call", due.callMs);
    line("ten due: the call and its events", due.totalMs);
    // The highest against the usual pass without a send: what the worst run paid on top.
    out << QStringLiteral("added by ten due recipients (target under 20 ms): median %1 ms, highest %2 ms")
               .arg(median(due.totalMs) - median(none.totalMs), 0, 'f', 3)
               .arg(*std::max_element(due.totalMs.begin(), due.totalMs.end()) - median(none.totalMs), 0, 'f',
                    3)
        << Qt::endl;
    return 0;
}
