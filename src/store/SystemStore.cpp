#include "store/SystemStore.h"

#include "store/CompanyColumns.h"

namespace kelvara::store {

using namespace sqlvalue;

namespace {

const QString kFirst = QStringLiteral("ORDER BY rowid");

SystemRow fromRecord(const QSqlRecord& r) {
    SystemRow row;
    row.id = rowid(r);
    row.LastDate = toDate(r.value(QStringLiteral("LastDate")));
    row.LastTime = toTime(r.value(QStringLiteral("LastTime")));
    row.HotLastDate = toDate(r.value(QStringLiteral("HotLastDate")));
    row.HotLastTime = toTime(r.value(QStringLiteral("HotLastTime")));
    row.company = CompanyColumns::read(r);
    row.Mode = toText(r.value(QStringLiteral("Mode")));
    row.Rooms = toInteger(r.value(QStringLiteral("Rooms")));
    row.Password = toOptionalText(r.value(QStringLiteral("Password")));
    row.BatchNo = toOptionalInteger(r.value(QStringLiteral("BatchNo")));
    return row;
}

ColumnValues columns(const SystemRow& row) {
    ColumnValues values{{QStringLiteral("LastDate"), date(row.LastDate)},
                        {QStringLiteral("LastTime"), time(row.LastTime)},
                        {QStringLiteral("HotLastDate"), date(row.HotLastDate)},
                        {QStringLiteral("HotLastTime"), time(row.HotLastTime)},
                        {QStringLiteral("Mode"), row.Mode},
                        {QStringLiteral("Rooms"), row.Rooms},
                        {QStringLiteral("Password"), text(row.Password)},
                        {QStringLiteral("BatchNo"), integer(row.BatchNo)}};
    CompanyColumns::append(values, row.company);
    return values;
}

} // namespace

SystemStore::SystemStore(const Database& database) : m_table(database, QStringLiteral("System")) {}

base::Result<SystemRow> SystemStore::load() const {
    return m_table.selectSiteRow(kFirst, fromRecord, kNoRowText);
}

base::Result<std::vector<SystemRow>> SystemStore::loadAll() const {
    return m_table.selectRows(kFirst, {}, fromRecord);
}

base::Result<void> SystemStore::ensureRow() const {
    SystemRow row;
    row.BatchNo = 0;
    return m_table.insertIfEmpty(columns(row));
}

base::Result<qint64> SystemStore::insert(const SystemRow& row) const {
    return m_table.insert(columns(row));
}

base::Result<void> SystemStore::update(const SystemRow& row) const {
    return m_table.update(row.id, columns(row));
}

base::Result<void> SystemStore::remove(qint64 id) const {
    return m_table.remove(id);
}

base::Result<void> SystemStore::updateFirstRow(const ColumnValues& values) const {
    const base::Result<SystemRow> row = load();
    if (!row)
        return row.failure();
    return m_table.update(row->id, values);
}

base::Result<void> SystemStore::saveLastRecord(const QDate& day, const QTime& at) const {
    return updateFirstRow({{QStringLiteral("LastDate"), date(day)}, {QStringLiteral("LastTime"), time(at)}});
}

base::Result<void> SystemStore::saveHotLastRecord(const QDate& day, const QTime& at) const {
    return updateFirstRow(
        {{QStringLiteral("HotLastDate"), date(day)}, {QStringLiteral("HotLastTime"), time(at)}});
}

base::Result<void> SystemStore::saveRooms(int rooms) const {
    return updateFirstRow({{QStringLiteral("Rooms"), rooms}});
}

base::Result<void> SystemStore::saveBatchNo(int batchNo) const {
    return updateFirstRow({{QStringLiteral("BatchNo"), batchNo}});
}

base::Result<int> SystemStore::takeNextBatchNo() const {
    const base::Result<SystemRow> row = load();
    if (!row)
        return row.failure();
    const int next = row->BatchNo.value_or(0) + 1;
    if (const auto stored = m_table.update(row->id, {{QStringLiteral("BatchNo"), next}}); !stored.ok())
        return stored.failure();
    return next;
}

} // namespace kelvara::store
