#include "cook/CookCycleControl.h"

#include "app/AppContext.h"
#include "cook/CookCycleList.h"
#include "cook/CookTime.h"
#include "store/BatchsStore.h"
#include "store/Database.h"
#include "store/SystemStore.h"
#include "store/Transaction.h"

#include <algorithm>
#include <cmath>

namespace kelvara::cook {

namespace {

// A whole number typed into a field; nothing for empty or other text.
std::optional<int> wholeNumber(const QString& text) {
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    if (!ok)
        return std::nullopt;
    return static_cast<int>(std::lround(value));
}

double numberOrZero(const QString& text) {
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    return ok ? value : 0.0;
}

} // namespace

CookCycleControl::CookCycleControl(app::AppContext& ctx, const base::Clock& clock, base::UserDialogs& dialogs,
                                   CookCycleList& cycles)
    : m_ctx(ctx), m_clock(clock), m_dialogs(dialogs), m_cycles(cycles) {}

void CookCycleControl::fail(const base::Failure& failure) {
    m_dialogs.information(kTitle, failure.text);
}

QString CookCycleControl::sensorText(int sensorNo, const QString& name) {
    return QString::number(sensorNo) + QStringLiteral(" - ") + name;
}

QString CookCycleControl::startQuestion(const QString& sensor, int batchNo) {
    return QStringLiteral("Ready to start the cook cycle in ") + sensor + QStringLiteral(" for Batch #:") +
           QString::number(batchNo) + QStringLiteral("?");
}

QString CookCycleControl::stopQuestion(int sensorNo) {
    return QStringLiteral("Caution: Once you stop this cook cycle, the computer will no longer monitor the "
                          "temperature of ") +
           QString::number(sensorNo) + QStringLiteral(". Continue?");
}

base::Result<std::vector<store::ThermoSensorsRow>> CookCycleControl::freeSensors() const {
    if (!m_ctx.databases.thermo)
        return std::vector<store::ThermoSensorsRow>{};
    return store::ThermoSensorsStore(*m_ctx.databases.thermo).loadFree();
}

base::Result<std::vector<store::ProductsRow>> CookCycleControl::products() const {
    if (!m_ctx.databases.thermo)
        return std::vector<store::ProductsRow>{};
    return store::ProductsStore(*m_ctx.databases.thermo).loadAll();
}

std::optional<store::ProductsRow> CookCycleControl::findProduct(const QString& description) const {
    if (!m_ctx.databases.thermo || description.trimmed().isEmpty())
        return std::nullopt;
    auto found = store::ProductsStore(*m_ctx.databases.thermo).findByDescription(description.trimmed());
    return found.ok() ? *found : std::nullopt;
}

base::Result<int> CookCycleControl::nextBatchNo() const {
    int highest = 0;
    if (m_ctx.databases.kvr && m_ctx.databases.kvr->isOpen()) {
        const auto system = store::SystemStore(*m_ctx.databases.kvr).load();
        if (system.ok())
            highest = system->BatchNo.value_or(0);
    }
    if (m_ctx.databases.thermo) {
        const auto stored = store::BatchsStore(*m_ctx.databases.thermo).highestBatchNo();
        if (!stored.ok())
            return stored.failure();
        highest = std::max(highest, *stored);
    }
    return highest + 1;
}

CookCycleControl::Times CookCycleControl::Calc_EndTime(double hours, double minutes) const {
    const QTime now = m_clock.currentTime();
    const QTime start(now.hour(), now.minute());
    const auto seconds = static_cast<int>(std::lround(hours * 3600.0 + minutes * 60.0));
    return {CookTime::amPm(start), CookTime::amPm(start.addSecs(seconds))};
}

base::Result<void> CookCycleControl::Fill_ThermoList() {
    if (!m_ctx.databases.thermo || !m_ctx.databases.thermo->isOpen()) {
        m_cycles.replaceAll({});
        return {};
    }
    auto started = store::ThermoSensorsStore(*m_ctx.databases.thermo).loadStarted();
    if (!started.ok())
        return started.failure();
    std::vector<ThermoRow> rows;
    for (const store::ThermoSensorsRow& sensor : started.value())
        rows.push_back(CookCycleList::fromSensor(sensor));
    // Readings taken before the rebuild stay with their cycles.
    for (ThermoRow& row : rows)
        if (const int i = m_cycles.indexOfSensor(row.SensorNo); i >= 0)
            row.CurrentTemp = m_cycles.row(i).CurrentTemp;
    m_cycles.replaceAll(std::move(rows));
    return {};
}

bool CookCycleControl::Start(const CycleEntry& entry) {
    if (!m_ctx.databases.thermo)
        return false;
    const store::Database& db = *m_ctx.databases.thermo;

    // Only a free sensor of the list: typed text, a text without "-" or a sensor already running is none.
    auto free = freeSensors();
    if (!free.ok()) {
        fail(free.failure());
        return false;
    }
    const auto sensor = std::find_if(free->begin(), free->end(), [&](const store::ThermoSensorsRow& s) {
        return sensorText(s.SensorNo, s.Name) == entry.sensor.trimmed();
    });
    if (entry.sensor.trimmed().isEmpty() || sensor == free->end()) {
        m_dialogs.information(kTitle, kNoSensor);
        return false;
    }
    const auto product = findProduct(entry.product);
    if (!product) {
        m_dialogs.information(kTitle, kNoProduct);
        return false;
    }
    const auto target = wholeNumber(entry.target);
    if (!target || *target == 0) {
        m_dialogs.information(kTitle, kNoTarget);
        return false;
    }
    const auto batchNo = nextBatchNo();
    if (!batchNo.ok()) {
        fail(batchNo.failure());
        return false;
    }
    if (!m_dialogs.question(kTitle, startQuestion(entry.sensor.trimmed(), *batchNo), true))
        return false;
    const store::BatchsStore batchs(db);
    const auto used = batchs.findByBatchId(entry.batchId);
    if (!used.ok()) {
        fail(used.failure());
        return false;
    }
    if (used->has_value()) {
        m_dialogs.information(kTitle, kDuplicateBatchId);
        return false;
    }

    const double hours = numberOrZero(entry.hours);
    const double minutes = numberOrZero(entry.minutes);
    const Times times = Calc_EndTime(hours, minutes);
    store::ThermoSensorsRow started = *sensor;
    started.Started = started.Selected = true;
    started.Cookdone = false; // a new cycle starts not done
    started.BatchID = entry.batchId;
    started.BatchNo = *batchNo;
    started.ProductID = static_cast<int>(product->ProductID);
    started.Description = product->Description;
    started.StartTime = times.start;
    started.EndTime = times.end;
    started.Target = *target;
    started.FinishTemp.clear();
    started.CookHours = hours;
    started.CookMins = minutes;

    store::BatchsRow batch;
    batch.BatchNo = *batchNo;
    batch.BatchID = entry.batchId;
    batch.SensorNo = started.SensorNo;
    batch.ProductID = started.ProductID;
    batch.Date = m_clock.currentDate();
    batch.StartTime = times.start;
    batch.Target = *target;
    batch.CookHours = hours;
    batch.CookMins = minutes;
    batch.TempType = m_ctx.settings.TempType;

    // The sensor and its batch land together or not at all.
    store::Transaction transaction(db);
    base::Result<void> written = transaction.begun();
    if (written.ok())
        written = store::ThermoSensorsStore(db).update(started);
    if (written.ok())
        if (const auto id = batchs.insert(batch); !id.ok())
            written = id.failure();
    if (written.ok())
        written = transaction.commit();
    if (!written.ok()) {
        fail(written.failure());
        return false;
    }
    // The counter only follows; the next number comes from the stored batches as well.
    if (m_ctx.databases.kvr && m_ctx.databases.kvr->isOpen())
        if (const auto saved = store::SystemStore(*m_ctx.databases.kvr).saveBatchNo(*batchNo); !saved.ok())
            fail(saved.failure());

    ThermoRow row = CookCycleList::fromSensor(started);
    // Kept in SensorNo order, as a rebuild would have it.
    std::vector<ThermoRow> rows = m_cycles.rows();
    rows.push_back(row);
    std::stable_sort(rows.begin(), rows.end(),
                     [](const ThermoRow& a, const ThermoRow& b) { return a.SensorNo < b.SensorNo; });
    m_cycles.replaceAll(std::move(rows));
    m_cycles.setCurrent(m_cycles.indexOfSensor(row.SensorNo));
    return true;
}

bool CookCycleControl::Stop() {
    if (m_cycles.current() < 0 || !m_ctx.databases.thermo)
        return false;
    const int sensorNo = m_cycles.row(m_cycles.current()).SensorNo;
    if (!m_dialogs.question(kTitle, stopQuestion(sensorNo), false))
        return false;
    // A pass may have run while the question was open: the cycle is looked up again.
    const int at = m_cycles.indexOfSensor(sensorNo);
    if (at < 0)
        return false;
    const ThermoRow row = m_cycles.row(at);
    const store::Database& db = *m_ctx.databases.thermo;
    const QString endTime = CookTime::amPm(m_clock.currentTime());
    bool ok = false;
    const double finish = row.CurrentTemp.toDouble(&ok);

    store::Transaction transaction(db);
    base::Result<void> written = transaction.begun();
    const store::ThermoSensorsStore sensors(db);
    auto sensor = sensors.findBySensorNo(sensorNo);
    if (written.ok() && !sensor.ok())
        written = sensor.failure();
    if (written.ok() && sensor->has_value()) {
        store::ThermoSensorsRow stopped = **sensor;
        stopped.Selected = stopped.Started = false;
        stopped.EndTime = endTime;
        stopped.FinishTemp = row.CurrentTemp;
        written = sensors.update(stopped);
    }
    if (written.ok())
        written = store::BatchsStore(db).saveFinish(row.BatchNo, endTime,
                                                    ok ? std::optional<double>(finish) : std::nullopt);
    if (written.ok())
        written = transaction.commit();
    if (!written.ok()) {
        fail(written.failure());
        return false;
    }

    if (CookCycleList::validSensorNo(sensorNo))
        m_cycles.LampsToPutOut << row.LightSerialNo;
    m_cycles.removeAt(at);
    m_cycles.clearHandOff(sensorNo);
    return true;
}

bool CookCycleControl::changeTarget(const QString& text) {
    const int at = m_cycles.current();
    if (at < 0 || !m_ctx.databases.thermo)
        return false;
    const auto target = wholeNumber(text);
    if (!target || *target == 0) {
        m_dialogs.information(kTitle, kNoTarget);
        return false;
    }
    ThermoRow row = m_cycles.row(at);
    if (row.Target == *target)
        return true;
    const store::ThermoSensorsStore sensors(*m_ctx.databases.thermo);
    auto sensor = sensors.findBySensorNo(row.SensorNo);
    if (!sensor.ok()) {
        fail(sensor.failure());
        return false;
    }
    if (sensor->has_value()) {
        store::ThermoSensorsRow changed = **sensor;
        changed.Target = *target;
        if (const auto saved = sensors.update(changed); !saved.ok()) {
            fail(saved.failure());
            return false;
        }
    }
    row.Target = *target;
    m_cycles.setRow(at, row);
    return true;
}

} // namespace kelvara::cook
