#include "reports/ReportSite.h"

#include "store/CookSettingsStore.h"
#include "store/DatabaseKind.h"
#include "store/SystemStore.h"

#include <QDir>
#include <QFileInfo>

namespace kelvara::reports {

QString noZoneDatabaseText() {
    return QStringLiteral("This site has no %1: it keeps no zone temperatures.")
        .arg(store::databaseFileName(store::DatabaseKind::Kvr));
}

base::Result<TemplateDatabase> TemplateDatabase::open(const QString& fileName, const ReportSite& site) {
    TemplateDatabase opened;
    if (fileName == store::databaseFileName(store::DatabaseKind::Kvr)) {
        if (!site.kvr)
            return base::fail(noZoneDatabaseText());
        opened.m_db = site.kvr;
        return opened;
    }
    for (const store::DatabaseKind kind : {store::DatabaseKind::Archive, store::DatabaseKind::Thermo}) {
        if (fileName != store::databaseFileName(kind))
            continue;
        const QString path = QDir(site.siteDir).filePath(fileName);
        if (!QFileInfo::exists(path))
            return opened;
        opened.m_own = std::make_unique<store::Database>(kind);
        if (auto result = opened.m_own->open(path); !result)
            return result.failure();
        opened.m_db = opened.m_own.get();
        return opened;
    }
    return base::fail(QStringLiteral("Reports do not read \"%1\".").arg(fileName));
}

base::Result<ReportSource> ReportSource::open(const QString& databaseFile, const ReportRequest& request,
                                              const std::vector<FormulaTable>& tables,
                                              const ReportSite& site) {
    auto where = SelectionFormula::parse(request.formula, tables);
    if (!where)
        return where.failure();
    auto database = TemplateDatabase::open(databaseFile, site);
    if (!database)
        return database.failure();
    return ReportSource{std::move(*database), std::move(*where)};
}

QString businessNameOf(const ReportSite& site, const store::Database* source) {
    if (site.kvr) {
        auto system = store::SystemStore(*site.kvr).load();
        return system ? system->company.BusinessName.trimmed() : QString();
    }
    if (source && source->kind() == store::DatabaseKind::Thermo) {
        auto settings = store::CookSettingsStore(*source).load();
        return settings ? settings->company.BusinessName.trimmed() : QString();
    }
    return {};
}

} // namespace kelvara::reports
