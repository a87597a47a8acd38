#pragma once

#include "base/Clock.h"
#include "base/Result.h"
#include "base/UserDialogs.h"
#include "store/ProductsStore.h"
#include "store/ThermoSensorsStore.h"

#include <QString>
#include <optional>
#include <vector>

namespace kelvara::app {
struct AppContext;
}

namespace kelvara::cook {

class CookCycleList;

// What the cook panel holds when the user starts a cycle, as typed or chosen.
struct CycleEntry {
    QString sensor; // "3 - Oven 1", an item of the free sensors
    QString product;
    QString hours;
    QString minutes;
    QString target;
    QString batchId;
};

// Starts, changes and stops cook cycles: the checks and questions, the batch number, and the writes to
// ThermoSensors, Batchs and System. The cook panel forwards its commands here.
class CookCycleControl {
public:
    CookCycleControl(app::AppContext& ctx, const base::Clock& clock, base::UserDialogs& dialogs,
                     CookCycleList& cycles);

    // The sensors a new cycle may take, and their items as the sensor list shows them.
    [[nodiscard]] base::Result<std::vector<store::ThermoSensorsRow>> freeSensors() const;
    [[nodiscard]] static QString sensorText(int sensorNo, const QString& name);
    // The catalogue in Description order, and one product by its exact name.
    [[nodiscard]] base::Result<std::vector<store::ProductsRow>> products() const;
    [[nodiscard]] std::optional<store::ProductsRow> findProduct(const QString& description) const;

    // The number the next batch gets: above the System counter and above every stored batch, so no number
    // is handed out twice (the counter can be set back, and a cook-only site has none).
    [[nodiscard]] base::Result<int> nextBatchNo() const;

    // Start and end as the panel shows them for a cycle starting now ("h:mm am/pm").
    struct Times {
        QString start;
        QString end;
    };
    [[nodiscard]] Times Calc_EndTime(double hours, double minutes) const;

    // Rebuilds the running cycles from the sensors whose cycle is started (at start-up, so cycles survive a
    // restart, and after the installation changed the sensors). A done cycle comes back done: its lamp and
    // sound follow at the next reading that confirms it.
    [[nodiscard]] base::Result<void> Fill_ThermoList();

    // Start: checks, question, writes; true when the cycle runs. Every refusal is a message and writes
    // nothing.
    bool Start(const CycleEntry& entry);
    // Stop of the cycle the panel shows, after the question; true when it stopped.
    bool Stop();
    // A new target for the cycle the panel shows; an empty or 0 target is refused as at Start.
    bool changeTarget(const QString& target);

    static inline const QString kTitle = QStringLiteral("Kelvara");
    static inline const QString kNoSensor =
        QStringLiteral("You must first select a Sensor before you can begin a Cook Cycle.");
    static inline const QString kNoProduct =
        QStringLiteral("You must first enter in a product before you can begin a Cook Cycle.");
    static inline const QString kNoTarget = QStringLiteral("You must enter in the Target Temperature.");
    static inline const QString kDuplicateBatchId = QStringLiteral(
        "The Batch ID specified has already been assigned to a previous Job.  Please try again.");
    static inline const QString kProductNotOnFile = QStringLiteral("Product is not on file.");

    [[nodiscard]] static QString startQuestion(const QString& sensor, int batchNo);
    [[nodiscard]] static QString stopQuestion(int sensorNo);

private:
    void fail(const base::Failure& failure);

    app::AppContext& m_ctx;
    const base::Clock& m_clock;
    base::UserDialogs& m_dialogs;
    CookCycleList& m_cycles;
};

} // namespace kelvara::cook
