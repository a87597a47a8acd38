#pragma once

#include "app/AppContext.h"
#include "base/Result.h"
#include "base/UserDialogs.h"
#include "install/InstallOutcome.h"
#include "install/LampRow.h"
#include "sensornet/AdapterLink.h"
#include "sensornet/SensorBus.h"
#include "store/Database.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <vector>

namespace kelvara::install {

// The steps both installation windows share: finding sensors and lamp switches on the bus, saving the
// working lists over the stored ones in one transaction, and blinking the lamps; a side (zones or cook
// sensors) supplies its tables and texts.
class SensorInstallation {
public:
    virtual ~SensorInstallation() = default;
    SensorInstallation(const SensorInstallation&) = delete;
    SensorInstallation& operator=(const SensorInstallation&) = delete;

    // Enumerates the bus and fills the working list with the sensors found, in the adapter's order, each
    // with its stored settings (matched by ROM id) or the defaults of a new sensor. Closes the port after.
    InstallOutcome read();
    // Asks, then writes the working list, the count and the side's other settings; nothing when the user
    // says No to either question or a write fails.
    InstallOutcome save();
    // Offers the panel setup once the sensors are saved; on No, advises a restart. True for Yes.
    bool offerPanelSetup();
    // Searches the lamp switches and lists each with the lamp number it already has (0 when none).
    InstallOutcome panelSetup();
    // Writes the lamp list over the panel table and gives each numbered sensor its lamp's switch.
    InstallOutcome panelSave();
    // Asks whether to test the panel and runs the test on Yes. True when it ran.
    bool offerPanelTest();
    // Toggles every listed lamp a few times, a second apart.
    void panelTest();

    [[nodiscard]] virtual int sensorCount() const = 0;
    // One entry per search answer: the answer as it came, then its ROM id.
    [[nodiscard]] const QStringList& activity() const { return m_activity; }
    [[nodiscard]] std::vector<LampRow>& lamps() { return m_lamps; }
    [[nodiscard]] const std::vector<LampRow>& lamps() const { return m_lamps; }

    static inline const QString kTitle = QStringLiteral("Kelvara");
    static inline const QString kReadError = QStringLiteral(
        "There was an error reading the sensor keys.  Please check all your connections and try again.");
    static constexpr qint64 kLampSendPauseMs = 1000;

    // What distinguishes the zone installation from the cook one, besides its tables.
    struct Side {
        sensornet::DeviceSearch sensorSearch = sensornet::DeviceSearch::All;
        // A device is a sensor of this side when its family code occurs anywhere in this text.
        QString sensorFamilies;
        QString saveQuestion;
        // Opens the question that lists the stored sensors a Save would drop.
        QString droppedQuestion;
        QString panelQuestion;
        QString restartAdvice;
        QString testQuestion;
        // The lamp search ends after this many switches; 0: when the answers end.
        int lampLimit = 0;
        bool resetBeforeEachSend = false;
        int sendsPerLamp = 5;
    };

protected:
    SensorInstallation(app::AppContext& ctx, sensornet::AdapterLink& link, base::UserDialogs& dialogs,
                       Side side);

    // The side's database; null when the side is not installed.
    [[nodiscard]] virtual store::Database* database() const = 0;
    virtual void clearSensors() = 0;
    // Adds a found sensor to the working list with its stored settings or the defaults.
    [[nodiscard]] virtual base::Result<void> addSensor(const QString& romId) = 0;
    // The stored sensors whose ROM id is not in the working list, one line each ("Zone 4  Freezer").
    [[nodiscard]] virtual base::Result<QStringList> droppedSensors() const = 0;
    // Writes the working list and the count; runs inside the Save's transaction.
    [[nodiscard]] virtual base::Result<void> writeSensors() = 0;
    // What a Save does outside the database once the transaction is committed.
    [[nodiscard]] virtual std::vector<InstallProblem> afterSensorsSaved() { return {}; }
    // The number of the sensor whose lamp this switch is, else of its panel row, else 0.
    [[nodiscard]] virtual base::Result<int> lampNumber(const QString& romId) const = 0;
    // Writes the lamp list over the panel table and the switches back to the sensors; inside a transaction.
    [[nodiscard]] virtual base::Result<void> writePanel() = 0;

    // For each working ROM id, the index of the stored row of the same sensor (ids compared without regard
    // to letter case, first come first served) or nullopt for a new one; the rows no working id claims are
    // the ones a Save drops.
    struct RowMatch {
        std::vector<std::optional<std::size_t>> storedFor;
        std::vector<std::size_t> unclaimed;
    };
    [[nodiscard]] static RowMatch matchRows(const QStringList& stored, const QStringList& working);

    // Writes each working row over the stored row it matched (or as a new row), then deletes the stored
    // rows nothing matched. fill(row, i) puts working row i's columns into a table row.
    template <typename Table, typename Row, typename Fill>
    [[nodiscard]] static base::Result<void> writeMatched(const Table& table, const std::vector<Row>& stored,
                                                         const RowMatch& match, Fill fill) {
        for (std::size_t i = 0; i < match.storedFor.size(); ++i) {
            const auto index = match.storedFor[i];
            Row row = index ? stored[*index] : Row{};
            fill(row, i);
            if (index) {
                if (auto done = table.update(row); !done)
                    return done;
            } else if (const auto added = table.insert(row); !added) {
                return added.failure();
            }
        }
        for (const std::size_t i : match.unclaimed) {
            if (auto done = table.remove(stored[i].id); !done)
                return done;
        }
        return {};
    }

    // Writes `count` rows over the stored rows in their order, adds rows once those run out and deletes
    // the stored rows left over (the panel tables, whose rows belong to no device).
    template <typename Table, typename Row, typename Fill>
    [[nodiscard]] static base::Result<void> writeInOrder(const Table& table, const std::vector<Row>& stored,
                                                         std::size_t count, Fill fill) {
        RowMatch match;
        for (std::size_t i = 0; i < count; ++i)
            match.storedFor.push_back(i < stored.size() ? std::optional<std::size_t>(i) : std::nullopt);
        for (std::size_t i = count; i < stored.size(); ++i)
            match.unclaimed.push_back(i);
        return writeMatched(table, stored, match, fill);
    }

    app::AppContext& m_ctx;
    sensornet::AdapterLink& m_link;
    sensornet::SensorBus m_bus;
    base::UserDialogs& m_dialogs;

private:
    // Resets the adapter and opens the TempLog; false when the port is not open afterwards.
    bool openAdapter();
    // Runs write inside one transaction of the side's database; the error text when it was rolled back.
    [[nodiscard]] base::Result<void> inTransaction(const std::function<base::Result<void>()>& write);
    // The family code a lamp switch has: the two characters before the alarm search command's terminator.
    [[nodiscard]] QString switchFamily() const;

    Side m_side;
    QStringList m_activity;
    std::vector<LampRow> m_lamps;
};

} // namespace kelvara::install
