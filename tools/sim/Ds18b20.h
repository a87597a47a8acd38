#pragma once

#include "sim/Ds18x20.h"

namespace kelvara::sim {

// Family 28 thermometer (also 22 and 3B, which share its scratchpad): sixteenth-degree temperature register
// (power-on 0550h) at 9 to 12 bits chosen by the configuration register.
class Ds18b20 final : public Ds18x20 {
public:
    static constexpr std::uint8_t kFamily = 0x28;
    Ds18b20(const RomId& rom, const Course& course, int resolutionBits = 12);

    [[nodiscard]] int resolutionBits() const { return 9 + ((m_pad[4] >> 5) & 0x03); }

protected:
    void storeConversion(double celsius) override;
    void storePowerOnValue() override;
    // 93.75 ms at 9 bits, doubling with each bit up to 750 ms at 12.
    [[nodiscard]] double conversionSeconds() const override {
        return 0.09375 * (1 << (resolutionBits() - 9));
    }
    [[nodiscard]] int writableBytes() const override { return 3; }
    void storeWritten(int n, std::uint8_t byte) override;
};

} // namespace kelvara::sim
