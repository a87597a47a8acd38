// A reading pass of 20 zones and 10 running cook cycles against the simulator pacing its answers as a
// 115200-baud line and converting in the sensors' own time (750 ms at 12 bits): wall time against the
// conversion time plus the serial lower bound, and the processor time the pass costs.
#include "CountingPort.h"
#include "SimulatorStart.h"
#include "app/AppContext.h"
#include "app/ComPortSettings.h"
#include "app/ConsoleDialogs.h"
#include "app/SystemClock.h"
#include "app/UserSettings.h"
#include "cook/CookCycleList.h"
#include "cook/CookReader.h"
#include "cook/ThermoTable.h"
#include "monitoring/ReadLog.h"
#include "monitoring/ZonePassObserver.h"
#include "monitoring/ZoneReader.h"
#include "sensornet/AdapterLink.h"
#include "sensornet/EventLoopPause.h"
#include "sensornet/SensorBus.h"
#include "sensornet/SystemSerialPort.h"
#include "store/Database.h"
#include "store/MonitorSetsStore.h"
#include "store/ThermoTypesTable.h"
#include "store/Transaction.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>
#include <algorithm>
#include <functional>
#include <sys/resource.h>
#include <vector>

using namespace kelvara;

namespace {

constexpr int kZones = 20;
constexpr int kCooks = 10;
constexpr int kBaud = 115200;
// The sixteenth-degree sensors of the scenario convert at 12 bits unless told otherwise.
constexpr double kConversionSeconds = 0.75;

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

// Valid-looking ids (the simulator warns about their check bytes and keeps them as written).
QString romOf(int i) {
    return QString::number(0x40 + i, 16).toUpper() + QStringLiteral("00000000") +
           QStringLiteral("%1").arg(i, 4, 10, QLatin1Char('0')) + QStringLiteral("28");
}

QString thermoRomOf(int i) {
    return QString::number(0xA0 + i, 16).toUpper() + QStringLiteral("00000000") +
           QStringLiteral("%1").arg(i, 4, 10, QLatin1Char('0')) + QStringLiteral("30");
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2.0;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    const QStringList args = QCoreApplication::arguments();
    const QString simBinary = args.value(1, qEnvironmentVariable("KELVARA_SIM"));
    const int passes = std::max(1, args.value(2, QStringLiteral("5")).toInt());
    QTemporaryDir dir;

    QStringList devices;
    for (int i = 0; i < kZones; ++i)
        devices << QStringLiteral(R"({"rom": "%1", "temperature": %2})").arg(romOf(i)).arg(2.0 + i * 0.5);
    const char types[] = {'K', 'J', 'T', 'E', 'N'};
    for (int i = 0; i < kCooks; ++i)
        devices << QStringLiteral(R"({"rom": "%1", "type": "%2", "temperature": %3, "coldJunction": 22.125})")
                       .arg(thermoRomOf(i))
                       .arg(QLatin1Char(types[i % 5]))
                       .arg(60 + i * 5);
    const QString scenario = dir.filePath(QStringLiteral("scenario.json"));
    QFile f(scenario);
    f.open(QIODevice::WriteOnly);
    f.write(QStringLiteral(R"({"conversionScale": 1, "devices": [%1]})")
                .arg(devices.join(QLatin1Char(',')))
                .toUtf8());
    f.close();

    QProcess sim;
    const QString pty = startSimulator(
        sim, simBinary,
        {QStringLiteral("--scenario"), scenario, QStringLiteral("--baud"), QString::number(kBaud)}, out);
    if (pty.isEmpty())
        return 1;

    app::AppContext ctx;
    ctx.siteDir = dir.path();
    ctx.DatabaseMode = QStringLiteral("KVRThermo");
    ctx.settings.HotRecMins = 15;
    ctx.settings.TempType = QStringLiteral("C");
    ctx.settings.ColdRecMins = 15;
    ctx.commands.ResetCmd = QStringLiteral("aR\r");
    ctx.commands.AddressCmd = QStringLiteral("aA");
    ctx.commands.ConvertCmd = QStringLiteral("aW0144\r");
    ctx.commands.ConvertAllCmd = QStringLiteral("aW02CC44\r");
    ctx.commands.SearchCmd = QStringLiteral("aS\r");
    ctx.commands.TemperatureCmd = QStringLiteral("aW0ABEFFFFFFFFFFFFFFFFFF\r");
    ctx.commands.ThermoTempCmd = QStringLiteral("aW0E690EFFFFFFFFFFFFFFFFFFFFFFFF\r");
    const QString thermoPath = dir.filePath(QStringLiteral("Thermo.db"));
    if (!store::createDatabase(thermoPath, store::DatabaseKind::Thermo).ok() ||
        !store::createThermoTypesDatabase(dir.filePath(QStringLiteral("ThermoTypes.db"))).ok())
        return 1;
    ctx.databases.thermo = std::make_unique<store::Database>(store::DatabaseKind::Thermo);
    if (!ctx.databases.thermo->open(thermoPath).ok())
        return 1;
    const QString dbPath = dir.filePath(QStringLiteral("KVR.db"));
    if (!store::createDatabase(dbPath, store::DatabaseKind::Kvr).ok())
        return 1;
    ctx.databases.kvr = std::make_unique<store::Database>(store::DatabaseKind::Kvr);
    if (!ctx.databases.kvr->open(dbPath).ok())
        return 1;
    for (int i = 0; i < kZones; ++i) {
        store::MonitorSetsRow z;
        z.Room = i + 1;
        z.Name = QStringLiteral("Zone %1").arg(i + 1);
        z.SerialNo = romOf(i);
        z.Record = true;
        z.Alarm = true;
        z.HighAlarm = 30;
        z.LowAlarm = 0;
        (void)store::MonitorSetsStore(*ctx.databases.kvr).insert(z);
    }

    app::UserSettings settings(dir.filePath(QStringLiteral("user.ini")));
    settings.save(QStringLiteral("Properties"), QStringLiteral("Settings"), QStringLiteral("115200,n,8,1"));
    settings.save(QStringLiteral("Properties"), QStringLiteral("PortName"), pty);
    app::SystemClock clock;
    app::ConsoleDialogs console;
    const auto serial = sensornet::makeSystemSerialPort();
    bench::CountingPort port(*serial);
    sensornet::EventLoopPause pause;
    sensornet::AdapterLink link(port, clock, pause, console, sensornet::ExchangeRules::monitoring(),
                                &console);
    sensornet::SensorBus bus(link, ctx.commands);
    monitoring::ReadLog log;
    log.open(dir.filePath(QStringLiteral("Kelvara.log")));
    monitoring::ZonePassObserver observer;
    monitoring::ZoneReader reader(ctx, bus, clock, log, console, observer);
    monitoring::ZoneAlarmState state;
    cook::CookCycleList cycles;
    for (int i = 0; i < kCooks; ++i) {
        cook::ThermoRow row;
        row.SensorNo = i + 1;
        row.Name = QStringLiteral("Cook %1").arg(i + 1);
        row.SerialNo = thermoRomOf(i);
        row.SensorType = QString(QLatin1Char(types[i % 5]));
        row.Target = 200;
        row.BatchNo = i + 1;
        cycles.append(row);
    }
    cook::CookReader cookReader(ctx, bus, clock, log, console, observer, cycles);
    link.configurePort(app::readLineSettings(settings));
    (void)link.resetAdapter(ctx.commands.ResetCmd);

    out << "pass  recording  bytes  bound_s  wall_s  (wall-conversion)/bound  user_s  system_s  cpu_%"
        << Qt::endl;
    std::vector<double> ratios;
    std::vector<double> cpuShares;
    double wallSum[2] = {0, 0}; // plain, recording
    double cpuSum[2] = {0, 0};
    for (int pass = 1; pass <= passes; ++pass) {
        const bool recording = pass % 2 == 1;
        // A recording pass every other time, on both sides.
        ctx.LastTime = recording ? QTime(0, 0) : clock.currentTime();
        ctx.HotLastTime = ctx.LastTime;
        port.written = port.read = 0;
        const CpuTimes cpu0 = cpuTimes();
        QElapsedTimer wall;
        wall.start();
        reader.Read_C3Cold(state);
        cookReader.Read_C3Hot();
        const double wallS = static_cast<double>(wall.nsecsElapsed()) / 1e9;
        const CpuTimes cpu1 = cpuTimes();
        const double userS = cpu1.user - cpu0.user;
        const double systemS = cpu1.system - cpu0.system;
        const double cpuS = userS + systemS;
        const qint64 bytes = port.written + port.read;
        const double bound = static_cast<double>(bytes) * 10.0 / kBaud;
        ratios.push_back((wallS - kConversionSeconds) / bound);
        cpuShares.push_back(100.0 * cpuS / wallS);
        wallSum[recording ? 1 : 0] += wallS;
        cpuSum[recording ? 1 : 0] += cpuS;
        out << QStringLiteral("%1  %2  %3  %4  %5  %6  %7  %8  %9")
                   .arg(pass)
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

    // For comparison, the cost of the line alone: bare bus resets, one exchange each, nothing stored.
    constexpr int kExchanges = 1000;
    const CpuTimes cpu0 = cpuTimes();
    QElapsedTimer wall;
    wall.start();
    for (int i = 0; i < kExchanges; ++i)
        bus.busReset();
    const double wallS = static_cast<double>(wall.nsecsElapsed()) / 1e9;
    const CpuTimes cpu1 = cpuTimes();
    const double cpuS = cpu1.user - cpu0.user + cpu1.system - cpu0.system;
    out << QStringLiteral("%1 bare exchanges: %2 us of cpu each, %3 % of the wall time")
               .arg(kExchanges)
               .arg(1e6 * cpuS / kExchanges, 0, 'f', 1)
               .arg(100.0 * cpuS / wallS, 0, 'f', 1)
        << Qt::endl;
    link.closePort();
    sim.terminate();
    sim.waitForFinished();
    return 0;
}
