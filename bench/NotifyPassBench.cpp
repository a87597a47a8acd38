// What the alarm notification adds to a reading pass: Read_Alarms with ten recipients due on a modem that
// answers nothing (the simulator's silent modem), and with one e-mail recipient due on a mail server that
// takes the connection and never says a word, against Read_Alarms with none due, on a real KVR.db. The
// sends go on in the background; the time taken is that of the call and of the events the pass then
// handles, never that of the sends.
#include "PassBench.h"
#include "SimulatorStart.h"
#include "app/AppContext.h"
#include "app/ConsoleDialogs.h"
#include "app/SystemClock.h"
#include "monitoring/MonitoringCycle.h"
#include "monitoring/MonitoringJob.h"
#include "monitoring/ZonePassObserver.h"
#include "notify/AlarmDispatcher.h"
#include "notify/CurlMailTransport.h"
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
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>
#include <vector>

using namespace kelvara;

namespace {

constexpr int kRows = 10;

struct Timings {
    std::vector<double> callMs;  // Read_Alarms alone
    std::vector<double> totalMs; // and the events waiting after it
};

// The site: a new KVR.db in a temporary folder with ten recipients on the modem's terminal.
bool makeSite(app::AppContext& ctx, const QString& folder, const QString& modem) {
    ctx.siteDir = folder;
    ctx.DatabaseMode = QStringLiteral("KVR");
    if (!bench::makeZoneDatabase(ctx, 0))
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
    store::CallAlarmRow mail;
    mail.Notify = QStringLiteral("Email");
    mail.Recipient = QStringLiteral("chef@example.com");
    mail.Message = QStringLiteral("Dry store alarm");
    return store::CallAlarmStore(*ctx.databases.kvr).insert(mail).ok();
}

// A mail server that takes connections (the system completes them) and never answers: a socket listening
// on 127.0.0.1 that nobody accepts from. Its port, or 0.
int silentMailServer() {
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof(address);
    if (fd < 0 || bind(fd, reinterpret_cast<sockaddr*>(&address), length) != 0 || listen(fd, 64) != 0 ||
        getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0)
        return 0;
    return ntohs(address.sin_port);
}

// Only the rows that notify this way are active; none when kind is empty.
bool switchRows(const store::Database& db, const QString& kind) {
    const store::CallAlarmStore list(db);
    const auto rows = list.loadAll();
    if (!rows)
        return false;
    for (store::CallAlarmRow row : *rows) {
        row.Active = row.Notify == kind;
        if (!list.update(row).ok())
            return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    const bench::BenchArguments args = bench::benchArguments(20);
    const int runs = args.runs;
    QTemporaryDir dir;

    const QString modemFile = dir.filePath(QStringLiteral("modem.json"));
    QFile file(modemFile);
    if (!file.open(QIODevice::WriteOnly) || file.write(R"({"modem": "gsm", "fault": "silent"})") <= 0)
        return 1;
    file.close();
    QProcess sim;
    const QString pty = startSimulator(sim, args.simBinary, {QStringLiteral("--modem"), modemFile}, out);
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
    const int mailPort = silentMailServer();
    QFile ini(dir.filePath(QStringLiteral("KVR.INI")));
    if (mailPort == 0 || !ini.open(QIODevice::WriteOnly) ||
        ini.write(QStringLiteral("SMTPName=127.0.0.1:%1\r\nSMTPEmail=kitchen@example.com\r\nDONE\r\n")
                      .arg(mailPort)
                      .toLatin1()) <= 0)
        return 1;
    ini.close();

    // One pass that raised zone 1; a new dispatcher and gateway each time, so no send of an earlier run is
    // still going (that run's send is abandoned when its gateway goes, outside the measurement).
    const auto measure = [&](std::size_t due, Timings& timings, bool keep) {
        notify::ModemSmsGateway gateway;
        notify::CurlMailTransport mail;
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
        // The silent modem or server holds the first send: all are still to go.
        return dispatcher.pendingSends() == due;
    };

    Timings none;
    Timings due;
    Timings mailDue;
    bool asExpected = switchRows(*ctx.databases.kvr, QString());
    // The first run of each case prepares what later runs reuse; it is not counted.
    for (int run = 0; asExpected && run <= runs; ++run)
        asExpected = measure(0, none, run > 0);
    asExpected = asExpected && switchRows(*ctx.databases.kvr, QStringLiteral("Mobile"));
    for (int run = 0; asExpected && run <= runs; ++run)
        asExpected = measure(kRows, due, run > 0);
    asExpected = asExpected && switchRows(*ctx.databases.kvr, QStringLiteral("Email"));
    for (int run = 0; asExpected && run <= runs; ++run)
        asExpected = measure(1, mailDue, run > 0);
    sim.terminate();
    sim.waitForFinished();
    if (!asExpected) {
        out << "a run did not pick the recipients it should have" << Qt::endl;
        return 1;
    }

    const auto line = [&out](const char* name, const std::vector<double>& values) {
        out << QStringLiteral("%1  median %2 ms  highest %3 ms")
                   .arg(QLatin1String(name), -40)
                   .arg(bench::median(values), 0, 'f', 3)
                   .arg(*std::max_element(values.begin(), values.end()), 0, 'f', 3)
            << Qt::endl;
    };
    out << "Read_Alarms over " << runs
        << " runs each, ten recipients on a silent modem, one on a silent mail server:" << Qt::endl;
    line("none due: the call", none.callMs);
    line("none due: the call and its events", none.totalMs);
    line("ten due: the call", due.callMs);
    line("ten due: the call and its events", due.totalMs);
    line("one e-mail due: the call", mailDue.callMs);
    line("one e-mail due: the call and its events", mailDue.totalMs);
    // The highest against the usual pass without a send: what the worst run paid on top.
    out << QStringLiteral("added by ten due recipients (target under 20 ms): median %1 ms, highest %2 ms")
               .arg(bench::median(due.totalMs) - bench::median(none.totalMs), 0, 'f', 3)
               .arg(*std::max_element(due.totalMs.begin(), due.totalMs.end()) - bench::median(none.totalMs),
                    0, 'f', 3)
        << Qt::endl;
    out << QStringLiteral(
               "added by one e-mail due on a server that never answers (target under 20 ms): median "
               "%1 ms, highest %2 ms")
               .arg(bench::median(mailDue.totalMs) - bench::median(none.totalMs), 0, 'f', 3)
               .arg(*std::max_element(mailDue.totalMs.begin(), mailDue.totalMs.end()) -
                        bench::median(none.totalMs),
                    0, 'f', 3)
        << Qt::endl;
    return 0;
}
