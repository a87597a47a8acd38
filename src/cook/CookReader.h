#pragma once

#include "base/Clock.h"
#include "base/ErrorReporter.h"
#include "cook/ThermoTable.h"

#include <QString>
#include <optional>

namespace kelvara::app {
struct AppContext;
}

namespace kelvara::sensornet {
class SensorBus;
}

namespace kelvara::monitoring {
class ReadLog;
class ZonePassObserver;
} // namespace kelvara::monitoring

namespace kelvara::cook {

class CookCycleList;
struct ThermoRow;

// The cook side's reading pass: reads the thermocouple of every running cycle, converts it to the display
// unit, judges whether the cycle has reached its target, hands that to the lamps and the cook-done sound,
// records CookCycles rows at the record interval and logs every sensor.
class CookReader {
public:
    CookReader(app::AppContext& ctx, sensornet::SensorBus& bus, const base::Clock& clock,
               monitoring::ReadLog& log, base::ErrorReporter& errors, monitoring::ZonePassObserver& observer,
               CookCycleList& cycles);

    void Read_C3Hot();

    // The conversion table, read from the site's ThermoTypes.db at the first pass and kept from then on.
    void setTable(ThermoTable table) { m_table = std::move(table); }

    // One sensor's reading as the pass got it: the display value, or nothing for no data, with what the
    // adapter said on the last attempt.
    struct Reading {
        std::optional<int> value;
        QString addressAnswer;
        QString thermoAnswer;
    };
    // Up to three attempts of reset, select and read; converted with the table.
    [[nodiscard]] Reading readSensor(const ThermoRow& row);

    static inline const QString kProcedure = QStringLiteral("Read_C3Hot");
    static constexpr int kAttempts = 3;

private:
    [[nodiscard]] bool ensureTable();
    void report(const QString& error);
    void check(const base::Result<void>& done);
    void storeCookdone(int sensorNo);

    app::AppContext& m_ctx;
    sensornet::SensorBus& m_bus;
    const base::Clock& m_clock;
    monitoring::ReadLog& m_log;
    base::ErrorReporter& m_errors;
    monitoring::ZonePassObserver& m_observer;
    CookCycleList& m_cycles;
    std::optional<ThermoTable> m_table;
    bool m_tableReported = false;
};

} // namespace kelvara::cook
