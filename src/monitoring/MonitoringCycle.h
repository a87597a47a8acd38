#pragma once

#include "base/Clock.h"
#include "base/UserDialogs.h"
#include "monitoring/ZoneAlarmState.h"

#include <QObject>
#include <QTime>
#include <QTimer>
#include <functional>
#include <vector>

namespace kelvara::app {
struct AppContext;
}

namespace kelvara::sensornet {
class AdapterLink;
class SensorBus;
} // namespace kelvara::sensornet

namespace kelvara::store {
struct MonitorSetsRow;
}

namespace kelvara::monitoring {

class PanelLamps;
class ZonePassObserver;
class ZoneReader;

// The heartbeat of monitoring: a 10-second tick that decides which side is due and runs a reading pass,
// then the panel lamps and the alarm notification.
class MonitoringCycle final : public QObject {
    Q_OBJECT
public:
    // Steps of a pass that other subsystems provide; empty ones are skipped.
    struct Hooks {
        std::function<int()> runningCookCycles; // how many cook cycles are running now
        std::function<void()> readCookSide;     // the cook reading pass
        std::function<void()> readAlarms;       // the alarm notification after every pass
    };

    // `state` is the zones' alarm state the passes evaluate and the lamps and windows show.
    MonitoringCycle(app::AppContext& ctx, sensornet::AdapterLink& link, sensornet::SensorBus& bus,
                    const base::Clock& clock, ZoneReader& zones, PanelLamps& lamps,
                    base::UserDialogs& dialogs, ZonePassObserver& observer, ZoneAlarmState& state,
                    QObject* parent = nullptr);

    void setHooks(Hooks hooks) { m_hooks = std::move(hooks); }

    // Takes each zone's lamp switch and temporary disable from its row; a zone already known keeps its alarm
    // (see ZoneAlarmState::loadZones).
    void loadZones(const std::vector<store::MonitorSetsRow>& zones);
    // Recomputes the read intervals from the shared settings.
    void loadIntervals();

    void start() { m_timer.start(); }
    void stop() { m_timer.stop(); }
    [[nodiscard]] bool timerEnabled() const { return m_timer.isActive(); }

    struct DueSides {
        bool cold = false;
        bool hot = false;
    };
    // Which sides a tick at `now` finds due. A difference that went negative (midnight has passed since the
    // last read) makes a side due whatever its interval and installation.
    [[nodiscard]] static DueSides dueSides(const QTime& lastCold, const QTime& lastHot, const QTime& now,
                                           double coldSeconds, double hotSeconds, bool zoneSide,
                                           bool cookSide);

    // One tick of the timer: runs a pass when a side is due.
    void tmRecord_Timer();
    // One reading pass for the sides that are due.
    void ReadSensors(bool coldDue, bool hotDue);
    // The toolbar's "Read": a pass of both sides, only while the timer runs (never during a pass).
    void readNow();
    // Before another window takes the adapter: the timer stops, the user is warned, the port may be closed.
    // The caller starts the timer again.
    void SuspendMonitoring(bool closePort);

    [[nodiscard]] ZoneAlarmState& alarmState() { return m_state; }
    [[nodiscard]] bool reading() const { return m_reading; }
    [[nodiscard]] double coldReadSeconds() const { return m_coldReadSeconds; }
    [[nodiscard]] double hotReadSeconds() const { return m_hotReadSeconds; }
    [[nodiscard]] QTime lastColdRead() const { return m_lastColdRead; }

    static constexpr int kTickMs = 10000;
    static inline const QString kReadingText = QStringLiteral("\nReading Temperatures");
    static inline const QString kFailureText =
        QStringLiteral("The was an error while reading Sensors.\nPlease check connections.");
    static inline const QString kNoCommandsText =
        QStringLiteral("The was an error while reading Sensors.\n%1");
    static inline const QString kFailureAlarmText = QStringLiteral("Kelvara Error Reading Sensors");
    static inline const QString kSuspendText =
        QStringLiteral("Alert!  While in this module the Temperature Monitoring will be disabled.");

Q_SIGNALS:
    // A pass starts (toolbar off, alarm animation stopped) or ends (toolbar on).
    void readingChanged(bool reading);
    // The status label's text; hidden when visible is false.
    void statusChanged(const QString& text, bool visible);

private:
    // Makes sure the port is open and its device has not failed, reopening it when it has; false when the
    // adapter cannot be reached this pass.
    bool connectLink();
    void failurePath();

    app::AppContext& m_ctx;
    sensornet::AdapterLink& m_link;
    sensornet::SensorBus& m_bus;
    const base::Clock& m_clock;
    ZoneReader& m_zones;
    PanelLamps& m_lamps;
    base::UserDialogs& m_dialogs;
    ZonePassObserver& m_observer;
    Hooks m_hooks;
    QTimer m_timer;
    ZoneAlarmState& m_state;
    double m_coldReadSeconds = 0;
    double m_hotReadSeconds = 0;
    QTime m_lastColdRead{0, 0};
    QTime m_lastHotRead{0, 0};
    bool m_reading = false;
    // The port failed since it was opened (the adapter was unplugged or broke down) and has not been opened
    // again since: each pass tries once, without a message box.
    bool m_adapterLost = false;
};

} // namespace kelvara::monitoring
