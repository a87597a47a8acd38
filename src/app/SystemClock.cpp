#include "app/SystemClock.h"

#include <algorithm>
#include <ctime>

namespace kelvara::app {

namespace {
constexpr qint64 kZoneCheckMs = 60'000;
}

SystemClock::SystemClock() {
    m_elapsed.start();
}

QDateTime SystemClock::now() const {
#ifdef Q_OS_UNIX
    // The zone conversion Qt does for a local QDateTime reads the zone file on every call; the reading
    // pass asks for the time once a zone. The C library keeps the zone loaded until told to look again.
    const qint64 elapsed = m_elapsed.elapsed();
    if (m_zoneCheckedMs < 0 || elapsed - m_zoneCheckedMs >= kZoneCheckMs) {
        ::tzset();
        m_zoneCheckedMs = elapsed;
    }
    const qint64 ms = QDateTime::currentMSecsSinceEpoch();
    const std::time_t seconds = static_cast<std::time_t>(ms / 1000);
    std::tm local{};
    if (::localtime_r(&seconds, &local) != nullptr) {
        const QDate date(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
        const QTime time(local.tm_hour, local.tm_min, std::min(local.tm_sec, 59),
                         static_cast<int>(ms % 1000));
        return QDateTime(date, time, Qt::OffsetFromUTC, static_cast<int>(local.tm_gmtoff));
    }
#endif
    return QDateTime::currentDateTime();
}

} // namespace kelvara::app
