#include "store/BatchsStore.h"

namespace kelvara::store {

using namespace sqlvalue;

namespace {

const QString kOrder = QStringLiteral("ORDER BY \"BatchNo\", rowid");

BatchsRow fromRecord(const QSqlRecord& r) {
    BatchsRow row;
    row.id = rowid(r);
    row.BatchNo = toInteger(r.value(QStringLiteral("BatchNo")));
    row.BatchID = toText(r.value(QStringLiteral("BatchID")));
    row.SensorNo = toInteger(r.value(QStringLiteral("SensorNo")));
    row.ProductID = toInteger(r.value(QStringLiteral("ProductID")));
    row.Date = toDate(r.value(QStringLiteral("Date"))).value_or(QDate());
    row.StartTime = toText(r.value(QStringLiteral("StartTime")));
    row.EndTime = toText(r.value(QStringLiteral("EndTime")));
    row.Target = toInteger(r.value(QStringLiteral("Target")));
    row.FinishTemp = toNumber(r.value(QStringLiteral("FinishTemp")));
    row.CookHours = toNumber(r.value(QStringLiteral("CookHours")));
    row.CookMins = toNumber(r.value(QStringLiteral("CookMins")));
    row.TempType = toText(r.value(QStringLiteral("TempType")));
    return row;
}

ColumnValues columns(const BatchsRow& row) {
    return {{QStringLiteral("BatchNo"), row.BatchNo},       {QStringLiteral("BatchID"), row.BatchID},
            {QStringLiteral("SensorNo"), row.SensorNo},     {QStringLiteral("ProductID"), row.ProductID},
            {QStringLiteral("Date"), date(row.Date)},       {QStringLiteral("StartTime"), row.StartTime},
            {QStringLiteral("EndTime"), row.EndTime},       {QStringLiteral("Target"), row.Target},
            {QStringLiteral("FinishTemp"), row.FinishTemp}, {QStringLiteral("CookHours"), row.CookHours},
            {QStringLiteral("CookMins"), row.CookMins},     {QStringLiteral("TempType"), row.TempType}};
}

} // namespace

BatchsStore::BatchsStore(const Database& database) : m_table(database, QStringLiteral("Batchs")) {}

base::Result<std::vector<BatchsRow>> BatchsStore::loadAll() const {
    return m_table.selectRows(kOrder, {}, fromRecord);
}

base::Result<std::optional<BatchsRow>> BatchsStore::findByBatchNo(int batchNo) const {
    return m_table.selectFirst(QStringLiteral("WHERE \"BatchNo\" = ? ") + kOrder, {batchNo}, fromRecord);
}

base::Result<std::optional<BatchsRow>> BatchsStore::findByBatchId(const QString& batchId) const {
    return m_table.selectFirst(QStringLiteral("WHERE \"BatchID\" = ? COLLATE NOCASE ") + kOrder, {batchId},
                               fromRecord);
}

base::Result<int> BatchsStore::highestBatchNo() const {
    auto top = m_table.selectFirst(QStringLiteral("ORDER BY \"BatchNo\" DESC"), {}, fromRecord);
    if (!top)
        return top.failure();
    return top->has_value() ? (*top)->BatchNo : 0;
}

base::Result<void> BatchsStore::saveFinish(int batchNo, const QString& endTime,
                                           std::optional<double> finishTemp) const {
    return m_table.execute(
        QStringLiteral("UPDATE %1 SET \"EndTime\" = ?, \"FinishTemp\" = ? WHERE \"BatchNo\" = ?")
            .arg(m_table.quotedName()),
        {endTime, number(finishTemp), batchNo});
}

base::Result<qint64> BatchsStore::insert(const BatchsRow& row) const {
    return m_table.insert(columns(row));
}

base::Result<void> BatchsStore::update(const BatchsRow& row) const {
    return m_table.update(row.id, columns(row));
}

base::Result<void> BatchsStore::remove(qint64 id) const {
    return m_table.remove(id);
}

base::Result<int> BatchsStore::removeUpTo(const QDate& last) const {
    return m_table.changes(QStringLiteral("DELETE FROM %1 WHERE \"Date\" <= ?").arg(m_table.quotedName()),
                           {date(last)});
}

} // namespace kelvara::store
