#pragma once

#include "store/Databases.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

namespace kelvara::store {

// Deletes old readings from the working databases up to a day, after copying them into the history
// database when asked. A purge archives before it deletes, and never deletes a reading the history
// database does not hold.
class Purge {
public:
    // Where a purge has got to; the observer hears each step, and Working between the months of a long one
    // (a window repaints there).
    enum class Step { Archiving, Archived, Purging, Purged, Working };
    struct Counts {
        int readingsArchived = 0;
        int alarmsArchived = 0;
        int zonesArchived = 0;
        int readingsDeleted = 0;
        int batchesDeleted = 0;
    };
    using Observer = std::function<void(Step, const Counts&)>;

    struct Outcome {
        Counts counts;
        // Each failure in words; a failed archive is the only one and nothing was deleted.
        QStringList errors;
        [[nodiscard]] bool ok() const { return errors.isEmpty(); }
    };

    // Works on the sides `databases` holds (the zone side's readings, the cook side's batches), with the
    // history database in `siteDir`.
    Purge(const Databases& databases, QString siteDir);

    // Everything dated on or before `last`. With `archive`, the zone side's readings and alarms up to that
    // day and its zones not yet archived are copied into the history database first (made with its schema
    // when there is none); the alarms stay in the zone database, the cook cycles' readings stay too.
    [[nodiscard]] Outcome run(const QDate& last, bool archive, const Observer& observer = {}) const;

    // The history database may grow to this many pages at most, as on a disk that fills up; 0: no limit.
    void setArchivePageLimit(int pages) { m_archivePageLimit = pages; }

    static inline const QString kArchiveFailedText =
        QStringLiteral("Nothing was purged: the data could not be archived into %1 (%2).");

    // The first and the last day of one month's share of a purge, which works month by month.
    struct MonthRange {
        QDate from;
        QDate to;
    };

private:
    [[nodiscard]] base::Result<void> openHistory(Database& history) const;
    [[nodiscard]] base::Result<void> archiveUpTo(const Database& history, const QDate& last,
                                                 const std::vector<MonthRange>& readingMonths, Counts& counts,
                                                 const Observer& observer) const;
    [[nodiscard]] base::Result<void> deleteArchived(const Database& history,
                                                    const std::vector<MonthRange>& months, Counts& counts,
                                                    const Observer& observer) const;
    [[nodiscard]] base::Result<void> deleteUnarchived(const Database& kvr,
                                                      const std::vector<MonthRange>& months, Counts& counts,
                                                      const Observer& observer) const;

    const Databases& m_databases;
    QString m_siteDir;
    int m_archivePageLimit = 0;
};

} // namespace kelvara::store
