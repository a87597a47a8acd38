#include "sim/BusSearch.h"

namespace kelvara::sim {

namespace {
constexpr std::uint8_t kSearchRom = 0xF0;
constexpr std::uint8_t kConditionalSearch = 0xEC;
} // namespace

void BusSearch::begin(Kind kind, std::uint8_t family) {
    m_kind = kind;
    m_family = family;
    m_active = true;
    m_lastDevice = false;
    m_rom.fill(false);
    m_lastDiscrepancy = 0;
    if (kind == Kind::Family) {
        // Steer the first pass toward the smallest id of the family (its code, then zeros): past the last
        // bit, so every discrepancy follows that pattern.
        for (int bit = 0; bit < 8; ++bit)
            m_rom[static_cast<std::size_t>(bit)] = ((family >> bit) & 1) != 0;
        m_lastDiscrepancy = 65;
    }
}

std::optional<RomId> BusSearch::next(Bus& bus, Environment& env) {
    if (!m_active || m_lastDevice || !bus.reset(env)) {
        end();
        return std::nullopt;
    }
    bus.touchByte(m_kind == Kind::Conditional ? kConditionalSearch : kSearchRom, env);
    int lastZero = 0;
    for (int bit = 1; bit <= 64; ++bit) {
        const bool idBit = bus.touchBit(true, env);
        const bool complement = bus.touchBit(true, env);
        if (idBit && complement) {
            // Nobody answered (no device meets the condition, or one left the line mid-search).
            end();
            return std::nullopt;
        }
        bool direction;
        if (idBit != complement) {
            direction = idBit;
        } else {
            direction =
                bit < m_lastDiscrepancy ? m_rom[static_cast<std::size_t>(bit - 1)] : bit == m_lastDiscrepancy;
            if (!direction)
                lastZero = bit;
        }
        m_rom[static_cast<std::size_t>(bit - 1)] = direction;
        bus.touchBit(direction, env);
    }
    m_lastDiscrepancy = lastZero;
    m_lastDevice = lastZero == 0;

    std::array<std::uint8_t, 8> bytes{};
    for (int bit = 0; bit < 64; ++bit) {
        if (m_rom[static_cast<std::size_t>(bit)])
            bytes[static_cast<std::size_t>(bit / 8)] |= static_cast<std::uint8_t>(1 << (bit % 8));
    }
    const RomId found(bytes);
    if (m_kind == Kind::Family && found.family() != m_family) {
        end();
        return std::nullopt;
    }
    return found;
}

} // namespace kelvara::sim
