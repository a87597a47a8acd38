// The zone configuration's rules on a real zone database: lamp serials by their place on the panel, Save
// handing them to the zones, the delay rule of a grid edit, and edits of the wrong kind refused before they
// are stored.
#include "install/ZoneConfiguration.h"
#include "install/ZoneGridModel.h"
#include "store/AlarmPanelStore.h"
#include "support/SiteBench.h"

#include <gtest/gtest.h>
#include <ostream>

using namespace kelvara;
using install::ZoneGridColumn;

namespace {

const QString kOldSerial = QStringLiteral("OLD0000000000005");

// The switch of the panel's lamp at place n.
QString lampSerial(int n) {
    return QStringLiteral("%1000000000000005").arg(n, 2, 10, QLatin1Char('0'));
}

class ZoneSetupTest : public ::testing::Test, protected test::SiteContext {
protected:
    void addLamp(int ledNo, const QString& serial) const {
        ASSERT_TRUE(store::AlarmPanelStore(db()).insert({.AlarmLedNo = ledNo, .ALarmSerialNo = serial}).ok());
    }
    void addZone(int room, int ledNo) const {
        ASSERT_TRUE(zones()
                        .insert({.Room = room,
                                 .Name = QStringLiteral("Cooler %1").arg(room),
                                 .HighAlarm = 40,
                                 .LowAlarm = 32,
                                 .AlarmDelay = 15,
                                 .AlarmOn = QTime(9, 30, 0),
                                 .ALarmSerialNo = kOldSerial,
                                 .AlarmLedNo = ledNo})
                        .ok());
    }
    [[nodiscard]] const store::Database& db() const { return *ctx.databases.kvr; }
    [[nodiscard]] store::MonitorSetsStore zones() const { return store::MonitorSetsStore(db()); }
    [[nodiscard]] store::MonitorSetsRow stored(int room) const { return *zones().findByRoom(room).value(); }

