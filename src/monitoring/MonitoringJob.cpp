#include "monitoring/MonitoringJob.h"

#include "app/AppContext.h"
#include "app/ComPortSettings.h"
#include "base/ErrorReporter.h"
#include "monitoring/MonitoringCycle.h"
#include "monitoring/PanelLamps.h"
#include "monitoring/ReadLog.h"
#include "monitoring/ZoneReader.h"
#include "sensornet/AdapterLink.h"
#include "sensornet/SensorBus.h"
#include "store/MonitorSetsStore.h"

#include <QDir>

namespace kelvara::monitoring {

MonitoringJob::MonitoringJob(app::AppContext& ctx, const base::Clock& clock, base::UserDialogs& dialogs,
                             base::ErrorReporter& errors, ZonePassObserver& observer,
                             std::unique_ptr<sensornet::SerialPort> port,
                             std::unique_ptr<sensornet::Pause> pause)
    : m_ctx(ctx), m_port(std::move(port)), m_pause(std::move(pause)), m_errors(errors) {
    m_link = std::make_unique<sensornet::AdapterLink>(*m_port, clock, *m_pause, dialogs,
                                                      sensornet::ExchangeRules::monitoring(), &errors);
    m_bus = std::make_unique<sensornet::SensorBus>(*m_link, ctx.commands);
    m_log = std::make_unique<ReadLog>();
    m_reader = std::make_unique<ZoneReader>(ctx, *m_bus, clock, *m_log, errors, observer);
    m_lamps = std::make_unique<PanelLamps>(ctx, *m_link, *m_bus);
    m_cycle = std::make_unique<MonitoringCycle>(ctx, *m_link, *m_bus, clock, *m_reader, *m_lamps, dialogs,
                                                observer);
}

MonitoringJob::~MonitoringJob() = default;

void MonitoringJob::start(const app::UserSettings& settings) {
    const QString logPath = QDir(m_ctx.siteDir).filePath(ReadLog::kFileName);
    if (!m_log->open(logPath))
        m_errors.reportError(QStringLiteral("Could not create %1").arg(ReadLog::kFileName),
                             QStringLiteral("Load"));
    m_link->configurePort(app::readLineSettings(settings));
    if (m_ctx.hasZoneSide() && m_ctx.databases.kvr && m_ctx.databases.kvr->isOpen()) {
        const auto zones = store::MonitorSetsStore(*m_ctx.databases.kvr).loadAll();
        if (zones)
            m_cycle->loadZones(zones.value());
    }
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
