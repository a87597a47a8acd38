#pragma once

#include "sim/Device.h"

#include <array>

namespace kelvara::sim {

// Family 30 battery monitor wired as a thermocouple interface: the current register (0Eh-0Fh) carries the
// thermocouple EMF across the sense inputs, 15.625 µV per count, 12 bits and sign, left-justified; the
// temperature register (18h-19h) the cold junction, 0.125 °C per count, 10 bits and sign, left-justified.
// Function commands: Read Data (69h), Write Data (6Ch), Copy Data (48h), Recall Data (B8h), Lock (6Ah).
class Ds2760 final : public Device {
public:
    static constexpr std::uint8_t kFamily = 0x30;
    Ds2760(const RomId& rom, char thermocoupleType, const Course& hotJunction, const Course& coldJunction);

    [[nodiscard]] QString describe(double now) const override;
    bool setCourse(const Course& course) override;
    bool setColdJunction(const Course& course) override;

protected:
    void onReset() override { m_state = State::Command; }
    void onFunctionByte(std::uint8_t byte, Environment& env) override;

private:
    enum class State { Command, ReadAddress, WriteAddress, Writing, BlockAddress };
    void refreshRegisters(Environment& env);

    char m_type;
    Course m_hot;
    Course m_cold;
    std::array<std::uint8_t, 256> m_memory{};
    State m_state = State::Command;
    int m_address = 0;
};

} // namespace kelvara::sim
