#pragma once

#include "CountingPort.h"
#include "app/ConsoleDialogs.h"
#include "app/SystemClock.h"
#include "monitoring/ReadLog.h"
#include "monitoring/ZonePassObserver.h"
#include "monitoring/ZoneReader.h"
#include "sensornet/AdapterLink.h"
#include "sensornet/EventLoopPause.h"
#include "sensornet/SensorBus.h"

#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTextStream>
#include <functional>
#include <memory>
#include <vector>

namespace kelvara::bench {

// The line the reading-pass benches ask the simulator to pace its answers at.
constexpr int kPassBaud = 115200;
// The sixteenth-degree sensors of the scenarios convert at 12 bits unless told otherwise.
constexpr double kConversionSeconds = 0.75;

// What a bench is told on its command line: the simulator binary (else $KELVARA_SIM) and how many runs.
struct BenchArguments {
    QString simBinary;
    int runs = 1;
};
[[nodiscard]] BenchArguments benchArguments(int defaultRuns);

[[nodiscard]] double median(std::vector<double> values);

// A valid-looking sensor id of this family (the simulator warns about its check byte and keeps it as
// written); `first` keeps the ids of two families apart.
[[nodiscard]] QString benchRom(int i, int first, const QString& family);

// The scenario's entries of `zones` sixteenth-degree zone sensors on benchRom(i, 0x40, "28"), from 2 degrees
// up by half a degree.
[[nodiscard]] QStringList zoneDevices(int zones);

// Starts the simulator on a scenario of these devices, converting in real time and pacing its answers at
// kPassBaud; the terminal's path, or empty (with the reason on `out`).
[[nodiscard]] QString startPassSimulator(QProcess& sim, const BenchArguments& args, const QString& folder,
                                         const QStringList& devices, QTextStream& out);

// A new KVR.db, open, in the context's site folder with the first `zones` of those zones, recorded and
// alarmed (none for a bench that needs only the database).
[[nodiscard]] bool makeZoneDatabase(app::AppContext& ctx, int zones);

// The zone side of a reading pass wired to the simulator's terminal as the headless run wires it, with the
// shipped adapter commands (set in the context too), the bytes on the line counted and the adapter reset.
struct ZonePassRig {
    ZonePassRig(app::AppContext& ctx, const QString& pty);

    app::SystemClock clock;
    app::ConsoleDialogs console;
    std::unique_ptr<sensornet::SerialPort> serial;
    CountingPort port;
    sensornet::EventLoopPause pause;
    sensornet::AdapterLink link;
    sensornet::SensorBus bus;
    monitoring::ReadLog log;
    monitoring::ZonePassObserver observer;
    monitoring::ZoneReader reader;
    monitoring::ZoneAlarmState state;
};

// Runs the reading passes, a recording one every other time (`prepare` sets the context for it before the
// clock starts), and prints each pass's wall and processor time against the serial lower bound of the bytes
// that crossed `port`, then the medians and highest of all passes.
void measurePasses(QTextStream& out, CountingPort& port, int passes,
                   const std::function<void(bool recording)>& prepare, const std::function<void()>& pass);

// For comparison, the cost of the line alone: a thousand bare exchanges, nothing stored.
void measureBareExchanges(QTextStream& out, const std::function<void()>& exchange);

} // namespace kelvara::bench
