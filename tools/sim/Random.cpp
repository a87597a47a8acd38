#include "sim/Random.h"

namespace kelvara::sim {

std::uint64_t Random::next() {
    m_state += 0x9E3779B97F4A7C15ULL;
    std::uint64_t z = m_state;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

double Random::unit() {
    return static_cast<double>(next() >> 11) * 0x1.0p-53;
}

int Random::below(int n) {
    return static_cast<int>(next() % static_cast<std::uint64_t>(n));
}

bool Random::chance(double probability) {
    if (probability >= 1.0)
        return true;
    if (probability <= 0.0)
        return false;
    return unit() < probability;
}

} // namespace kelvara::sim
