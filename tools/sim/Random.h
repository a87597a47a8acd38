#pragma once

#include <cstdint>

namespace kelvara::sim {

// A small seeded generator (splitmix64) whose sequence is the same on every platform and library, so a
// scenario's seed reproduces the same faults and noise everywhere.
class Random {
public:
    explicit Random(std::uint64_t seed = 1) : m_state(seed) {}

    void reseed(std::uint64_t seed) { m_state = seed; }
    [[nodiscard]] std::uint64_t next();
    // Uniform in [0, 1).
    [[nodiscard]] double unit();
    // Uniform in [0, n); n > 0.
    [[nodiscard]] int below(int n);
    // True with the given probability; a probability of 1 or more never draws, so certain faults leave the
    // sequence alone.
    [[nodiscard]] bool chance(double probability);

private:
    std::uint64_t m_state;
};

} // namespace kelvara::sim
