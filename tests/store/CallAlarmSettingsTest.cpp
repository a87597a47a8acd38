// The notification list window's saves: they leave the dispatcher's record of its calls alone, and a new
// row goes to the end of the list.
#include "StoreFixture.h"
#include "store/CallAlarmStore.h"

using namespace kelvara;
using store::CallAlarmRow;

namespace {

class CallAlarmSettingsTest : public test::StoreFixture {};

} // namespace

TEST_F(CallAlarmSettingsTest, SavingSettingsKeepsTheDispatchersCallRecord) {
    auto db = create(store::DatabaseKind::Kvr);
    const store::CallAlarmStore list(*db);
    EXPECT_EQ(*list.nextCallId(), 1);

    CallAlarmRow row;
    row.CallID = 4;
    row.Notify = "Mobile";
    row.Recipient = "Night manager";
    row.Active = true;
    const auto id = list.insert(row);
    ASSERT_TRUE(id.ok());
    row.id = *id;
    // The dispatcher records a call while the window still holds the row as it was loaded.
    ASSERT_TRUE(list.recordCall(row.id, QDateTime(QDate(2026, 7, 1), QTime(10, 5, 0)), "3,").ok());

    row.Recipient = "Day manager";
    row.Message = "Freezer";
    ASSERT_TRUE(list.saveSettings(row).ok());
    const CallAlarmRow saved = list.loadAll()->front();
    EXPECT_EQ(saved.Recipient, "Day manager");
    EXPECT_EQ(saved.Message, "Freezer");
    EXPECT_EQ(saved.LastCall, QTime(10, 5, 0));
    EXPECT_EQ(saved.LastCallDate, QDate(2026, 7, 1));
    EXPECT_EQ(saved.Actual, 1);
    EXPECT_EQ(saved.Rooms, "3,");
    EXPECT_EQ(*list.nextCallId(), 5);
}
