// Scenario and modem files as a user writes them; a scenario that loads runs a search and a reading.
#include "FuzzInput.h"
#include "sim/ModemScenario.h"
#include "sim/Scenario.h"
#include "sim/Simulator.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kelvara::sim;
    const QByteArray json = kelvara::fuzz::bytesOf(data, size);
    QString error;
    if (const auto scenario = Scenario::fromJson(json, &error)) {
        Simulator simulator(*scenario);
        (void)simulator.feed("aRaSasasasaR\raW02CC44\raB1\r", 0.0);
        (void)simulator.feed("aB1\raRaA750000000000A128\raW0ABEFFFFFFFFFFFFFFFFFF\r", 10.0);
    }
    (void)ModemScenario::fromJson(json, &error);
    return 0;
}
