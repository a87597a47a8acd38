#include "sensornet/EventLoopPause.h"

#include <QEventLoop>
#include <QTimer>
#include <limits>

namespace kelvara::sensornet {

void EventLoopPause::wait(qint64 ms) {
    if (ms <= 0)
        return;
    // A timer measures from now on a monotonic clock, so midnight cannot lengthen the wait.
    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    timer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    timer.start(static_cast<int>(qMin<qint64>(ms, std::numeric_limits<int>::max())));
    loop.exec();
}

} // namespace kelvara::sensornet
