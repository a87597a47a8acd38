#include "cook/CookSide.h"

#include "monitoring/MonitoringCycle.h"
#include "monitoring/MonitoringJob.h"
#include "monitoring/PanelLamps.h"
#include "notify/AlarmDispatcher.h"

namespace kelvara::cook {

CookSide::CookSide(app::AppContext& ctx, monitoring::MonitoringJob& job, const base::Clock& clock,
                   base::UserDialogs& dialogs, base::ErrorReporter& errors,
                   monitoring::ZonePassObserver& observer)
    : m_job(job), m_reader(ctx, job.bus(), clock, job.readLog(), errors, observer, m_cycles),
      m_lamps(job.bus(), m_cycles), m_control(ctx, clock, dialogs, m_cycles) {}

void CookSide::attach(notify::AlarmDispatcher* dispatcher) {
    m_job.lamps().setCookHalf([this](const sensornet::SwitchList& lit) { m_lamps.Light_Panel(lit); });
    m_job.cycle().setHooks({[this] { return m_cycles.size(); }, [this] { m_reader.Read_C3Hot(); },
                            [this, dispatcher] {
                                if (!dispatcher)
                                    return;
                                dispatcher->setCookDone(m_cycles.CookDone);
                                dispatcher->Read_Alarms();
                            }});
}

} // namespace kelvara::cook
