#include "monitoring/MonitoringJob.h"

#include "app/AppContext.h"
#include "app/ComPortSettings.h"
#include "monitoring/MonitoringCycle.h"
#include "monitoring/PanelLamps.h"
#include "monitoring/ReadLog.h"
#include "monitoring/TemporaryDisable.h"
#include "monitoring/ZoneListModel.h"
#include "monitoring/ZonePassObserver.h"
#include "monitoring/ZoneReader.h"
#include "sensornet/AdapterLink.h"
#include "sensornet/SensorBus.h"
#include "store/MonitorSetsStore.h"

#include <QDir>

namespace kelvara::monitoring {

// What a pass shows goes to the zone model first, then to whoever watches the pass (window or console).
class MonitoringJob::Feed final : public ZonePassObserver {
public:
    Feed(ZoneListModel& zones, ZonePassObserver& watcher) : m_zones(zones), m_watcher(watcher) {}

    void passStarted() override { m_watcher.passStarted(); }
    void zoneStarted(int index) override { m_watcher.zoneStarted(index); }
    void zoneShown(int index, const store::MonitorSetsRow& zone, const QString& shown) override {
        m_zones.setReading(index, zone, shown);
        m_watcher.zoneShown(index, zone, shown);
    }
    void logLine(const QString& line) override { m_watcher.logLine(line); }
    void allZonesNoReading() override {
        m_zones.setAllReadings(ZoneListModel::kNoReading);
        m_watcher.allZonesNoReading();
    }
    void processEvents() override { m_watcher.processEvents(); }
    void passFinished() override {
        m_zones.alarmStateChanged();
        m_watcher.passFinished();
    }

private:
    ZoneListModel& m_zones;
    ZonePassObserver& m_watcher;
};

MonitoringJob::MonitoringJob(app::AppContext& ctx, const base::Clock& clock, base::UserDialogs& dialogs,
                             base::ErrorReporter& errors, ZonePassObserver& observer,
                             std::unique_ptr<sensornet::SerialPort> port,
                             std::unique_ptr<sensornet::Pause> pause)
    : m_ctx(ctx), m_port(std::move(port)), m_pause(std::move(pause)), m_errors(errors) {
    m_link = std::make_unique<sensornet::AdapterLink>(*m_port, clock, *m_pause, dialogs,
                                                      sensornet::ExchangeRules::monitoring(), &errors);
    m_bus = std::make_unique<sensornet::SensorBus>(*m_link, ctx.commands);
    m_log = std::make_unique<ReadLog>();
    m_lamps = std::make_unique<PanelLamps>(ctx, *m_link, *m_bus);
    m_zones = std::make_unique<ZoneListModel>(m_state);
    m_feed = std::make_unique<Feed>(*m_zones, observer);
    m_reader = std::make_unique<ZoneReader>(ctx, *m_bus, clock, *m_log, errors, *m_feed);
    m_cycle = std::make_unique<MonitoringCycle>(ctx, *m_link, *m_bus, clock, *m_reader, *m_lamps, dialogs,
                                                *m_feed, m_state);
    m_disable = std::make_unique<TemporaryDisable>(ctx, *m_link, *m_bus, clock, *m_cycle, *m_zones);
}

MonitoringJob::~MonitoringJob() = default;

void MonitoringJob::readZones(const std::function<void(const std::vector<store::MonitorSetsRow>&)>& take) {
    if (!m_ctx.hasZoneSide() || !m_ctx.databases.kvr || !m_ctx.databases.kvr->isOpen())
        return;
    const auto zones = store::MonitorSetsStore(*m_ctx.databases.kvr).loadAll();
    if (!zones) {
        m_errors.reportError(zones.error(), QStringLiteral("Form_Load"));
        return;
    }
    take(*zones);
}

void MonitoringJob::loadZones() {
    readZones([this](const std::vector<store::MonitorSetsRow>& zones) {
        m_cycle->loadZones(zones);
        m_zones->load(zones);
    });
}

void MonitoringJob::reloadZones() {
    readZones([this](const std::vector<store::MonitorSetsRow>& zones) {
        m_cycle->loadZones(zones);
        m_zones->reload(zones);
    });
}

void MonitoringJob::start(const app::UserSettings& settings) {
    const QString logPath = QDir(m_ctx.siteDir).filePath(ReadLog::kFileName);
    if (!m_log->open(logPath))
        m_errors.reportError(QStringLiteral("Could not create %1").arg(ReadLog::kFileName),
                             QStringLiteral("Load"));
    m_link->configurePort(app::readLineSettings(settings));
    m_cycle->loadIntervals();
    m_cycle->start();
}

void MonitoringJob::unload() {
    m_cycle->stop();
    if (m_link->isOpen())
        m_lamps->AlarmPanelOff();
    m_link->closePort();
    m_log->close();
}

} // namespace kelvara::monitoring
