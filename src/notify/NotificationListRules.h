#pragma once

#include "store/CallAlarmStore.h"
#include "store/ProviderStore.h"

#include <QStringList>
#include <optional>

namespace kelvara::notify {

// How a row of the notification list is edited: what a row's way of notifying enables, what "None" clears,
// and how a chosen access provider's settings come into the row.
class NotificationListRules {
public:
    // What the window shows for a row that has just become current.
    struct Fields {
        // The provider, device and send groups: only SMS and pager rows use them.
        bool groupsEnabled = false;
        // The GSM option is selected (else the provider option); only meaningful while the groups are
        // enabled.
        bool gsm = false;
    };

    // The row just became current or its Notify changed. A "None" row is emptied: not active, no recipient,
    // no repeats, no subject, no provider and none of the provider's settings.
    [[nodiscard]] static Fields rowChanged(store::CallAlarmRow& row);

    // A provider was chosen: its eight settings are copied into the row; none (a name the provider table
    // does not hold) empties them. The row keeps them whatever later happens to the provider.
    static void copyProvider(store::CallAlarmRow& row, const std::optional<store::ProviderRow>& provider);

    // The Notify column's choices, in the order the list offers them.
    static inline const QStringList kNotifyChoices = {QStringLiteral("Mobile"), QStringLiteral("Pager"),
                                                      QStringLiteral("Email"), QStringLiteral("None")};
};

} // namespace kelvara::notify
