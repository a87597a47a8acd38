#pragma once

#include "base/Clock.h"
#include "base/ErrorReporter.h"
#include "base/UserDialogs.h"

#include <memory>

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
class ZonePassObserver;
class ZoneReader;

// Everything the monitoring job runs on, wired together: the main window's port, the read log, the zone
// reading, the panel lamps and the cycle. The windows and the headless run both drive it.
class MonitoringJob {
public:
    MonitoringJob(app::AppContext& ctx, const base::Clock& clock, base::UserDialogs& dialogs,
                  base::ErrorReporter& errors, ZonePassObserver& observer,
                  std::unique_ptr<sensornet::SerialPort> port, std::unique_ptr<sensornet::Pause> pause);
    ~MonitoringJob();
    MonitoringJob(const MonitoringJob&) = delete;
    MonitoringJob& operator=(const MonitoringJob&) = delete;

    // Creates the read log anew, takes the port settings, loads the zones and starts the 10-second timer.
    void start(const app::UserSettings& settings);
    // As the main window unloads: the panel lamps go out when the port is open, then the port and the
    // read log close.
    void unload();

    [[nodiscard]] MonitoringCycle& cycle() { return *m_cycle; }
    [[nodiscard]] PanelLamps& lamps() { return *m_lamps; }
    [[nodiscard]] sensornet::AdapterLink& link() { return *m_link; }
    [[nodiscard]] sensornet::SensorBus& bus() { return *m_bus; }

private:
    app::AppContext& m_ctx;
    std::unique_ptr<sensornet::SerialPort> m_port;
    std::unique_ptr<sensornet::Pause> m_pause;
    std::unique_ptr<sensornet::AdapterLink> m_link;
    std::unique_ptr<sensornet::SensorBus> m_bus;
    std::unique_ptr<ReadLog> m_log;
    std::unique_ptr<ZoneReader> m_reader;
    std::unique_ptr<PanelLamps> m_lamps;
    std::unique_ptr<MonitoringCycle> m_cycle;
    base::ErrorReporter& m_errors;
};

} // namespace kelvara::monitoring
