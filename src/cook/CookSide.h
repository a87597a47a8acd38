#pragma once

#include "base/Clock.h"
#include "base/ErrorReporter.h"
#include "base/Result.h"
#include "base/UserDialogs.h"
#include "cook/CookCycleControl.h"
#include "cook/CookCycleList.h"
#include "cook/CookLamps.h"
#include "cook/CookReader.h"

namespace kelvara::app {
struct AppContext;
}

namespace kelvara::monitoring {
class MonitoringJob;
class ZonePassObserver;
} // namespace kelvara::monitoring

namespace kelvara::notify {
class AlarmDispatcher;
}

namespace kelvara::cook {

// The cook side of a running site: the running cycles, their reading pass and their lamps, hooked into the
// monitoring job. The window and the headless run both build one.
class CookSide {
public:
    CookSide(app::AppContext& ctx, monitoring::MonitoringJob& job, const base::Clock& clock,
             base::UserDialogs& dialogs, base::ErrorReporter& errors, monitoring::ZonePassObserver& observer);

    // Hooks the cook pass and the cook lamps into the job's cycle, and the cook-done flag into the alarm
    // run that follows every pass (no dispatcher: a run without notification).
    void attach(notify::AlarmDispatcher* dispatcher);

    [[nodiscard]] CookCycleList& cycles() { return m_cycles; }
    [[nodiscard]] CookReader& reader() { return m_reader; }
    [[nodiscard]] CookCycleControl& control() { return m_control; }

private:
    monitoring::MonitoringJob& m_job;
    CookCycleList m_cycles;
    CookReader m_reader;
    CookLamps m_lamps;
    CookCycleControl m_control;
};

} // namespace kelvara::cook
