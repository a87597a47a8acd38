#include "notify/NotificationListRules.h"

namespace kelvara::notify {

NotificationListRules::Fields NotificationListRules::rowChanged(store::CallAlarmRow& row) {
    const bool email = row.Notify == QLatin1String("Email");
    const bool none = row.Notify == QLatin1String("None");
    if (!email && !none)
        return {true, row.SendType == QLatin1String("GSM")};
    if (none) {
        row.Active = false;
        row.Recipient.clear();
        row.Repeat = 0;
        row.Retry = 0;
        row.Message = QStringLiteral(""); // empty, not Null: the subject was cleared, not never set
        row.Provider.clear();
        copyProvider(row, std::nullopt);
    }
    return {false, false};
}

void NotificationListRules::copyProvider(store::CallAlarmRow& row,
                                         const std::optional<store::ProviderRow>& provider) {
    const store::ProviderRow settings = provider.value_or(store::ProviderRow{});
    row.AccessNo = settings.AccessNo;
    row.Password = settings.Password;
    row.Protocol = settings.Protocol;
    row.Device = settings.Device;
    row.Parity = settings.Parity;
    row.StopBits = settings.StopBits;
    row.DataBits = settings.DataBits;
    row.Speed = settings.Speed;
}

} // namespace kelvara::notify
