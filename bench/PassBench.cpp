#include "PassBench.h"

#include "SimulatorStart.h"
#include "app/AppContext.h"
#include "app/ComPortSettings.h"
#include "app/UserSettings.h"
#include "sensornet/SystemSerialPort.h"
#include "store/Database.h"
#include "store/MonitorSetsStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <algorithm>
#include <sys/resource.h>

namespace kelvara::bench {

namespace {

struct CpuTimes {
    double user = 0;
    double system = 0;
};

CpuTimes cpuTimes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    auto seconds = [](const timeval& tv) { return static_cast<double>(tv.tv_sec) + tv.tv_usec / 1e6; };
    return {seconds(usage.ru_utime), seconds(usage.ru_stime)};
}

// The commands of the shipped SensorReader.ini, given to the context before the bus takes its copy.
const sensornet::AdapterCommands& useShippedCommands(app::AppContext& ctx) {
    ctx.commands.ResetCmd = QStringLiteral("aR\r");
    ctx.commands.AddressCmd = QStringLiteral("aA");
    ctx.commands.ConvertCmd = QStringLiteral("aW0144\r");
    ctx.commands.ConvertAllCmd = QStringLiteral("aW02CC44\r");
    ctx.commands.SearchCmd = QStringLiteral("aS\r");
    ctx.commands.TemperatureCmd = QStringLiteral("aW0ABEFFFFFFFFFFFFFFFFFF\r");
    ctx.commands.ThermoTempCmd = QStringLiteral("aW0E690EFFFFFFFFFFFFFFFFFFFFFFFF\r");
    return ctx.commands;
}

} // namespace

BenchArguments benchArguments(int defaultRuns) {
    const QStringList args = QCoreApplication::arguments();
    return {args.value(1, qEnvironmentVariable("KELVARA_SIM")),
            std::max(1, args.value(2, QString::number(defaultRuns)).toInt())};
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2.0;
}

QString benchRom(int i, int first, const QString& family) {
    return QString::number(first + i, 16).toUpper() + QStringLiteral("00000000") +
           QStringLiteral("%1").arg(i, 4, 10, QLatin1Char('0')) + family;
}

QStringList zoneDevices(int zones) {
    QStringList devices;
    for (int i = 0; i < zones; ++i)
        devices << QStringLiteral(R"({"rom": "%1", "temperature": %2})")
                       .arg(benchRom(i, 0x40, QStringLiteral("28")))
                       .arg(2.0 + i * 0.5);
    return devices;
}

QString startPassSimulator(QProcess& sim, const BenchArguments& args, const QString& folder,
                           const QStringList& devices, QTextStream& out) {
    const QString scenario = QDir(folder).filePath(QStringLiteral("scenario.json"));
    QFile f(scenario);
    f.open(QIODevice::WriteOnly);
    f.write(QStringLiteral(R"({"conversionScale": 1, "devices": [%1]})")
                .arg(devices.join(QLatin1Char(',')))
                .toUtf8());
    f.close();
    return startSimulator(
        sim, args.simBinary,
        {QStringLiteral("--scenario"), scenario, QStringLiteral("--baud"), QString::number(kPassBaud)}, out);
}

bool makeZoneDatabase(app::AppContext& ctx, int zones) {
    const QString dbPath = QDir(ctx.siteDir).filePath(QStringLiteral("KVR.db"));
    if (!store::createDatabase(dbPath, store::DatabaseKind::Kvr).ok())
        return false;
    ctx.databases.kvr = std::make_unique<store::Database>(store::DatabaseKind::Kvr);
    if (!ctx.databases.kvr->open(dbPath).ok())
        return false;
    for (int i = 0; i < zones; ++i) {
        store::MonitorSetsRow z;
        z.Room = i + 1;
        z.Name = QStringLiteral("Zone %1").arg(i + 1);
        z.SerialNo = benchRom(i, 0x40, QStringLiteral("28"));
        z.Record = true;
        z.Alarm = true;
        z.HighAlarm = 30;
        z.LowAlarm = 0;
        (void)store::MonitorSetsStore(*ctx.databases.kvr).insert(z);
    }
    return true;
}

ZonePassRig::ZonePassRig(app::AppContext& ctx, const QString& pty)
    : serial(sensornet::makeSystemSerialPort()), port(*serial),
      link(port, clock, pause, console, sensornet::ExchangeRules::monitoring(), &console),
      bus(link, useShippedCommands(ctx)), reader(ctx, bus, clock, log, console, observer) {
    const QDir site(ctx.siteDir);
    log.open(site.filePath(QStringLiteral("Kelvara.log")));
    app::UserSettings settings(site.filePath(QStringLiteral("user.ini")));
    settings.save(QStringLiteral("Properties"), QStringLiteral("Settings"), QStringLiteral("115200,n,8,1"));
    settings.save(QStringLiteral("Properties"), QStringLiteral("PortName"), pty);
    link.configurePort(app::readLineSettings(settings));
    (void)link.resetAdapter(ctx.commands.ResetCmd);
}

