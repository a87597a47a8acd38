// Every store hands its rows out in the order the screens and passes walk them, whatever the order added.
#include "StoreFixture.h"
#include "store/AlarmPanelStore.h"
#include "store/AlarmsStore.h"
#include "store/BatchsStore.h"
#include "store/CallAlarmStore.h"
#include "store/LightPanelStore.h"
#include "store/MonitorSetsStore.h"
#include "store/MonitorStore.h"
#include "store/ProductsStore.h"
#include "store/ProviderStore.h"
#include "store/ThermoSensorsStore.h"

#include <functional>
#include <gtest/gtest.h>

using namespace kelvara;
using namespace kelvara::store;

namespace {

// Adds rows out of order and returns a key per loaded row, in load order.
using Scenario = std::function<QStringList(const Database&)>;

struct OrderCase {
    const char* name;
    DatabaseKind kind;
    Scenario run;
    QStringList expected;
};

template <typename Store, typename Row, typename Key> Scenario addThenLoad(std::vector<Row> rows, Key key) {
    return [rows, key](const Database& db) {
        Store store(db);
        for (const Row& row : rows)
            EXPECT_TRUE(store.insert(row).ok());
        QStringList keys;
        const auto loaded = store.loadAll();
        EXPECT_TRUE(loaded.ok()) << loaded.error().toStdString();
        if (loaded.ok())
            for (const Row& row : *loaded)
                keys << key(row);
        return keys;
    };
}

// Rows that differ in one field only, keyed by it.
template <typename Store, typename Row, typename Field>
Scenario byField(Field Row::*field, std::vector<Field> values) {
    std::vector<Row> rows(values.size());
    for (std::size_t i = 0; i < values.size(); ++i)
        rows[i].*field = values[i];
    return addThenLoad<Store>(rows, [field](const Row& r) { return QVariant(r.*field).toString(); });
}

MonitorRow reading(QDate day, QTime at) {
    MonitorRow row;
    row.RecDate = day;
    row.RecTime = at;
    return row;
}

AlarmsRow alarm(QDate day, QTime at, int room) {
    AlarmsRow row;
    row.Date = day;
    row.Time = at;
    row.Room = room;
    return row;
}

const QDate kDay1(2024, 1, 9);
const QDate kDay2(2024, 1, 10);
const auto kKvr = DatabaseKind::Kvr;
const auto kThermo = DatabaseKind::Thermo;

const std::vector<OrderCase> kCases{
    {"MonitorSetsByRoom",
     kKvr,
     byField<MonitorSetsStore>(&MonitorSetsRow::Room, {3, 0, 12, 2}),
     {"0", "2", "3", "12"}},
    // Day before time; a time of 9:00 sorts before 10:00 only when stored with two-digit hours.
    {"MonitorByRecDateThenRecTime",
     kKvr,
     addThenLoad<MonitorStore>(
         std::vector{reading(kDay2, QTime(9, 0)), reading(kDay1, QTime(10, 0)), reading(kDay1, QTime(9, 0)),
                     reading(kDay2, QTime(0, 5))},
         [](const MonitorRow& r) { return r.RecDate.toString(Qt::ISODate) + ' ' + r.RecTime.toString(); }),
     {"2024-01-09 09:00:00", "2024-01-09 10:00:00", "2024-01-10 00:05:00", "2024-01-10 09:00:00"}},
    {"AlarmsByDateTimeRoom",
     kKvr,
     addThenLoad<AlarmsStore>(
         std::vector{alarm(kDay2, QTime(8, 0), 1), alarm(kDay1, QTime(8, 0), 5), alarm(kDay1, QTime(8, 0), 2),
                     alarm(kDay1, QTime(7, 59), 9)},
         [](const AlarmsRow& r) {
             return QStringLiteral("%1/%2/%3").arg(r.Date.day()).arg(r.Time.toString("HH:mm")).arg(r.Room);
         }),
     {"9/07:59/9", "9/08:00/2", "9/08:00/5", "10/08:00/1"}},
    {"AlarmPanelByAlarmLedNo",
     kKvr,
     byField<AlarmPanelStore>(&AlarmPanelRow::AlarmLedNo, {2, 0, 1}),
     {"0", "1", "2"}},
    {"CallAlarmByCallID", kKvr, byField<CallAlarmStore>(&CallAlarmRow::CallID, {10, 2, 7}), {"2", "7", "10"}},
    {"ProviderByName",
     kKvr,
     byField<ProviderStore>(&ProviderRow::Provider, {"rogers", "Bell", "Telus"}),
     {"Bell", "rogers", "Telus"}},
    {"ThermoSensorsBySensorNo",
     kThermo,
     byField<ThermoSensorsStore>(&ThermoSensorsRow::SensorNo, {10, 1, 9}),
     {"1", "9", "10"}},
    {"ProductsByDescription",
     kThermo,
     byField<ProductsStore>(&ProductsRow::Description, {"Turkey", "beef stew", "Apple pie"}),
     {"Apple pie", "beef stew", "Turkey"}},
    {"LightPanelByLightNo",
     kThermo,
     byField<LightPanelStore>(&LightPanelRow::LightNo, {5, 3, 4}),
     {"3", "4", "5"}},
    {"BatchsByBatchNo", kThermo, byField<BatchsStore>(&BatchsRow::BatchNo, {11, 9, 100}), {"9", "11", "100"}},
};

class LoadOrderTest : public test::StoreFixture, public ::testing::WithParamInterface<OrderCase> {};

} // namespace

TEST_P(LoadOrderTest, RowsComeBackInTheirReadingOrder) {
    auto db = create(GetParam().kind);
    EXPECT_EQ(GetParam().run(*db), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Stores, LoadOrderTest, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<OrderCase>& info) { return info.param.name; });
