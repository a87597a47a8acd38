#pragma once

#include "sim/Device.h"

namespace kelvara::sim {

// Family 05 addressable switch: each Match ROM toggles its open-drain output; read slots after a Match or
// Search ROM carry the PIO level (0 while the output conducts); a Conditional Search finds it while on.
class Ds2405 final : public Device {
public:
    static constexpr std::uint8_t kFamily = 0x05;
    Ds2405(const RomId& rom, bool on) : Device(rom), m_on(on) {}

    [[nodiscard]] bool on() const { return m_on; }
    [[nodiscard]] QString describe(double now) const override;
    [[nodiscard]] bool conditionMet() const override { return m_on; }
    bool setOutput(bool on) override;

protected:
    void onSelected(Selection how, Environment& env) override;
    void onFunctionByte(std::uint8_t byte, Environment& env) override;

private:
    bool m_on;
};

} // namespace kelvara::sim
