// The adapter's list of switches that are on, as the lamp code reads it.
#include "FuzzInput.h"
#include "sensornet/SwitchList.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const kelvara::sensornet::SwitchList list(kelvara::fuzz::latin1Of(data, size));
    for (const auto& entry : list.entries()) {
        (void)list.isOn(entry.romId());
        (void)entry.family();
    }
    (void)list.ofFamily(QStringLiteral("05"));
    (void)list.isOn(QStringLiteral("610000000000C105"));
    return 0;
}
