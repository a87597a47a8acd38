#include "cook/CookReader.h"

#include "app/AppContext.h"
#include "cook/CookCycleList.h"
#include "cook/CookTime.h"
#include "cook/HotViewerLog.h"
#include "cook/ThermoAnswer.h"
#include "monitoring/ReadLog.h"
#include "monitoring/TimeOfDay.h"
#include "monitoring/ZonePassObserver.h"
#include "monitoring/ZoneReader.h"
#include "sensornet/SensorBus.h"
#include "store/CookCyclesStore.h"
#include "store/Database.h"
#include "store/DatabaseKind.h"
#include "store/SystemStore.h"
#include "store/ThermoSensorsStore.h"
#include "store/Transaction.h"

#include <QDir>

namespace kelvara::cook {

CookReader::CookReader(app::AppContext& ctx, sensornet::SensorBus& bus, const base::Clock& clock,
                       monitoring::ReadLog& log, base::ErrorReporter& errors,
                       monitoring::ZonePassObserver& observer, CookCycleList& cycles)
    : m_ctx(ctx), m_bus(bus), m_clock(clock), m_log(log), m_errors(errors), m_observer(observer),
      m_cycles(cycles) {}

void CookReader::report(const QString& error) {
    m_errors.reportError(error, kProcedure);
}

void CookReader::check(const base::Result<void>& done) {
    if (!done.ok())
        report(done.error());
}

bool CookReader::ensureTable() {
    if (m_table)
        return true;
    const QString path =
        QDir(m_ctx.siteDir).filePath(store::databaseFileName(store::DatabaseKind::ThermoTypes));
    auto loaded = ThermoTable::load(path);
    if (!loaded.ok()) {
        // Said once: every later pass would only repeat it.
        if (!m_tableReported)
            report(loaded.error());
        m_tableReported = true;
        return false;
    }
    m_table = std::move(loaded).value();
    return true;
}

CookReader::Reading CookReader::readSensor(const ThermoRow& row) {
    Reading reading;
    bool accepted = false;
    for (int attempt = 0; attempt < kAttempts && !accepted; ++attempt) {
        reading.thermoAnswer.clear();
        m_bus.busReset();
        reading.addressAnswer = m_bus.select(row.SerialNo);
        if (reading.addressAnswer.compare(row.SerialNo, Qt::CaseInsensitive) != 0)
            continue;
        reading.thermoAnswer = m_bus.readThermocouple();
        accepted = ThermoAnswer::accepted(reading.thermoAnswer);
    }
    if (!accepted || !m_table)
        return reading;
    const auto registers = ThermoAnswer::decode(reading.thermoAnswer);
    if (!registers)
        return reading;
    const auto celsius =
        m_table->celsius(row.SensorType, registers->emfMicrovolts, registers->coldJunctionCelsius);
    if (celsius)
        reading.value = monitoring::ZoneReader::displayValue(*celsius, m_ctx.settings.TempType, 0.0);
    return reading;
}

void CookReader::storeCookdone(int sensorNo) {
    if (!m_ctx.databases.thermo)
        return;
    const store::ThermoSensorsStore sensors(*m_ctx.databases.thermo);
    auto found = sensors.findBySensorNo(sensorNo);
    if (!found.ok()) {
        report(found.error());
        return;
    }
    if (!found->has_value())
        return;
    store::ThermoSensorsRow sensor = **found;
    sensor.Cookdone = true;
    check(sensors.update(sensor));
}

void CookReader::Read_C3Hot() {
    if (m_cycles.size() == 0)
        return;
    m_cycles.CookDone = false;

    const QDateTime started = m_clock.now();
    const double interval =
        monitoring::TimeOfDay::intervalSeconds(m_ctx.settings.HotRecHours, m_ctx.settings.HotRecMins);
    const bool recordNow =
        interval > 0 && monitoring::TimeOfDay::intervalDue(m_ctx.HotLastTime, started.time(), interval);
    if (recordNow) {
        // Whole minutes: the next record is due a whole interval after the minute this one is stored at.
        m_ctx.HotLastDate = started.date();
        m_ctx.HotLastTime = QTime(started.time().hour(), started.time().minute());
        // A cook-only site has no System table; its record time lives for the run.
        if (m_ctx.databases.kvr && m_ctx.databases.kvr->isOpen())
            check(store::SystemStore(*m_ctx.databases.kvr)
                      .saveHotLastRecord(m_ctx.HotLastDate, m_ctx.HotLastTime));
    }
    (void)ensureTable(); // without it every sensor reads NR, and the failure is reported once

    const store::Database* thermo =
        m_ctx.databases.thermo && m_ctx.databases.thermo->isOpen() ? m_ctx.databases.thermo.get() : nullptr;
    std::optional<store::Transaction> transaction;
    if (thermo && recordNow)
        transaction.emplace(*thermo);

    // By sensor, not by position: a cycle the user stops while the adapter answers drops out of the pass.
    std::vector<int> sensorNos;
    for (const ThermoRow& r : m_cycles.rows())
        sensorNos.push_back(r.SensorNo);
    for (const int s : sensorNos) {
        int i = m_cycles.indexOfSensor(s);
        if (i < 0)
            continue;
        const bool handOff = CookCycleList::validSensorNo(s);
        if (!handOff)
            report(QStringLiteral("Cook sensor number %1 is outside 1 to %2.")
                       .arg(s)
                       .arg(CookCycleList::kMaxSensor));

        Reading reading = readSensor(m_cycles.row(i));
        // One corrupted answer must not declare a product done: the reading that would first make the
        // cycle done is taken again, and the second reading is the one that counts.
        if (reading.value && *reading.value >= m_cycles.row(i).Target && handOff && !m_cycles.ThermoDone[s])
            reading = readSensor(m_cycles.row(i));
        m_observer.processEvents();
        // The user may have stopped this cycle, or changed its target, while the adapter answered.
        i = m_cycles.indexOfSensor(s);
        if (i < 0)
            continue;
        ThermoRow row = m_cycles.row(i);

        if (reading.value) {
            row.CurrentTemp = QString::number(*reading.value);
            const bool done = *reading.value >= row.Target;
            if (handOff) {
                m_cycles.ThermoDone[s] = done;
                m_cycles.ThermoSound[s] = done && row.Alarm;
                m_cycles.LightSerial[s] = done ? row.LightSerialNo : QString();
            }
            if (done && row.Alarm)
                m_cycles.CookDone = true;
            if (done && !row.CookDone) {
                row.CookDone = true;
                storeCookdone(s);
            }
        } else {
            row.CurrentTemp = QStringLiteral("NR");
        }
        m_cycles.setRow(i, row);
        m_observer.processEvents();

        if (recordNow && thermo) {
            store::CookCyclesRow record;
            record.BatchNo = row.BatchNo;
            record.Date = started.date();
            record.Time = CookTime::amPm(started.time());
            record.Temperature = row.CurrentTemp;
            record.DayTime = QString::number(started.date().day()) + QStringLiteral(" - ") +
                             started.time().toString(QStringLiteral("HH:mm"));
            if (const auto id = store::CookCyclesStore(*thermo).insert(record); !id)
                report(id.error());
        }

        const QString line = monitoring::ReadLog::hotLine(
            reading.addressAnswer, reading.thermoAnswer, m_clock.currentTime(), s, row.Name, row.CurrentTemp);
        if (!m_log.append(line) && m_log.isOpen())
            report(QStringLiteral("Could not write to %1").arg(monitoring::ReadLog::kFileName));
        m_observer.logLine(line);
    }
    if (transaction)
        check(transaction->commit());
    if (!HotViewerLog::write(QDir(m_ctx.siteDir).filePath(HotViewerLog::kFileName), m_cycles.rows()))
        report(QStringLiteral("Could not write %1").arg(HotViewerLog::kFileName));
}

} // namespace kelvara::cook