    test::FakeClock clock{QDateTime(QDate(2026, 3, 2), QTime(14, 25, 7))};
    test::RecordedDialogs dialogs;
};

struct LampCase {
    const char* name;
    int lampsOnPanel;
    int alarmLedNo;
    int ledCount;
    std::optional<int> gets; // the place of the lamp whose serial the zone gets; 0: none; nullopt: its own
};

void PrintTo(const LampCase& c, std::ostream* os) {
    *os << c.name;
}

class LampSerials : public ZoneSetupTest, public ::testing::WithParamInterface<LampCase> {};

TEST_P(LampSerials, AZoneGetsTheSerialOfTheLampAtItsNumbersPlaceOrKeepsItsOwn) {
    const LampCase& c = GetParam();
    addLamp(0, QStringLiteral("9900000000000905")); // a panel row without a number is no lamp
    // Numbered 2, 4, 6 ... and added last first: the panel is read in number order and counted by place.
    for (int n = c.lampsOnPanel; n >= 1; --n)
        addLamp(2 * n, lampSerial(n));
    addZone(1, c.alarmLedNo);
    addZone(2, 2); // a neighbour that always gets its lamp, so a skipped row does not stop the pass
    install::ZoneConfiguration config(db());
    ASSERT_TRUE(config.loadLampSerials().ok());
    EXPECT_EQ(config.LedCount(), c.ledCount);
    EXPECT_EQ(config.LedSerial(c.ledCount + 1), QString());
    ASSERT_TRUE(config.saveLampSerials().ok());
    EXPECT_EQ(stored(1).ALarmSerialNo, !c.gets ? kOldSerial : *c.gets == 0 ? QString() : lampSerial(*c.gets));
    EXPECT_EQ(stored(2).ALarmSerialNo, lampSerial(2));
}

INSTANTIATE_TEST_SUITE_P(Cases, LampSerials,
                         ::testing::Values(LampCase{"SecondLamp", 2, 2, 2, 2},
                                           LampCase{"FirstLamp", 2, 1, 2, 1}, LampCase{"NoLamp", 2, 0, 2, 0},
                                           LampCase{"AboveTheLampCount", 2, 3, 2, std::nullopt},
                                           LampCase{"Negative", 2, -1, 2, std::nullopt},
                                           LampCase{"TwentiethOfALargerPanel", 22, 20, 20, 20},
                                           LampCase{"BeyondTheTwentieth", 22, 21, 20, std::nullopt}));

struct EditCase {
    const char* name;
    ZoneGridColumn column;
    QVariant value;
    bool taken;
    std::optional<QTime> alarmOn; // as stored afterwards
    bool started;
};

void PrintTo(const EditCase& c, std::ostream* os) {
    *os << c.name;
}

class GridEdit : public ZoneSetupTest, public ::testing::WithParamInterface<EditCase> {
protected:
    // Every cell of the first zone as a grid that reads the table afresh shows it.
    [[nodiscard]] QVariantList storedCells() {
        const install::ZoneGridModel fresh(db(), clock, dialogs);
        QVariantList cells;
        for (int column = 0; column < fresh.columnCount(); ++column)
            cells << fresh.index(0, column).data(Qt::EditRole);
        return cells;
    }
};

TEST_P(GridEdit, IsStoredWithTheDelayRuleAppliedOrRefusedWhole) {
    const EditCase& c = GetParam();
    addZone(1, 2);
    install::ZoneGridModel model(db(), clock, dialogs);
    const QVariantList before = storedCells();
    const int column = static_cast<int>(c.column);
    EXPECT_EQ(model.setData(model.index(0, column), c.value), c.taken);
    const store::MonitorSetsRow zone = stored(1);
    EXPECT_EQ(zone.AlarmOn, c.alarmOn);
    EXPECT_EQ(zone.Alarmstarted, c.started);
    EXPECT_EQ(model.zone(0)->AlarmOn, c.alarmOn); // the grid shows what was stored
    if (c.taken) {
        EXPECT_EQ(storedCells().value(column), c.value);
    } else {
        EXPECT_EQ(storedCells(), before);
    }
    EXPECT_TRUE(dialogs.texts.isEmpty()) << dialogs.texts.join('\n').toStdString();
}

const QTime kKept(9, 30);
const QTime kMidnight(0, 0);

INSTANTIATE_TEST_SUITE_P(
    Cases, GridEdit,
    ::testing::Values(
        EditCase{"DelayFiveStartsNow", ZoneGridColumn::Delay, 5, true, QTime(14, 25, 7), true},
        EditCase{"DelayZeroIsMidnight", ZoneGridColumn::Delay, 0, true, kMidnight, false},
        EditCase{"HighZeroIsMidnight", ZoneGridColumn::High, 0.0, true, kMidnight, false},
        EditCase{"AlarmOffIsMidnight", ZoneGridColumn::Alarm, false, true, kMidnight, false},
        EditCase{"OtherValueKeepsAlarmOn", ZoneGridColumn::AlarmLed, 3, true, kKept, false},
        EditCase{"NameKeepsAlarmOn", ZoneGridColumn::Name, QStringLiteral("Freezer"), true, kKept, false},
        EditCase{"TextAsDelay", ZoneGridColumn::Delay, QStringLiteral("five"), false, kKept, false},
        EditCase{"FractionAsDelay", ZoneGridColumn::Delay, 2.5, false, kKept, false},
        EditCase{"TextAsHighLimit", ZoneGridColumn::High, QStringLiteral("warm"), false, kKept, false},
        EditCase{"TextAsRoom", ZoneGridColumn::Zone, QStringLiteral("A"), false, kKept, false},
        EditCase{"TextAsCalibration", ZoneGridColumn::Calibrate, QStringLiteral("x1"), false, kKept, false},
        EditCase{"WordAsFlag", ZoneGridColumn::Alarm, QStringLiteral("maybe"), false, kKept, false},
        EditCase{"OverlongName", ZoneGridColumn::Name, QString(51, QLatin1Char('n')), false, kKept, false}));

TEST_F(ZoneSetupTest, RemovingAZoneDeletesItFromTheTableAndTheGrid) {
    addZone(1, 1);
    addZone(2, 2);
    install::ZoneGridModel model(db(), clock, dialogs);
    ASSERT_TRUE(model.removeZone(0));
    EXPECT_EQ(model.rowCount(), 1);
    EXPECT_EQ(model.zone(0)->Room, 2);
    EXPECT_EQ(zones().count(), 1);
    EXPECT_FALSE(model.removeZone(5));
}

} // namespace
