#pragma once

#include "base/Clock.h"

#include <QElapsedTimer>

namespace kelvara::app {

// The machine's own clock.
class SystemClock final : public base::Clock {
public:
    SystemClock();
    // The local time with the machine's offset from UTC at that instant; the time zone is looked up again
    // at most once a minute, so a change of zone shows within a minute.
    [[nodiscard]] QDateTime now() const override;
    [[nodiscard]] qint64 monotonicMs() const override { return m_elapsed.elapsed(); }

private:
    QElapsedTimer m_elapsed;
    mutable qint64 m_zoneCheckedMs = -1;
};

} // namespace kelvara::app
