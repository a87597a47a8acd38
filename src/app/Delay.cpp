#include "app/Delay.h"

#include "app/Clock.h"

#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <cmath>

namespace kelvara::app {

void Delay(const Clock& clock, double seconds) {
    if (!(seconds > 0))
        return;
    const qint64 wanted = static_cast<qint64>(std::ceil(seconds * 1000.0));
    const qint64 start = clock.monotonicMs();
    // Slices are short so a clock that is moved by hand (tests) or a long event does not overshoot much.
    constexpr qint64 kSliceMs = 50;
    for (qint64 elapsed = 0; elapsed < wanted; elapsed = clock.monotonicMs() - start) {
        QEventLoop loop;
        QTimer::singleShot(static_cast<int>(std::min(kSliceMs, wanted - elapsed)), &loop, &QEventLoop::quit);
        loop.exec();
    }
}

} // namespace kelvara::app
