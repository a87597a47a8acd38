// A 20-zone reading pass against the simulator pacing its answers as a 115200-baud line and converting in
// the sensors' own time (750 ms at 12 bits): wall time against the conversion time plus the serial lower
// bound, and the processor time the pass costs.
#include "PassBench.h"
#include "app/AppContext.h"

#include <QCoreApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>

using namespace kelvara;

namespace {

constexpr int kZones = 20;

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    const bench::BenchArguments args = bench::benchArguments(5);
    QTemporaryDir dir;

    const QStringList devices = bench::zoneDevices(kZones);
    QProcess sim;
    const QString pty = bench::startPassSimulator(sim, args, dir.path(), devices, out);
    if (pty.isEmpty())
        return 1;

    app::AppContext ctx;
    ctx.siteDir = dir.path();
    ctx.DatabaseMode = QStringLiteral("KVR");
    ctx.settings.TempType = QStringLiteral("C");
    ctx.settings.ColdRecMins = 15;
    if (!bench::makeZoneDatabase(ctx, kZones))
        return 1;
    bench::ZonePassRig rig(ctx, pty);

    bench::measurePasses(
        out, rig.port, args.runs,
        [&](bool recording) { ctx.LastTime = recording ? QTime(0, 0) : rig.clock.currentTime(); },
        [&] { rig.reader.Read_C3Cold(rig.state); });
    bench::measureBareExchanges(out, [&] { rig.bus.busReset(); });
    rig.link.closePort();
    sim.terminate();
    sim.waitForFinished();
    return 0;
}
