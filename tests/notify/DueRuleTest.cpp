// When a recipient is due: the change of zones, the repeats still owed, and the spacing measured from the
// full date and time of the last call.
#include "notify/DueRule.h"

#include <gtest/gtest.h>

using namespace kelvara;

namespace {

struct DueCase {
    const char* name;
    std::optional<int> repeat;
    std::optional<int> retry;
    std::optional<int> actual;
    std::optional<QString> rooms;
    std::optional<QDateTime> lastCall; // with its date
    std::optional<QTime> lastCallWithoutDate;
    QDateTime now;
    bool due;
};

const QDate kDay(2026, 7, 1);

class Due : public ::testing::TestWithParam<DueCase> {};

TEST_P(Due, FollowsTheChangeTheRepeatsAndTheSpacing) {
    const DueCase& c = GetParam();
    store::CallAlarmRow row;
    row.Active = true;
    row.Repeat = c.repeat;
    row.Retry = c.retry;
    row.Actual = c.actual;
    row.Rooms = c.rooms;
    if (c.lastCall) {
        row.LastCall = c.lastCall->time();
        row.LastCallDate = c.lastCall->date();
    } else {
        row.LastCall = c.lastCallWithoutDate;
    }
    EXPECT_EQ(notify::DueRule::isDue(row, QStringLiteral("3,"), c.now), c.due);
    row.Active = false;
    EXPECT_FALSE(notify::DueRule::isDue(row, QStringLiteral("3,"), c.now));
}

const QDateTime at(int h, int m, int s = 0, int dayOffset = 0) {
    return QDateTime(kDay.addDays(dayOffset), QTime(h, m, s));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, Due,
    ::testing::Values(
        DueCase{"NeverCalled", 5, 3, 0, std::nullopt, std::nullopt, std::nullopt, at(10, 0), true},
        DueCase{"SameZonesRepeatOwedIntervalPassed", 5, 3, 1, "3,", at(10, 0), std::nullopt, at(10, 5), true},
        DueCase{"SameZonesRepeatOwedTooSoon", 5, 3, 1, "3,", at(10, 0), std::nullopt, at(10, 4, 59), false},
        DueCase{"SameZonesRetriesUsed", 5, 3, 3, "3,", at(10, 0), std::nullopt, at(11, 0), false},
        DueCase{"NullCountOwesNothing", 5, 3, std::nullopt, "3,", at(10, 0), std::nullopt, at(11, 0), false},
        DueCase{"ZonesChangedRetriesUsed", 5, 3, 3, "3,7,", at(10, 0), std::nullopt, at(10, 5), true},
        DueCase{"ZonesChangedWithinAMinuteWithoutRepeat", 0, 3, 1, "7,", at(10, 0), std::nullopt,
                at(10, 0, 59), false},
        DueCase{"EmptiedByTheLastResetCountsAsChanged", 0, 3, 0, "", at(10, 0), std::nullopt, at(10, 1),
                true},
        DueCase{"YesterdaysCallAtThisHourHoldsNothingBack", 5, 3, 0, "7,", at(10, 0, 0, -1), std::nullopt,
                at(10, 2), true},
        DueCase{"MidnightLetsNoCallThroughEarly", 5, 3, 0, "7,", at(23, 58, 0, -1), std::nullopt, at(0, 1),
                false},
        DueCase{"MidnightAfterTheSpacing", 5, 3, 0, "7,", at(23, 55, 0, -1), std::nullopt, at(0, 1), true},
        DueCase{"AnUndatedCallBeforeMidnightCountsAsLongAgo", 5, 3, 0, "7,", std::nullopt, QTime(23, 58),
                at(0, 1), true},
        DueCase{"AnUndatedCallEarlierTodayIsSpaced", 5, 3, 0, "7,", std::nullopt, QTime(9, 58), at(10, 1),
                false}),
    [](const ::testing::TestParamInfo<DueCase>& info) { return std::string(info.param.name); });

} // namespace
