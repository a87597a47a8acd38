// What a notification row's way of notifying enables, and what "None" empties (the provider copy is shown
// through the window).
#include "notify/NotificationListRules.h"

#include "support/QtPrinters.h"

#include <gtest/gtest.h>

using namespace kelvara;
using notify::NotificationListRules;
using store::CallAlarmRow;

namespace {

CallAlarmRow filledRow(const QString& notify, const QString& sendType) {
    CallAlarmRow row;
    row.Notify = notify;
    row.SendType = sendType;
    row.Active = true;
    row.Recipient = "Night manager";
    row.Repeat = 5;
    row.Retry = 3;
    row.Message = "Freezer alarm";
    row.Provider = "Paging North";
    row.AccessNo = "9,5550200";
    row.Password = "secret";
    row.Protocol = "TAP";
    row.Device = "Com2";
    row.Speed = "2400";
    row.DataBits = "7";
    row.Parity = "even";
    row.StopBits = "1";
    row.RecipientNo = "15195550100";
    return row;
}

struct RuleCase {
    const char* notify;
    const char* sendType;
    bool groupsEnabled;
    bool gsm;
};

} // namespace

TEST(NotificationListRulesTest, OnlySmsAndPagerRowsUseTheGroupsAndOnlyNoneEmptiesTheRow) {
    const RuleCase cases[] = {
        {"Mobile", "GSM", true, true},  {"Mobile", "Provider", true, false},
        {"Pager", "GSM", true, true},   {"Pager", "", true, false},
        {"Email", "GSM", false, false}, {"None", "Provider", false, false},
    };
    for (const RuleCase& c : cases) {
        CallAlarmRow row = filledRow(c.notify, c.sendType);
        const auto fields = NotificationListRules::rowChanged(row);
        SCOPED_TRACE(c.notify + std::string(" ") + c.sendType);
        EXPECT_EQ(fields.groupsEnabled, c.groupsEnabled);
        if (c.groupsEnabled) {
            EXPECT_EQ(fields.gsm, c.gsm);
        }
        if (QString::fromLatin1(c.notify) != "None") {
            EXPECT_EQ(row.Recipient, "Night manager") << "only None empties a row";
            EXPECT_EQ(row.AccessNo, "9,5550200");
            continue;
        }
        EXPECT_FALSE(row.Active);
        EXPECT_EQ(row.Recipient, "");
        EXPECT_EQ(row.Repeat, 0);
        EXPECT_EQ(row.Retry, 0);
        EXPECT_EQ(row.Message, "");
        EXPECT_EQ(row.Provider, "");
        for (const QString& setting : {row.AccessNo, row.Password.value_or("x"), row.Protocol, row.Device,
                                       row.Speed, row.DataBits, row.Parity, row.StopBits})
            EXPECT_EQ(setting, "");
        EXPECT_EQ(row.RecipientNo, "15195550100") << "the send options are the user's to clear";
    }
}
