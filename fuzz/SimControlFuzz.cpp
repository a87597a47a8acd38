// The simulator's control channel: one command per line, then a bus exchange to use what they changed.
#include "FuzzInput.h"
#include "SimScenario.h"
#include "sim/ControlCommands.h"
#include "sim/Simulator.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    kelvara::sim::Simulator simulator(kelvara::fuzz::everyFamilyScenario());
    kelvara::sim::ControlCommands control(simulator);
    for (const QByteArray& line : kelvara::fuzz::partsOf(data, size))
        (void)control.execute(QString::fromUtf8(line));
    (void)simulator.feed("aR\raSaA750000000000A128\raW0144\raW0ABEFFFFFFFFFFFFFFFFFF\raC,FF\r", 2.0);
    return 0;
}
