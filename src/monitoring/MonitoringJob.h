#pragma once

#include "base/Clock.h"
#include "base/ErrorReporter.h"
#include "base/UserDialogs.h"
#include "monitoring/ZoneAlarmState.h"

#include <functional>
#include <memory>
#include <vector>

namespace kelvara::app {
struct AppContext;
class UserSettings;
} // namespace kelvara::app

namespace kelvara::sensornet {
class AdapterLink;
class Pause;
class SensorBus;
class SerialPort;
} // namespace kelvara::sensornet

namespace kelvara::monitoring {

class MonitoringCycle;
class PanelLamps;
class ReadLog;
class TemporaryDisable;
class ZoneListModel;
class ZonePassObserver;
class ZoneReader;

// Everything the monitoring job runs on, wired together: the main window's port, the read log, the zone
// reading, the panel lamps, the cycle and the zones as the window shows them. The windows and the headless
// run both drive it.
class MonitoringJob {
public:
    MonitoringJob(app::AppContext& ctx, const base::Clock& clock, base::UserDialogs& dialogs,
                  base::ErrorReporter& errors, ZonePassObserver& observer,
                  std::unique_ptr<sensornet::SerialPort> port, std::unique_ptr<sensornet::Pause> pause);
    ~MonitoringJob();
    MonitoringJob(const MonitoringJob&) = delete;
    MonitoringJob& operator=(const MonitoringJob&) = delete;

    // Reads the zones as the window loads them: their lamps and temporary disables go to the pass's state,
    // the zones (not read yet) to the model.
    void loadZones();
    // Reads the zones again after a window changed them: every zone still there keeps its alarm state and
    // its latest reading.
    void reloadZones();
    // Creates the read log anew, takes the port settings and starts the 10-second timer.
    void start(const app::UserSettings& settings);
    // As the main window unloads: the panel lamps go out when the port is open, then the port and the
    // read log close.
    void unload();

    [[nodiscard]] MonitoringCycle& cycle() { return *m_cycle; }
    [[nodiscard]] PanelLamps& lamps() { return *m_lamps; }
    [[nodiscard]] sensornet::AdapterLink& link() { return *m_link; }
    [[nodiscard]] sensornet::SensorBus& bus() { return *m_bus; }
    [[nodiscard]] ZoneListModel& zones() { return *m_zones; }
    [[nodiscard]] TemporaryDisable& temporaryDisable() { return *m_disable; }
    // The read log Kelvara.log, which the cook side's pass writes to as well.
    [[nodiscard]] ReadLog& readLog() { return *m_log; }

private:
    class Feed;
    // The zones as stored, in Room order, handed to `take`; when they cannot be read the reason is reported
    // and `take` is not called.
    void readZones(const std::function<void(const std::vector<store::MonitorSetsRow>&)>& take);

    app::AppContext& m_ctx;
    ZoneAlarmState m_state;
    std::unique_ptr<sensornet::SerialPort> m_port;
    std::unique_ptr<sensornet::Pause> m_pause;
    std::unique_ptr<sensornet::AdapterLink> m_link;
    std::unique_ptr<sensornet::SensorBus> m_bus;
    std::unique_ptr<ReadLog> m_log;
    std::unique_ptr<ZoneListModel> m_zones;
    std::unique_ptr<Feed> m_feed;
    std::unique_ptr<ZoneReader> m_reader;
    std::unique_ptr<PanelLamps> m_lamps;
    std::unique_ptr<MonitoringCycle> m_cycle;
    std::unique_ptr<TemporaryDisable> m_disable;
    base::ErrorReporter& m_errors;
};

} // namespace kelvara::monitoring
