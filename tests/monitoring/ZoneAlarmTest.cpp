// The zone alarm rule over time: delay, raise, re-raise, back inside, temporary disable, midnight.
#include "monitoring/ZoneAlarmEvaluator.h"

#include <gtest/gtest.h>

using namespace kelvara;
using monitoring::ZoneAlarmEvaluator;
using monitoring::ZoneAlarmState;

namespace {

QTime t(const char* hhmm) {
    return QTime::fromString(QString::fromLatin1(hhmm), "HH:mm");
}

class ZoneAlarm : public ::testing::Test {
protected:
    void SetUp() override {
        zone.Room = 7;
        zone.Name = "  Cooler 1";
        zone.Alarm = true;
        zone.HighAlarm = 40;
        zone.LowAlarm = 32;
        zone.AlarmDelay = 15;
    }
    // One pass's evaluation of this zone (the pass clears the per-pass fields first).
    std::optional<monitoring::RaisedAlarm> read(int value, const char* at) {
        state.startPass();
        return ZoneAlarmEvaluator::evaluate(zone, kIndex, value, t(at), "F", state);
    }

    static constexpr int kIndex = 2;
    store::MonitorSetsRow zone;
    ZoneAlarmState state;
};

} // namespace

TEST_F(ZoneAlarm, RaisedAfterItsDelayThenANewDelayThenClearedInside) {
    EXPECT_FALSE(read(41, "10:00"));
    EXPECT_TRUE(zone.Alarmstarted);
    EXPECT_TRUE(state.AlarmCondition);
    EXPECT_FALSE(read(41, "10:10"));
    EXPECT_FALSE(state.AlarmRaised);

    const auto raised = read(41, "10:16");
    ASSERT_TRUE(raised);
    EXPECT_EQ(raised->AlarmType, "High");
    EXPECT_EQ(raised->AlarmTemp, 40);
    EXPECT_TRUE(state.AlarmRaised);
    EXPECT_EQ(state.AlarmRooms, "7,");
    EXPECT_EQ(state.AlarmTexts[kIndex], "Kelvara Cooler 1  High Alarm  41F");
    EXPECT_TRUE(state.ZoneAlarmRaised[kIndex]);
    EXPECT_FALSE(zone.Alarmstarted);

    EXPECT_FALSE(read(41, "10:21")); // still outside: a new delay starts, the lamp stays lit
    EXPECT_TRUE(zone.Alarmstarted);
    EXPECT_TRUE(state.ZoneAlarmRaised[kIndex]);
    EXPECT_EQ(state.AlarmTexts[kIndex], "Kelvara Cooler 1  High Alarm  41F");
    EXPECT_TRUE(state.AlarmRooms.isEmpty());

    EXPECT_FALSE(read(40, "10:22")); // equal to the limit is inside
    EXPECT_FALSE(state.AlarmCondition);
    EXPECT_TRUE(state.AlarmTexts[kIndex].isEmpty());
    EXPECT_FALSE(state.ZoneAlarmRaised[kIndex]);
    EXPECT_FALSE(zone.Alarmstarted);
}

TEST_F(ZoneAlarm, NoDelayRaisesOnEveryPassAndLowLimitsRoundHalvesToEven) {
    zone.AlarmDelay = 0;
    zone.LowAlarm = 32.5;
    for (const char* at : {"08:00", "08:01", "08:02"}) {
        const auto raised = read(30, at);
        ASSERT_TRUE(raised) << at;
        EXPECT_EQ(raised->AlarmType, "Low");
        EXPECT_EQ(raised->AlarmTemp, 32);
    }
}

TEST_F(ZoneAlarm, ADelayRunsOnAcrossMidnight) {
    zone.AlarmDelay = 10;
    EXPECT_FALSE(read(41, "23:55"));
    EXPECT_FALSE(read(41, "00:04"));
    EXPECT_TRUE(read(41, "00:05"));
}

TEST_F(ZoneAlarm, SwitchedOffOrWithoutLimitsNeverRaises) {
    zone.AlarmDelay = 0;
    zone.Alarm = false;
    EXPECT_FALSE(read(100, "09:00"));
    EXPECT_FALSE(state.AlarmCondition);
    zone.Alarm = true;
    zone.HighAlarm.reset();
    zone.LowAlarm.reset();
    EXPECT_FALSE(read(100, "09:01"));
}

TEST_F(ZoneAlarm, ATemporaryDisableEndsByItselfInsideAcrossMidnight) {
    zone.DisableAlarm = true;
    zone.Duration = 2;
    zone.AlarmOn = t("23:00");
    state.ZoneAlarmDisabled[kIndex] = true;
    EXPECT_FALSE(read(35, "00:59"));
    EXPECT_TRUE(zone.DisableAlarm);
    EXPECT_FALSE(read(35, "01:00"));
    EXPECT_FALSE(zone.DisableAlarm);
    EXPECT_EQ(zone.Duration, 0);
    EXPECT_FALSE(state.ZoneAlarmDisabled[kIndex]);
}

TEST_F(ZoneAlarm, ATemporaryDisableEndsByRaisingOnceItsHoursHavePassedOutside) {
    zone.DisableAlarm = true;
    zone.Duration = 1;
    zone.AlarmOn = t("09:00");
    state.ZoneAlarmDisabled[kIndex] = true;
    EXPECT_FALSE(read(45, "09:30")); // the excursion starts the count: AlarmOn moves to 09:30
    EXPECT_EQ(zone.AlarmOn, t("09:30"));
    EXPECT_FALSE(read(45, "10:00")); // the 15-minute delay does not apply while disabled
    EXPECT_FALSE(read(45, "10:29"));
    const auto raised = read(45, "10:30");
    ASSERT_TRUE(raised);
    EXPECT_FALSE(zone.DisableAlarm);
    EXPECT_FALSE(state.ZoneAlarmDisabled[kIndex]);
    EXPECT_TRUE(state.ZoneAlarmRaised[kIndex]);
}

TEST_F(ZoneAlarm, ZonesBeyondTwentyStillEvaluateWithoutTouchingThePanelArrays) {
    zone.AlarmDelay = 0;
    state.startPass();
    const auto raised = ZoneAlarmEvaluator::evaluate(zone, 20, 99, t("12:00"), "C", state);
    ASSERT_TRUE(raised);
    EXPECT_EQ(state.AlarmRooms, "7,");
}
