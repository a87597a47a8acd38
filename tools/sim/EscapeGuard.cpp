#include "sim/EscapeGuard.h"

namespace kelvara::sim {

namespace {
constexpr int kEscapeLength = 3;
}

void EscapeGuard::start(double nowSeconds) {
    m_last = nowSeconds;
    m_plus = 0;
}

QByteArray EscapeGuard::take(QByteArrayView bytes, double nowSeconds) {
    QByteArray out;
    for (char c : bytes) {
        const bool quietBefore = nowSeconds - m_last >= kGuardSeconds - kSlackSeconds;
        if (m_plus > 0 && quietBefore) {
            // The pluses held so far were too far apart to be an escape.
            out += QByteArray(m_plus, '+');
            m_plus = 0;
        }
        if (c == '+' && m_plus < kEscapeLength && (m_plus > 0 || quietBefore)) {
            ++m_plus;
        } else {
            out += QByteArray(m_plus, '+');
            m_plus = 0;
            out += c;
        }
        m_last = nowSeconds;
    }
    return out;
}

std::optional<double> EscapeGuard::completesAt() const {
    if (m_plus < kEscapeLength)
        return std::nullopt;
    return m_last + kGuardSeconds;
}

bool EscapeGuard::escaped(double nowSeconds) {
    const auto at = completesAt();
    if (!at || nowSeconds < *at)
        return false;
    start(nowSeconds);
    return true;
}

} // namespace kelvara::sim
