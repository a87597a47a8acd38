#pragma once

#include "sim/Ds18x20.h"

namespace kelvara::sim {

// Family 10 thermometer: half-degree temperature register (power-on 00AAh) with COUNT_REMAIN and
// COUNT_PER_C for the extended resolution.
class Ds18s20 final : public Ds18x20 {
public:
    static constexpr std::uint8_t kFamily = 0x10;
    Ds18s20(const RomId& rom, const Course& course);

protected:
    void storeConversion(double celsius) override;
    void storePowerOnValue() override;
    [[nodiscard]] double conversionSeconds() const override { return 0.75; }
    [[nodiscard]] int writableBytes() const override { return 2; }
};

} // namespace kelvara::sim
