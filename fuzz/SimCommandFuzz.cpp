// The bytes a client writes to the simulated adapter: framing, checksums and every command on a live bus.
#include "FuzzInput.h"
#include "SimScenario.h"
#include "sim/Simulator.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    kelvara::sim::Simulator simulator(kelvara::fuzz::everyFamilyScenario());
    // Fed in two pieces, as a port may deliver them, with time passing between.
    const QByteArray bytes = kelvara::fuzz::bytesOf(data, size);
    const qsizetype half = bytes.size() / 2;
    (void)simulator.feed(QByteArrayView(bytes).first(half), 0.0);
    (void)simulator.feed(QByteArrayView(bytes).sliced(half), 1.0);
    return 0;
}
