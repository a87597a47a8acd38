#pragma once

#include "base/Result.h"
#include "reports/ReportRequest.h"
#include "reports/SelectionFormula.h"
#include "store/Database.h"

#include <QString>
#include <memory>

namespace kelvara::reports {

// Where a site's reports come from: its zone database (none on a cook-only site), its folder (the other
// databases, and the templates it has its own copy of) and the folder of the shipped templates.
struct ReportSite {
    const store::Database* kvr = nullptr;
    QString siteDir;
    QString dataDir;
};

// The database a template reads: the site's zone database itself, or another database file of the site
// folder. A missing file reads as empty and is not created; a template on the zone database of a site
// without one is refused.
class TemplateDatabase {
public:
    [[nodiscard]] static base::Result<TemplateDatabase> open(const QString& fileName, const ReportSite& site);
    // nullptr when the file is missing.
    [[nodiscard]] const store::Database* get() const { return m_db; }

private:
    std::unique_ptr<store::Database> m_own;
    const store::Database* m_db = nullptr;
};

// What a report reads: the database its template names and the condition its request's formula selects rows
// by, the formula checked against `tables`.
struct ReportSource {
    TemplateDatabase database;
    SqlCondition where;

    [[nodiscard]] static base::Result<ReportSource> open(const QString& databaseFile,
                                                         const ReportRequest& request,
                                                         const std::vector<FormulaTable>& tables,
                                                         const ReportSite& site);
};

// What a report says when it needs the zone database of a site that has none.
[[nodiscard]] QString noZoneDatabaseText();

// The business name every page carries: the zone database's settings row, else (a cook-only site) that of
// the cook database `source` when the report reads it; empty when neither has one.
[[nodiscard]] QString businessNameOf(const ReportSite& site, const store::Database* source);

} // namespace kelvara::reports
