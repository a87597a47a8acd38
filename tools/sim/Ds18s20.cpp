#include "sim/Ds18s20.h"

#include <algorithm>
#include <cmath>

namespace kelvara::sim {

namespace {
constexpr int kCountPerC = 16;
}

Ds18s20::Ds18s20(const RomId& rom, const Course& course) : Ds18x20(rom, course) {
    m_pad[4] = 0xFF;
    m_pad[5] = 0xFF;
    powerUp();
}

void Ds18s20::storeConversion(double celsius) {
    const double t = std::clamp(celsius, -55.0, 125.0);
    const int halves = static_cast<int>(std::lround(t * 2.0));
    m_pad[0] = static_cast<std::uint8_t>(halves & 0xFF);
    m_pad[1] = halves < 0 ? 0xFF : 0x00;
    // Extended resolution: T = TEMP_READ - 0.25 + (COUNT_PER_C - COUNT_REMAIN) / COUNT_PER_C, where
    // TEMP_READ is the register with its half-degree bit dropped.
    const double tempRead = std::floor(halves / 2.0);
    const long remain = std::lround(kCountPerC * (0.75 - (t - tempRead)));
    m_pad[6] = static_cast<std::uint8_t>(std::clamp(remain, 0L, static_cast<long>(kCountPerC)));
    m_pad[7] = kCountPerC;
}

void Ds18s20::storePowerOnValue() {
    m_pad[0] = 0xAA;
    m_pad[1] = 0x00;
    m_pad[6] = 0x0C;
    m_pad[7] = kCountPerC;
}

} // namespace kelvara::sim
