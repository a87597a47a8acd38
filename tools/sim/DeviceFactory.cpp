#include "sim/DeviceFactory.h"

#include "sim/Ds18b20.h"
#include "sim/Ds18s20.h"
#include "sim/Ds2405.h"
#include "sim/Ds2760.h"
#include "sim/PlainDevice.h"

namespace kelvara::sim {

namespace {
constexpr std::uint8_t kDs1822Family = 0x22;
constexpr std::uint8_t kDs1825Family = 0x3B;
} // namespace

std::unique_ptr<Device> DeviceFactory::make(const DeviceConfig& config) {
    std::unique_ptr<Device> device;
    switch (config.rom.family()) {
    case Ds18s20::kFamily: {
        auto sensor = std::make_unique<Ds18s20>(config.rom, config.temperature);
        sensor->setParasitePower(config.parasitePower);
        device = std::move(sensor);
        break;
    }
    case Ds18b20::kFamily:
    case kDs1822Family:
    case kDs1825Family: {
        auto sensor = std::make_unique<Ds18b20>(config.rom, config.temperature, config.resolutionBits);
        sensor->setParasitePower(config.parasitePower);
        device = std::move(sensor);
        break;
    }
    case Ds2405::kFamily:
        device = std::make_unique<Ds2405>(config.rom, config.on);
        break;
    case Ds2760::kFamily:
        device = std::make_unique<Ds2760>(config.rom, config.thermocoupleType, config.temperature,
                                          config.coldJunction);
        break;
    default:
        device = std::make_unique<PlainDevice>(config.rom);
        break;
    }
    device->faults() = config.faults;
    return device;
}

} // namespace kelvara::sim
