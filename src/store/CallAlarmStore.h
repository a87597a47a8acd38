#pragma once

#include "base/Result.h"
#include "store/Database.h"
#include "store/SqlTable.h"

#include <QDateTime>
#include <QString>
#include <QTime>
#include <optional>
#include <vector>

namespace kelvara::store {

// One recipient of the notification list, how to reach them, and what they were last told.
// The nullable columns are those whose Null the dispatcher tells apart from a value: a comparison
// with Null counts as false there.
struct CallAlarmRow {
    qint64 id = 0;
    int CallID = 0;
    QString Notify;
    bool Active = false;
    std::optional<int> Repeat;
    std::optional<int> Retry;
    std::optional<QTime> LastCall;
    // The day of LastCall; Null for a call made before the list kept it.
    std::optional<QDate> LastCallDate;
    std::optional<int> Actual;
    // The set of zones in alarm at the last successful notification; Null when never set.
    std::optional<QString> Rooms;
    QString Recipient;
    QString RecipientNo;
    QString AccessNo;
    std::optional<QString> Message;
    QString Device;
    QString Speed;
    QString Parity;
    std::optional<QString> Password;
    QString Protocol;
    QString SendType;
    QString SenderNo;
    QString Provider;
    QString DataBits;
    QString StopBits;
};

// Reads and writes the notification list (table CallAlarm), in CallID order.
class CallAlarmStore {
public:
    explicit CallAlarmStore(const Database& database);

    [[nodiscard]] base::Result<std::vector<CallAlarmRow>> loadAll() const;

    [[nodiscard]] base::Result<qint64> insert(const CallAlarmRow& row) const;
    [[nodiscard]] base::Result<void> update(const CallAlarmRow& row) const;
    // What the notification list window edits: every column but the dispatcher's record of its calls
    // (LastCall, LastCallDate, Actual, Rooms), which a send may be writing while the window is open.
    [[nodiscard]] base::Result<void> saveSettings(const CallAlarmRow& row) const;
    // The CallID after the highest in the list (1 for an empty list): a new row goes to its end.
    [[nodiscard]] base::Result<int> nextCallId() const;
    [[nodiscard]] base::Result<void> remove(qint64 id) const;
    // A successful notification: the call's date and time, one more to the count and the set of zones told.
    // Only these columns change, and only while the row is still there and active.
    [[nodiscard]] base::Result<void> recordCall(qint64 id, const QDateTime& at, const QString& rooms) const;
    // Once an alarm is over: every row's count back to 0 and its set of zones emptied; LastCall stays.
    [[nodiscard]] base::Result<void> resetCounts() const;

private:
    SqlTable m_table;
};

} // namespace kelvara::store
