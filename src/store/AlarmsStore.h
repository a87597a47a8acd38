#pragma once

#include "base/Result.h"
#include "store/Database.h"
#include "store/SqlTable.h"

#include <QDate>
#include <QString>
#include <QTime>
#include <vector>

namespace kelvara::store {

// One stored alarm event of a zone.
struct AlarmsRow {
    qint64 id = 0;
    int Room = 0;
    QDate Date;
    QTime Time;
    QString Temp;
    int AlarmTemp = 0;
    QString AlarmType;
    QString TempType;
};

// Reads and appends the stored alarm events (table Alarms), in Date, Time, Room order.
class AlarmsStore {
public:
    explicit AlarmsStore(const Database& database);

    [[nodiscard]] base::Result<std::vector<AlarmsRow>> loadAll() const;
    // Events whose Date lies from `from` to `to`, both included.
    [[nodiscard]] base::Result<std::vector<AlarmsRow>> loadBetween(const QDate& from, const QDate& to) const;
    // Events meeting `condition`, an SQL condition on the table's columns with '?' for each of `binds`.
    [[nodiscard]] base::Result<std::vector<AlarmsRow>> loadWhere(const QString& condition,
                                                                 const QVariantList& binds) const;

    [[nodiscard]] base::Result<qint64> insert(const AlarmsRow& row) const;
    [[nodiscard]] base::Result<void> update(const AlarmsRow& row) const;
    [[nodiscard]] base::Result<void> remove(qint64 id) const;

private:
    SqlTable m_table;
};

} // namespace kelvara::store