void measurePasses(QTextStream& out, CountingPort& port, int passes,
                   const std::function<void(bool recording)>& prepare, const std::function<void()>& pass) {
    out << "pass  recording  bytes  bound_s  wall_s  (wall-conversion)/bound  user_s  system_s  cpu_%"
        << Qt::endl;
    std::vector<double> ratios;
    std::vector<double> cpuShares;
    double wallSum[2] = {0, 0}; // plain, recording
    double cpuSum[2] = {0, 0};
    for (int n = 1; n <= passes; ++n) {
        const bool recording = n % 2 == 1;
        prepare(recording);
        port.written = port.read = 0;
        const CpuTimes cpu0 = cpuTimes();
        QElapsedTimer wall;
        wall.start();
        pass();
        const double wallS = static_cast<double>(wall.nsecsElapsed()) / 1e9;
        const CpuTimes cpu1 = cpuTimes();
        const double userS = cpu1.user - cpu0.user;
        const double systemS = cpu1.system - cpu0.system;
        const double cpuS = userS + systemS;
        const qint64 bytes = port.written + port.read;
        const double bound = static_cast<double>(bytes) * 10.0 / kPassBaud;
        ratios.push_back((wallS - kConversionSeconds) / bound);
        cpuShares.push_back(100.0 * cpuS / wallS);
        wallSum[recording ? 1 : 0] += wallS;
        cpuSum[recording ? 1 : 0] += cpuS;
        out << QStringLiteral("%1  %2  %3  %4  %5  %6  %7  %8  %9")
                   .arg(n)
                   .arg(recording ? QStringLiteral("yes") : QStringLiteral("no "))
                   .arg(bytes)
                   .arg(bound, 0, 'f', 3)
                   .arg(wallS, 0, 'f', 3)
                   .arg(ratios.back(), 0, 'f', 2)
                   .arg(userS, 0, 'f', 4)
                   .arg(systemS, 0, 'f', 4)
                   .arg(cpuShares.back(), 0, 'f', 1)
            << Qt::endl;
    }
    // The first pass also prepares the statements every later pass reuses.
    const double steadyHighest =
        cpuShares.size() > 1 ? *std::max_element(cpuShares.begin() + 1, cpuShares.end()) : cpuShares.front();
    out << QStringLiteral("wall time less the %1 s conversion: median %2 of the serial bound, highest %3 "
                          "(target within 1.3)")
               .arg(kConversionSeconds, 0, 'f', 2)
               .arg(median(ratios), 0, 'f', 2)
               .arg(*std::max_element(ratios.begin(), ratios.end()), 0, 'f', 2)
        << Qt::endl;
    out << QStringLiteral("cpu time (target under 5 % of the wall time): all passes %1 %, plain %2 %, "
                          "recording %3 %; median pass %4 %; highest %5 %, after the first pass %6 %")
               .arg(100.0 * (cpuSum[0] + cpuSum[1]) / (wallSum[0] + wallSum[1]), 0, 'f', 1)
               .arg(wallSum[0] > 0 ? 100.0 * cpuSum[0] / wallSum[0] : 0.0, 0, 'f', 1)
               .arg(wallSum[1] > 0 ? 100.0 * cpuSum[1] / wallSum[1] : 0.0, 0, 'f', 1)
               .arg(median(cpuShares), 0, 'f', 1)
               .arg(*std::max_element(cpuShares.begin(), cpuShares.end()), 0, 'f', 1)
               .arg(steadyHighest, 0, 'f', 1)
        << Qt::endl;
}

void measureBareExchanges(QTextStream& out, const std::function<void()>& exchange) {
    constexpr int kExchanges = 1000;
    const CpuTimes cpu0 = cpuTimes();
    QElapsedTimer wall;
    wall.start();
    for (int i = 0; i < kExchanges; ++i)
        exchange();
    const double wallS = static_cast<double>(wall.nsecsElapsed()) / 1e9;
    const CpuTimes cpu1 = cpuTimes();
    const double cpuS = cpu1.user - cpu0.user + cpu1.system - cpu0.system;
    out << QStringLiteral("%1 bare exchanges: %2 us of cpu each, %3 % of the wall time")
               .arg(kExchanges)
               .arg(1e6 * cpuS / kExchanges, 0, 'f', 1)
               .arg(100.0 * cpuS / wallS, 0, 'f', 1)
        << Qt::endl;
}

} // namespace kelvara::bench
