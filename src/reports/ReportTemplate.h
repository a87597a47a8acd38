#pragma once

#include "base/Result.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace kelvara::reports {

// A report template (".rpt"): a text file of ours, one "key: value" line per setting, "#" starting a comment
// line. It names the title, the database file and table the report reads, how its rows are grouped, the
// columns of each line and the heading of the closing summary:
//
//   title: Daily Temperatures
//   database: KVR.db
//   table: Monitor
//   group: day
//   columns: Zone, Readings, No Reading, Minimum, Maximum, Average, Unit
//   summary: Summary
struct ReportTemplate {
    QString title;
    QString database; // "KVR.db", "Archive.db" or "Thermo.db"
    QString table;
    QString group; // "day", "zone", "batch" or "none"
    QStringList columns;
    QString summary; // empty: no summary

    // Refuses, with the line and the reason, an unknown key, a key given twice, a database or table the
    // program does not have, an unknown grouping, and a template without its title, database, table or
    // columns.
    [[nodiscard]] static base::Result<ReportTemplate> parse(const QByteArray& text);
    // Reads and parses a template by its file name: the site folder's copy when it has one, else the shipped
    // one in `dataDir`'s "reports" folder.
    [[nodiscard]] static base::Result<ReportTemplate> load(const QString& fileName, const QString& siteDir,
                                                           const QString& dataDir);
};

} // namespace kelvara::reports
