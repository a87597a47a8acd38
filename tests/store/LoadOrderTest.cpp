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

template <typename Store, typename Row, typename Key>
QStringList addThenLoad(const Database& db, const std::vector<Row>& rows, Key key) {
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

const std::vector<OrderCase> kCases{
    {"MonitorSetsByRoom",
     DatabaseKind::Kvr,
     [](const Database& db) {
         std::vector<MonitorSetsRow> rows(4);
         const int rooms[] = {3, 0, 12, 2};
         for (std::size_t i = 0; i < rows.size(); ++i)
             rows[i].Room = rooms[i];
         return addThenLoad<MonitorSetsStore>(db, rows,
                                              [](const auto& r) { return QString::number(r.Room); });
     },
     {"0", "2", "3", "12"}},
    // Day before time; a time of 9:00 sorts before 10:00 only when stored with two-digit hours.
    {"MonitorByRecDateThenRecTime",
     DatabaseKind::Kvr,
     [](const Database& db) {
         std::vector<MonitorRow> rows{reading(kDay2, QTime(9, 0)), reading(kDay1, QTime(10, 0)),
                                      reading(kDay1, QTime(9, 0)), reading(kDay2, QTime(0, 5))};
         return addThenLoad<MonitorStore>(db, rows, [](const auto& r) {
             return r.RecDate.toString(Qt::ISODate) + QLatin1Char(' ') + r.RecTime.toString();
         });
     },
     {"2024-01-09 09:00:00", "2024-01-09 10:00:00", "2024-01-10 00:05:00", "2024-01-10 09:00:00"}},
    {"AlarmsByDateTimeRoom",
     DatabaseKind::Kvr,
     [](const Database& db) {
         std::vector<AlarmsRow> rows{alarm(kDay2, QTime(8, 0), 1), alarm(kDay1, QTime(8, 0), 5),
                                     alarm(kDay1, QTime(8, 0), 2), alarm(kDay1, QTime(7, 59), 9)};
         return addThenLoad<AlarmsStore>(db, rows, [](const auto& r) {
             return QStringLiteral("%1/%2/%3")
                 .arg(r.Date.day())
                 .arg(r.Time.toString(QStringLiteral("HH:mm")))
                 .arg(r.Room);
         });
     },
     {"9/07:59/9", "9/08:00/2", "9/08:00/5", "10/08:00/1"}},
    {"AlarmPanelByAlarmLedNo",
     DatabaseKind::Kvr,
     [](const Database& db) {
         std::vector<AlarmPanelRow> rows(3);
         rows[0].AlarmLedNo = 2;
         rows[1].AlarmLedNo = 0;
         rows[2].AlarmLedNo = 1;
         return addThenLoad<AlarmPanelStore>(db, rows,
                                             [](const auto& r) { return QString::number(r.AlarmLedNo); });
     },
     {"0", "1", "2"}},
    {"CallAlarmByCallID",
     DatabaseKind::Kvr,
     [](const Database& db) {
         std::vector<CallAlarmRow> rows(3);
         rows[0].CallID = 10;
         rows[1].CallID = 2;
         rows[2].CallID = 7;
         return addThenLoad<CallAlarmStore>(db, rows,
                                            [](const auto& r) { return QString::number(r.CallID); });
     },
     {"2", "7", "10"}},
    {"ProviderByName",
     DatabaseKind::Kvr,
     [](const Database& db) {
         std::vector<ProviderRow> rows(3);
         rows[0].Provider = QStringLiteral("rogers");
         rows[1].Provider = QStringLiteral("Bell");
         rows[2].Provider = QStringLiteral("Telus");
         return addThenLoad<ProviderStore>(db, rows, [](const auto& r) { return r.Provider; });
     },
     {"Bell", "rogers", "Telus"}},
    {"ThermoSensorsBySensorNo",
     DatabaseKind::Thermo,
     [](const Database& db) {
         std::vector<ThermoSensorsRow> rows(3);
         rows[0].SensorNo = 10;
         rows[1].SensorNo = 1;
         rows[2].SensorNo = 9;
         return addThenLoad<ThermoSensorsStore>(db, rows,
                                                [](const auto& r) { return QString::number(r.SensorNo); });
     },
     {"1", "9", "10"}},
    {"ProductsByDescription",
     DatabaseKind::Thermo,
     [](const Database& db) {
         std::vector<ProductsRow> rows(3);
         rows[0].Description = QStringLiteral("Turkey");
         rows[1].Description = QStringLiteral("beef stew");
         rows[2].Description = QStringLiteral("Apple pie");
         return addThenLoad<ProductsStore>(db, rows, [](const auto& r) { return r.Description; });
     },
     {"Apple pie", "beef stew", "Turkey"}},
    {"LightPanelByLightNo",
     DatabaseKind::Thermo,
     [](const Database& db) {
         std::vector<LightPanelRow> rows(3);
         rows[0].LightNo = 5;
         rows[1].LightNo = 3;
         rows[2].LightNo = 4;
         return addThenLoad<LightPanelStore>(db, rows,
                                             [](const auto& r) { return QString::number(r.LightNo); });
     },
     {"3", "4", "5"}},
    {"BatchsByBatchNo",
     DatabaseKind::Thermo,
     [](const Database& db) {
         std::vector<BatchsRow> rows(3);
         rows[0].BatchNo = 11;
         rows[1].BatchNo = 9;
         rows[2].BatchNo = 100;
         return addThenLoad<BatchsStore>(db, rows, [](const auto& r) { return QString::number(r.BatchNo); });
     },
     {"9", "11", "100"}},
};

class LoadOrderTest : public test::StoreFixture, public ::testing::WithParamInterface<OrderCase> {};

} // namespace

TEST_P(LoadOrderTest, RowsComeBackInTheirReadingOrder) {
    auto db = create(GetParam().kind);
    EXPECT_EQ(GetParam().run(*db), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Stores, LoadOrderTest, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<OrderCase>& info) { return info.param.name; });
