#include "monitoring/MonitoringCycle.h"

#include "app/AppContext.h"
#include "base/Clock.h"
#include "base/UserDialogs.h"
#include "monitoring/PanelLamps.h"
#include "monitoring/TimeOfDay.h"
#include "monitoring/ZonePassObserver.h"
#include "monitoring/ZoneReader.h"
#include "sensornet/AdapterLink.h"
#include "sensornet/SensorBus.h"
#include "store/MonitorSetsStore.h"

namespace kelvara::monitoring {

MonitoringCycle::MonitoringCycle(app::AppContext& ctx, sensornet::AdapterLink& link,
                                 sensornet::SensorBus& bus, const base::Clock& clock, ZoneReader& zones,
                                 PanelLamps& lamps, base::UserDialogs& dialogs, ZonePassObserver& observer,
                                 ZoneAlarmState& state, QObject* parent)
    : QObject(parent), m_ctx(ctx), m_link(link), m_bus(bus), m_clock(clock), m_zones(zones), m_lamps(lamps),
      m_dialogs(dialogs), m_observer(observer), m_state(state) {
    m_timer.setInterval(kTickMs);
    connect(&m_timer, &QTimer::timeout, this, &MonitoringCycle::tmRecord_Timer);
    loadIntervals();
}

void MonitoringCycle::loadIntervals() {
    m_coldReadSeconds = TimeOfDay::intervalSeconds(m_ctx.settings.ColdReadHours, m_ctx.settings.ColdReadMins);
    m_hotReadSeconds = TimeOfDay::intervalSeconds(m_ctx.settings.HotReadHours, m_ctx.settings.HotReadMins);
}

void MonitoringCycle::loadZones(const std::vector<store::MonitorSetsRow>& zones) {
    m_state.loadZones(zones);
}

MonitoringCycle::DueSides MonitoringCycle::dueSides(const QTime& lastCold, const QTime& lastHot,
                                                    const QTime& now, double coldSeconds, double hotSeconds,
                                                    bool zoneSide, bool cookSide) {
    DueSides due;
    if (!(coldSeconds + hotSeconds > 0))
        return due;
    auto isDue = [&](const QTime& last, double interval, bool installed) {
        const int elapsed = TimeOfDay::secondsBetween(last, now);
        return (installed && interval > 0 && elapsed >= interval) || elapsed < 0;
    };
    due.cold = isDue(lastCold, coldSeconds, zoneSide);
    due.hot = isDue(lastHot, hotSeconds, cookSide);
    return due;
}

void MonitoringCycle::tmRecord_Timer() {
    const DueSides due = dueSides(m_lastColdRead, m_lastHotRead, m_clock.currentTime(), m_coldReadSeconds,
                                  m_hotReadSeconds, m_ctx.hasZoneSide(), m_ctx.hasCookSide());
    if (due.cold || due.hot)
        ReadSensors(due.cold, due.hot);
}

void MonitoringCycle::readNow() {
    if (m_timer.isActive())
        ReadSensors(true, true);
}

void MonitoringCycle::ReadSensors(bool coldDue, bool hotDue) {
    m_reading = true;
    m_timer.stop(); // no tick may start a second pass while this one waits on the adapter
    Q_EMIT readingChanged(true);

    const bool readCold = coldDue && m_ctx.hasZoneSide();
    const bool readHot =
        hotDue && m_ctx.hasCookSide() && m_hooks.runningCookCycles && m_hooks.runningCookCycles() > 0;
    if (readCold || readHot) {
        Q_EMIT statusChanged(kReadingText, true);
        m_observer.processEvents();
        if (m_ctx.commandsProblem.isEmpty() && connectLink() && m_bus.adapterPresent()) {
            if (readCold && m_ctx.databases.kvr) {
                m_lastColdRead = m_clock.currentTime();
                m_zones.Read_C3Cold(m_state);
            }
            if (readHot && m_hooks.readCookSide) {
                m_lastHotRead = m_clock.currentTime();
                m_hooks.readCookSide();
            }
            Q_EMIT statusChanged(QString(), false);
        } else {
            failurePath();
        }
    }

    if (m_link.failed()) {
        m_adapterLost = true;
        m_link.closePort(); // a failed device only keeps failing; the next pass opens it anew
    }
    // An adapter that could not be reached has been reported once this pass: the lamps wait for the pass
    // that gets it back, which brings every lamp into step again (switches may have lost power with the
    // adapter). A pass that read nothing tries to get it back for the lamps.
    const bool lampsReachable =
        m_ctx.commandsProblem.isEmpty() &&
        ((readCold || readHot) ? m_link.isOpen() && !m_adapterLost : !m_adapterLost || connectLink());
    if (lampsReachable)
        m_lamps.Light_Panel(m_state);
    if (m_hooks.readAlarms)
        m_hooks.readAlarms();

    m_reading = false;
    Q_EMIT readingChanged(false);
    m_timer.start();
}

bool MonitoringCycle::connectLink() {
    if (m_link.failed())
        m_adapterLost = true;
    else if (m_link.isOpen())
        return true;
    if (m_adapterLost)
        m_link.reopen(m_ctx.commands.ResetCmd);
    else
        m_link.resetAdapter(m_ctx.commands.ResetCmd);
    if (m_link.isOpen())
        m_adapterLost = false;
    return m_link.isOpen();
}

void MonitoringCycle::failurePath() {
    // Without the adapter's commands the connections are not to blame: the status says what is missing.
    Q_EMIT statusChanged(
        m_ctx.commandsProblem.isEmpty() ? kFailureText : kNoCommandsText.arg(m_ctx.commandsProblem), true);
    m_observer.processEvents();
    const QTime now = m_clock.currentTime();
    m_lastColdRead = now; // the next attempt waits a whole read interval
    m_lastHotRead = now;
    m_state.AlarmRooms = QStringLiteral("SensorRead");
    m_state.AlarmCondition = true;
    m_state.AlarmRaised = true;
    m_state.ZoneAlarmRaised[0] = true;
    m_state.ZoneAlarmDisabled[0] = false;
    m_state.AlarmTexts[0] = kFailureAlarmText;
    m_observer.allZonesNoReading();
}

void MonitoringCycle::SuspendMonitoring(bool closePort) {
    m_timer.stop();
    m_dialogs.warning(QStringLiteral("Kelvara"), kSuspendText);
    if (closePort && m_link.isOpen())
        m_link.closePort();
}

} // namespace kelvara::monitoring
