#pragma once

#include "base/Result.h"
#include "store/CompanyInfo.h"
#include "store/Database.h"
#include "store/SqlTable.h"

#include <QDate>
#include <QString>
#include <QTime>
#include <optional>
#include <vector>

namespace kelvara::store {

// The zone database's site row.
struct SystemRow {
    qint64 id = 0;
    // When the zone side and the cook side last stored readings; Null until they first do.
    std::optional<QDate> LastDate;
    std::optional<QTime> LastTime;
    std::optional<QDate> HotLastDate;
    std::optional<QTime> HotLastTime;
    CompanyInfo company;
    QString Mode;
    int Rooms = 0;
    // Null: no password is set and the login accepts any entry.
    std::optional<QString> Password;
    // The last batch number handed out; Null before the first batch.
    std::optional<int> BatchNo;
};

// Reads and writes the System table, which holds one row for the whole site.
class SystemStore {
public:
    explicit SystemStore(const Database& database);

    // The site row; a table without one fails with kNoRowText.
    [[nodiscard]] base::Result<SystemRow> load() const;
    [[nodiscard]] base::Result<std::vector<SystemRow>> loadAll() const;
    // Adds the site row (no dates yet, empty texts, zero counts) when the table has none.
    [[nodiscard]] base::Result<void> ensureRow() const;

    [[nodiscard]] base::Result<qint64> insert(const SystemRow& row) const;
    [[nodiscard]] base::Result<void> update(const SystemRow& row) const;
    [[nodiscard]] base::Result<void> remove(qint64 id) const;

    // Single-column writes to the site row, for the passes that only move one value.
    [[nodiscard]] base::Result<void> saveLastRecord(const QDate& date, const QTime& time) const;
    [[nodiscard]] base::Result<void> saveHotLastRecord(const QDate& date, const QTime& time) const;
    [[nodiscard]] base::Result<void> saveRooms(int rooms) const;
    // Stores the last batch number handed out.
    [[nodiscard]] base::Result<void> saveBatchNo(int batchNo) const;
    // Hands out the next batch number (1 after Null) and stores it as the last one handed out.
    [[nodiscard]] base::Result<int> takeNextBatchNo() const;

    static inline const QString kNoRowText = QStringLiteral("The System table has no row.");

private:
    [[nodiscard]] base::Result<void> updateFirstRow(const ColumnValues& values) const;

    SqlTable m_table;
};

} // namespace kelvara::store
