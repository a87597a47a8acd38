#pragma once

#include "base/Result.h"
#include "store/Database.h"
#include "store/SqlTable.h"

#include <QDate>
#include <QString>
#include <vector>

namespace kelvara::store {

// One recorded reading of a running cook cycle.
struct CookCyclesRow {
    qint64 id = 0;
    int BatchNo = 0;
    QDate Date;
    // As shown to the user: "h:mm am/pm".
    QString Time;
    // A whole number as text, or "NR".
    QString Temperature;
    // Day of month, " - ", then HH:MM.
    QString DayTime;
};

// Reads and appends the cook readings (table CookCycles), by batch and then in the order recorded.
class CookCyclesStore {
public:
    explicit CookCyclesStore(const Database& database);

    [[nodiscard]] base::Result<std::vector<CookCyclesRow>> loadAll() const;
    [[nodiscard]] base::Result<std::vector<CookCyclesRow>> loadByBatchNo(int batchNo) const;
    // Readings whose Date lies from `from` to `to`, both included.
    [[nodiscard]] base::Result<std::vector<CookCyclesRow>> loadBetween(const QDate& from,
                                                                       const QDate& to) const;
    // Readings meeting `condition`, an SQL condition on the table's columns with '?' for each of `binds`.
    [[nodiscard]] base::Result<std::vector<CookCyclesRow>> loadWhere(const QString& condition,
                                                                     const QVariantList& binds) const;

    [[nodiscard]] base::Result<qint64> insert(const CookCyclesRow& row) const;
    [[nodiscard]] base::Result<void> update(const CookCyclesRow& row) const;
    [[nodiscard]] base::Result<void> remove(qint64 id) const;

private:
    SqlTable m_table;
};

} // namespace kelvara::store
