#pragma once

#include "base/Result.h"
#include "store/Database.h"
#include "store/SqlTable.h"

#include <QDate>
#include <QString>
#include <optional>
#include <vector>

namespace kelvara::store {

// One started cook cycle: what was cooked, where, when, and how hot it finished.
struct BatchsRow {
    qint64 id = 0;
    int BatchNo = 0;
    QString BatchID;
    int SensorNo = 0;
    int ProductID = 0;
    QDate Date;
    QString StartTime;
    QString EndTime;
    int Target = 0;
    double FinishTemp = 0.0;
    double CookHours = 0.0;
    double CookMins = 0.0;
    QString TempType;
};

// Reads and writes the batches (table Batchs), in BatchNo order.
class BatchsStore {
public:
    explicit BatchsStore(const Database& database);

    [[nodiscard]] base::Result<std::vector<BatchsRow>> loadAll() const;
    [[nodiscard]] base::Result<std::optional<BatchsRow>> findByBatchNo(int batchNo) const;
    // The batch that already carries this user batch ID (letter case ignored), if any.
    [[nodiscard]] base::Result<std::optional<BatchsRow>> findByBatchId(const QString& batchId) const;

    // The highest batch number stored, 0 when there is no batch.
    [[nodiscard]] base::Result<int> highestBatchNo() const;
    // A batch's end: its end time, and the temperature it finished at (Null when it had no reading).
    [[nodiscard]] base::Result<void> saveFinish(int batchNo, const QString& endTime,
                                                std::optional<double> finishTemp) const;

    [[nodiscard]] base::Result<qint64> insert(const BatchsRow& row) const;
    [[nodiscard]] base::Result<void> update(const BatchsRow& row) const;
    [[nodiscard]] base::Result<void> remove(qint64 id) const;
    // Deletes every batch started on or before `last`.
    [[nodiscard]] base::Result<int> removeUpTo(const QDate& last) const;

private:
    SqlTable m_table;
};

} // namespace kelvara::store
