// A reading pass of 20 zones and 10 running cook cycles against the simulator pacing its answers as a
// 115200-baud line and converting in the sensors' own time (750 ms at 12 bits): wall time against the
// conversion time plus the serial lower bound, and the processor time the pass costs.
#include "PassBench.h"
#include "app/AppContext.h"
#include "cook/CookCycleList.h"
#include "cook/CookReader.h"
#include "cook/ThermoTable.h"
#include "store/Database.h"
#include "store/ThermoTypesTable.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>

using namespace kelvara;

namespace {

constexpr int kZones = 20;
constexpr int kCooks = 10;
constexpr char kTypes[] = {'K', 'J', 'T', 'E', 'N'};

QString thermoRomOf(int i) {
    return bench::benchRom(i, 0xA0, QStringLiteral("30"));
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    const bench::BenchArguments args = bench::benchArguments(5);
    QTemporaryDir dir;

    QStringList devices = bench::zoneDevices(kZones);
    for (int i = 0; i < kCooks; ++i)
        devices << QStringLiteral(R"({"rom": "%1", "type": "%2", "temperature": %3, "coldJunction": 22.125})")
                       .arg(thermoRomOf(i))
                       .arg(QLatin1Char(kTypes[i % 5]))
                       .arg(60 + i * 5);
    QProcess sim;
    const QString pty = bench::startPassSimulator(sim, args, dir.path(), devices, out);
    if (pty.isEmpty())
        return 1;

    app::AppContext ctx;
    ctx.siteDir = dir.path();
    ctx.DatabaseMode = QStringLiteral("KVRThermo");
    ctx.settings.HotRecMins = 15;
    ctx.settings.TempType = QStringLiteral("C");
    ctx.settings.ColdRecMins = 15;
    const QString thermoPath = dir.filePath(QStringLiteral("Thermo.db"));
    if (!store::createDatabase(thermoPath, store::DatabaseKind::Thermo).ok() ||
        !store::createThermoTypesDatabase(dir.filePath(QStringLiteral("ThermoTypes.db"))).ok())
        return 1;
    ctx.databases.thermo = std::make_unique<store::Database>(store::DatabaseKind::Thermo);
    if (!ctx.databases.thermo->open(thermoPath).ok() || !bench::makeZoneDatabase(ctx, kZones))
        return 1;
    bench::ZonePassRig rig(ctx, pty);
    cook::CookCycleList cycles;
    for (int i = 0; i < kCooks; ++i) {
        cook::ThermoRow row;
        row.SensorNo = i + 1;
        row.Name = QStringLiteral("Cook %1").arg(i + 1);
        row.SerialNo = thermoRomOf(i);
        row.SensorType = QString(QLatin1Char(kTypes[i % 5]));
        row.Target = 200;
        row.BatchNo = i + 1;
        cycles.append(row);
    }
    cook::CookReader cookReader(ctx, rig.bus, rig.clock, rig.log, rig.console, rig.observer, cycles);

    bench::measurePasses(
        out, rig.port, args.runs,
        [&](bool recording) {
            // A recording pass every other time, on both sides.
            ctx.LastTime = recording ? QTime(0, 0) : rig.clock.currentTime();
            ctx.HotLastTime = ctx.LastTime;
        },
        [&] {
            rig.reader.Read_C3Cold(rig.state);
            cookReader.Read_C3Hot();
        });
    bench::measureBareExchanges(out, [&] { rig.bus.busReset(); });
    rig.link.closePort();
    sim.terminate();
    sim.waitForFinished();
    return 0;
}
