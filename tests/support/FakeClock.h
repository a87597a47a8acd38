#pragma once

#include "base/Clock.h"

namespace kelvara::test {

// A clock that moves only when told to; optionally by a fixed step on every reading, so waits end.
class FakeClock final : public base::Clock {
public:
    explicit FakeClock(QDateTime start = QDateTime(QDate(2026, 1, 15), QTime(12, 0, 0)))
        : m_now(std::move(start)) {}

    [[nodiscard]] QDateTime now() const override {
        tick();
        return m_now;
    }
    [[nodiscard]] qint64 monotonicMs() const override {
        tick();
        return m_monotonic;
    }

    void advance(qint64 ms) {
        m_now = m_now.addMSecs(ms);
        m_monotonic += ms;
    }
    void advanceSeconds(double s) { advance(static_cast<qint64>(s * 1000.0)); }
    void set(const QDateTime& t) {
        // Setting the wall clock does not move the monotonic count backwards.
        const qint64 delta = m_now.msecsTo(t);
        m_now = t;
        if (delta > 0)
            m_monotonic += delta;
    }
    // Every reading of the clock moves it on by this many milliseconds (0: frozen).
    void setAutoAdvance(qint64 ms) { m_autoAdvance = ms; }

private:
    void tick() const {
        if (m_autoAdvance > 0) {
            m_now = m_now.addMSecs(m_autoAdvance);
            m_monotonic += m_autoAdvance;
        }
    }

    mutable QDateTime m_now;
    mutable qint64 m_monotonic = 0;
    qint64 m_autoAdvance = 0;
};

} // namespace kelvara::test
