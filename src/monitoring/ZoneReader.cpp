#include "monitoring/ZoneReader.h"

#include "app/AppContext.h"
#include "base/Clock.h"
#include "base/ErrorReporter.h"
#include "monitoring/ReadLog.h"
#include "monitoring/TimeOfDay.h"
#include "monitoring/ZoneAlarmEvaluator.h"
#include "monitoring/ZonePassObserver.h"
#include "sensornet/SensorBus.h"
#include "store/AlarmsStore.h"
#include "store/Database.h"
#include "store/MonitorSetsStore.h"
#include "store/MonitorStore.h"
#include "store/SystemStore.h"
#include "store/Transaction.h"

#include <QScopeGuard>
#include <cmath>
#include <limits>
#include <optional>

namespace kelvara::monitoring {

ZoneReader::ZoneReader(app::AppContext& ctx, sensornet::SensorBus& bus, const base::Clock& clock,
                       ReadLog& log, base::ErrorReporter& errors, ZonePassObserver& observer)
    : m_ctx(ctx), m_bus(bus), m_clock(clock), m_log(log), m_errors(errors), m_observer(observer) {}

int ZoneReader::displayValue(double celsius, const QString& tempType, double calibration) {
    const double degrees = tempType == QLatin1String("F") ? celsius * 1.8 + 32.0 : celsius;
    const double v = std::nearbyint(degrees + calibration); // the default rounding sends halves to even
    constexpr double lo = std::numeric_limits<qint16>::min();
    constexpr double hi = std::numeric_limits<qint16>::max();
    return static_cast<int>(std::clamp(v, lo, hi));
}

void ZoneReader::report(const QString& error) {
    m_errors.reportError(error, kProcedure);
}

void ZoneReader::check(const base::Result<void>& done) {
    if (!done.ok())
        report(done.error());
}

void ZoneReader::Read_C3Cold(ZoneAlarmState& state) {
    m_observer.passStarted();
    state.startPass();

    // A recording pass stores the date and the minute it records at; the next one is due a whole interval
    // after that minute, or at once after midnight.
    const QDateTime started = m_clock.now();
    const double recordInterval =
        TimeOfDay::intervalSeconds(m_ctx.settings.ColdRecHours, m_ctx.settings.ColdRecMins);
    const bool recordNow =
        recordInterval > 0 && TimeOfDay::intervalDue(m_ctx.LastTime, started.time(), recordInterval);
    const QDate recDate = started.date();
    const QTime recTime(started.time().hour(), started.time().minute(), 0);
    const store::Database& db = *m_ctx.databases.kvr;
    // The minute counts as recorded from here on; it is stored with the first zone's values, so a cut before
    // they are committed leaves the minute to be recorded after the restart.
    bool recordTimeStored = !recordNow;
    const auto storeRecordTime = [&] {
        check(store::SystemStore(db).saveLastRecord(recDate, recTime));
        recordTimeStored = true;
    };
    if (recordNow) {
        m_ctx.LastDate = recDate;
        m_ctx.LastTime = recTime;
    }

    store::MonitorSetsStore zones(db);
    auto rows = zones.loadAll();
    if (!rows) {
        report(rows.error());
        m_observer.passFinished();
        return;
    }

    std::optional<store::MonitorRow> monitor; // the one row this pass adds, once a zone records
    // A recording pass commits zone by zone into the journal, so a crash of the program loses no recorded
    // value; the last zone's commit goes to the disk and takes the whole pass with it, so a power cut
    // loses at most the pass in progress. A plain pass only refreshes each zone's reading and alarm state
    // and commits them together at its end, once, into the journal: a power cut may lose that refresh,
    // which the next pass makes again. (The engine takes no change of durability inside a transaction.)
    check(db.setDurableCommits(false));
    const auto durableAgain = qScopeGuard([this, &db] { check(db.setDurableCommits(true)); });
    std::optional<store::Transaction> passTransaction;
    if (!recordNow)
        passTransaction.emplace(db);
    int index = 0;
    const int zoneCount = static_cast<int>(rows.value().size());
    // Every sensor converts at once, before the first zone is read, so no reading waits for its own.
    const bool converted = zoneCount > 0 && m_bus.convertAll();
    for (store::MonitorSetsRow& zone : rows.value()) {
        if (recordNow && index == zoneCount - 1)
            check(db.setDurableCommits(true));
        m_observer.zoneStarted(index);
        const sensornet::SensorReading reading = m_bus.readSensor(zone.SerialNo, converted);
        const QTime readAt = m_clock.currentTime();
        QString shown;
        QString valueText;
        std::optional<RaisedAlarm> raised;
        if (reading.state == sensornet::ReadState::Read) {
            const int value = displayValue(reading.celsius, m_ctx.settings.TempType, zone.Calibration);
            m_observer.processEvents();
            raised = ZoneAlarmEvaluator::evaluate(zone, index, value, readAt, m_ctx.settings.TempType, state);
            shown = QString::number(value);
            zone.CurrentTemp = shown;
            valueText = shown;
        } else {
            // No data: the zone keeps its last good value and its whole alarm state.
            shown = QStringLiteral("NR");
            valueText = zone.CurrentTemp;
        }
        m_observer.zoneShown(index, zone, shown);

        // A zone's row, its value in the pass's Monitor row and its Alarms row are stored together.
        std::optional<store::Transaction> zoneTransaction;
        if (recordNow)
            zoneTransaction.emplace(db);
        if (!recordTimeStored)
            storeRecordTime();
        zone.TimeRead = readAt;
        check(zones.updateReading(zone));

        if (recordNow && zone.Record) {
            if (!monitor) {
                monitor.emplace();
                monitor->RecDate = recDate;
                monitor->RecTime = recTime;
                monitor->TempType = m_ctx.settings.TempType;
            }
            monitor->Alarm = state.AlarmRaised; // as it stands when this zone records
            monitor->setTemp(zone.Room, valueText);
            if (monitor->id == 0) {
                const auto id = store::MonitorStore(db).insert(*monitor);
                if (id)
                    monitor->id = id.value();
                else
                    report(id.error());
            } else {
                check(store::MonitorStore(db).updateZone(monitor->id, zone.Room, valueText, monitor->Alarm));
            }
            if (raised) {
                store::AlarmsRow alarm;
                alarm.Room = zone.Room;
                alarm.Date = recDate;
                alarm.Time = recTime;
                alarm.Temp = valueText;
                alarm.AlarmTemp = raised->AlarmTemp;
                alarm.AlarmType = raised->AlarmType;
                alarm.TempType = m_ctx.settings.TempType;
                if (const auto id = store::AlarmsStore(db).insert(alarm); !id)
                    report(id.error());
            }
        }
        if (zoneTransaction)
            check(zoneTransaction->commit());
        m_observer.processEvents();

        const QString line = ReadLog::zoneLine(reading.addressAnswer, reading.temperatureAnswer, readAt,
                                               zone.Room, zone.Name, shown);
        if (!m_log.append(line) && m_log.isOpen())
            report(QStringLiteral("Could not write to %1").arg(ReadLog::kFileName));
        m_observer.logLine(line);
        ++index;
    }
    if (passTransaction)
        check(passTransaction->commit());
    if (!recordTimeStored)
        storeRecordTime(); // a site without zones still moves on to its next record time
    m_observer.passFinished();
}

} // namespace kelvara::monitoring
