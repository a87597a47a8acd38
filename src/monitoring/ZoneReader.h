#pragma once

#include "base/Clock.h"
#include "base/ErrorReporter.h"
#include "base/Result.h"
#include "monitoring/ZoneAlarmState.h"

#include <QDate>
#include <QTime>

namespace kelvara::app {
struct AppContext;
}

namespace kelvara::sensornet {
class SensorBus;
}

namespace kelvara::monitoring {

class ReadLog;
class ZonePassObserver;

// The zone side's reading pass: reads every zone in Room order, applies unit and calibration, keeps each
// zone's last value, evaluates its alarm, records a Monitor row on recording passes and logs every zone.
class ZoneReader {
public:
    ZoneReader(app::AppContext& ctx, sensornet::SensorBus& bus, const base::Clock& clock, ReadLog& log,
               base::ErrorReporter& errors, ZonePassObserver& observer);

    void Read_C3Cold(ZoneAlarmState& state);

    // Celsius to the display unit ("F" is Fahrenheit, anything else Celsius), calibrated and rounded to a
    // whole number with halves going to the even neighbour.
    [[nodiscard]] static int displayValue(double celsius, const QString& tempType, double calibration);

    static inline const QString kProcedure = QStringLiteral("Read_C3Cold");

private:
    void report(const QString& error);
    // Reports a write that failed; the pass goes on with its next step.
    void check(const base::Result<void>& done);

    app::AppContext& m_ctx;
    sensornet::SensorBus& m_bus;
    const base::Clock& m_clock;
    ReadLog& m_log;
    base::ErrorReporter& m_errors;
    ZonePassObserver& m_observer;
};

} // namespace kelvara::monitoring
