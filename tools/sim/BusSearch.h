#pragma once

#include "sim/Bus.h"
#include "sim/RomId.h"

#include <array>
#include <optional>

namespace kelvara::sim {

// The bus master's side of a ROM search, one device per call: a normal search, a conditional search (only
// devices whose condition is met take part) or a search limited to one family. Devices come in the order
// the search meets them: by their ROM bits from the family code's lowest bit on, 0 before 1.
class BusSearch {
public:
    enum class Kind { All, Conditional, Family };

    void begin(Kind kind, std::uint8_t family = 0);
    // The next device, or nullopt when the search is over (and stays over until the next begin).
    [[nodiscard]] std::optional<RomId> next(Bus& bus, Environment& env);

private:
    void end() { m_active = false; }

    Kind m_kind = Kind::All;
    std::uint8_t m_family = 0;
    bool m_active = false;
    bool m_lastDevice = false;
    int m_lastDiscrepancy = 0;
    std::array<bool, 64> m_rom{};
};

} // namespace kelvara::sim
