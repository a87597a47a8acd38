#pragma once

#include <cstdint>
#include <span>

namespace kelvara::sim {

// The Dallas/Maxim 1-Wire CRC-8 (polynomial x^8 + x^5 + x^4 + 1, least significant bit first, start 0).
// A block followed by its own CRC gives 0.
[[nodiscard]] std::uint8_t dallasCrc8(std::span<const std::uint8_t> bytes);

} // namespace kelvara::sim
