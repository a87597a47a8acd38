#include "sim/Ds18b20.h"

#include <algorithm>
#include <cmath>

namespace kelvara::sim {

namespace {
// Only R1 and R0 (bits 6 and 5) of the configuration register can be written; the others read 0 and 1s.
std::uint8_t configuration(std::uint8_t written) {
    return static_cast<std::uint8_t>((written & 0x60) | 0x1F);
}
} // namespace

Ds18b20::Ds18b20(const RomId& rom, const Course& course, int resolutionBits) : Ds18x20(rom, course) {
    m_eeprom[2] = configuration(static_cast<std::uint8_t>((std::clamp(resolutionBits, 9, 12) - 9) << 5));
    m_pad[5] = 0xFF;
    powerUp();
}

void Ds18b20::storeConversion(double celsius) {
    const double t = std::clamp(celsius, -55.0, 125.0);
    int sixteenths = static_cast<int>(std::lround(t * 16.0));
    // Lower resolutions leave their undefined low bits at 0.
    sixteenths &= ~((1 << (12 - resolutionBits())) - 1);
    m_pad[0] = static_cast<std::uint8_t>(sixteenths & 0xFF);
    m_pad[1] = static_cast<std::uint8_t>((sixteenths >> 8) & 0xFF);
    m_pad[6] = static_cast<std::uint8_t>(0x10 - (m_pad[0] & 0x0F));
    m_pad[7] = 0x10;
}

void Ds18b20::storePowerOnValue() {
    m_pad[0] = 0x50;
    m_pad[1] = 0x05;
    m_pad[6] = 0x0C;
    m_pad[7] = 0x10;
}

void Ds18b20::storeWritten(int n, std::uint8_t byte) {
    if (n == 2)
        byte = configuration(byte);
    Ds18x20::storeWritten(n, byte);
}

} // namespace kelvara::sim
