#include "store/CallAlarmStore.h"

#include <algorithm>

namespace kelvara::store {

using namespace sqlvalue;

namespace {

const QString kOrder = QStringLiteral("ORDER BY \"CallID\", rowid");

CallAlarmRow fromRecord(const QSqlRecord& r) {
    CallAlarmRow row;
    row.id = rowid(r);
    row.CallID = toInteger(r.value(QStringLiteral("CallID")));
    row.Notify = toText(r.value(QStringLiteral("Notify")));
    row.Active = toFlag(r.value(QStringLiteral("Active")));
    row.Repeat = toOptionalInteger(r.value(QStringLiteral("Repeat")));
    row.Retry = toOptionalInteger(r.value(QStringLiteral("Retry")));
    row.LastCall = toTime(r.value(QStringLiteral("LastCall")));
    row.LastCallDate = toDate(r.value(QStringLiteral("LastCallDate")));
    row.Actual = toOptionalInteger(r.value(QStringLiteral("Actual")));
    row.Rooms = toOptionalText(r.value(QStringLiteral("Rooms")));
    row.Recipient = toText(r.value(QStringLiteral("Recipient")));
    row.RecipientNo = toText(r.value(QStringLiteral("RecipientNo")));
    row.AccessNo = toText(r.value(QStringLiteral("AccessNo")));
    row.Message = toOptionalText(r.value(QStringLiteral("Message")));
    row.Device = toText(r.value(QStringLiteral("Device")));
    row.Speed = toText(r.value(QStringLiteral("Speed")));
    row.Parity = toText(r.value(QStringLiteral("Parity")));
    row.Password = toOptionalText(r.value(QStringLiteral("Password")));
    row.Protocol = toText(r.value(QStringLiteral("Protocol")));
    row.SendType = toText(r.value(QStringLiteral("SendType")));
    row.SenderNo = toText(r.value(QStringLiteral("SenderNo")));
    row.Provider = toText(r.value(QStringLiteral("Provider")));
    row.DataBits = toText(r.value(QStringLiteral("DataBits")));
    row.StopBits = toText(r.value(QStringLiteral("StopBits")));
    return row;
}

ColumnValues settingColumns(const CallAlarmRow& row) {
    return {{QStringLiteral("CallID"), row.CallID},
            {QStringLiteral("Notify"), row.Notify},
            {QStringLiteral("Active"), flag(row.Active)},
            {QStringLiteral("Repeat"), integer(row.Repeat)},
            {QStringLiteral("Retry"), integer(row.Retry)},
            {QStringLiteral("Recipient"), row.Recipient},
            {QStringLiteral("RecipientNo"), row.RecipientNo},
            {QStringLiteral("AccessNo"), row.AccessNo},
            {QStringLiteral("Message"), text(row.Message)},
            {QStringLiteral("Device"), row.Device},
            {QStringLiteral("Speed"), row.Speed},
            {QStringLiteral("Parity"), row.Parity},
            {QStringLiteral("Password"), text(row.Password)},
            {QStringLiteral("Protocol"), row.Protocol},
            {QStringLiteral("SendType"), row.SendType},
            {QStringLiteral("SenderNo"), row.SenderNo},
            {QStringLiteral("Provider"), row.Provider},
            {QStringLiteral("DataBits"), row.DataBits},
            {QStringLiteral("StopBits"), row.StopBits}};
}

ColumnValues columns(const CallAlarmRow& row) {
    ColumnValues values = settingColumns(row);
    values.insert(values.end(), {{QStringLiteral("LastCall"), time(row.LastCall)},
                                 {QStringLiteral("LastCallDate"), date(row.LastCallDate)},
                                 {QStringLiteral("Actual"), integer(row.Actual)},
                                 {QStringLiteral("Rooms"), text(row.Rooms)}});
    return values;
}

} // namespace

CallAlarmStore::CallAlarmStore(const Database& database) : m_table(database, QStringLiteral("CallAlarm")) {}

base::Result<std::vector<CallAlarmRow>> CallAlarmStore::loadAll() const {
    return m_table.selectRows(kOrder, {}, fromRecord);
}

base::Result<qint64> CallAlarmStore::insert(const CallAlarmRow& row) const {
    return m_table.insert(columns(row));
}

base::Result<void> CallAlarmStore::update(const CallAlarmRow& row) const {
    return m_table.update(row.id, columns(row));
}

base::Result<void> CallAlarmStore::saveSettings(const CallAlarmRow& row) const {
    return m_table.update(row.id, settingColumns(row));
}

base::Result<int> CallAlarmStore::nextCallId() const {
    const auto rows = loadAll();
    if (!rows)
        return rows.failure();
    int highest = 0;
    for (const CallAlarmRow& row : *rows)
        highest = std::max(highest, row.CallID);
    return highest + 1;
}

base::Result<void> CallAlarmStore::remove(qint64 id) const {
    return m_table.remove(id);
}

base::Result<void> CallAlarmStore::recordCall(qint64 id, const QDateTime& at, const QString& rooms) const {
    return m_table.execute(QStringLiteral("UPDATE %1 SET \"LastCall\" = ?, \"LastCallDate\" = ?, "
                                          "\"Actual\" = coalesce(\"Actual\", 0) + 1, \"Rooms\" = ? "
                                          "WHERE rowid = ? AND \"Active\" <> 0")
                               .arg(m_table.quotedName()),
                           {time(at.time()), date(at.date()), rooms, id});
}

base::Result<void> CallAlarmStore::resetCounts() const {
    return m_table.execute(
        QStringLiteral("UPDATE %1 SET \"Actual\" = ?, \"Rooms\" = ?").arg(m_table.quotedName()),
        {0, QStringLiteral("")});
}

} // namespace kelvara::store
