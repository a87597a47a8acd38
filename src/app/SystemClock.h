#pragma once

#include "app/Clock.h"

#include <QElapsedTimer>

namespace kelvara::app {

// The machine's own clock.
class SystemClock final : public Clock {
public:
    SystemClock() { m_elapsed.start(); }
    [[nodiscard]] QDateTime now() const override { return QDateTime::currentDateTime(); }
    [[nodiscard]] qint64 monotonicMs() const override { return m_elapsed.elapsed(); }

private:
    QElapsedTimer m_elapsed;
};

} // namespace kelvara::app
