#include "reports/ListingReport.h"

#include "store/DatabaseKind.h"
#include "store/SystemStore.h"

#include <QDir>
#include <QFileInfo>

namespace kelvara::reports {

ReportDocument ListingReport::build(const ReportTemplate& layout, const QString& businessName,
                                    const std::vector<QStringList>& rows) {
    ReportDocument document;
    document.businessName = businessName;
    document.title = layout.title;
    document.columns = layout.columns;
    if (rows.empty()) {
        document.note(kNoRecordsText);
        return document;
    }
    document.columnTitles();
    for (const QStringList& row : rows)
        document.row(row);
    if (!layout.summary.isEmpty())
        document.note(QStringLiteral("%1: %2").arg(layout.summary).arg(rows.size()));
    return document;
}

QStringList ListingReport::productCells(const store::ProductsRow& product) {
    return {product.Description, QString::number(product.ProductID), QString::number(product.CookHours),
            QString::number(product.CookMins), QString::number(product.DesiredTemp)};
}

QStringList ListingReport::providerCells(const store::ProviderRow& provider) {
    QStringList line{provider.DataBits.trimmed(), provider.Parity.trimmed(), provider.StopBits.trimmed()};
    line.removeAll(QString());
    return {provider.Provider, provider.AccessNo,           provider.Device,
            provider.Speed,    line.join(QLatin1Char('-')), provider.Protocol};
}

base::Result<ReportDocument> ListingReport::load(const ReportTemplate& layout, const store::Database& kvr,
                                                 const QString& siteDir) {
    auto system = store::SystemStore(kvr).load();
    const QString businessName = system ? system->company.BusinessName.trimmed() : QString();
    std::vector<QStringList> rows;
    if (layout.table == QLatin1String("Provider")) {
        auto providers = store::ProviderStore(kvr).loadAll();
        if (!providers)
            return providers.failure();
        for (const store::ProviderRow& provider : *providers)
            rows.push_back(providerCells(provider));
    } else if (layout.table == QLatin1String("Products")) {
        const QString path = QDir(siteDir).filePath(store::databaseFileName(store::DatabaseKind::Thermo));
        if (QFileInfo::exists(path)) {
            store::Database thermo(store::DatabaseKind::Thermo);
            if (auto opened = thermo.open(path); !opened)
                return opened.failure();
            auto products = store::ProductsStore(thermo).loadAll();
            if (!products)
                return products.failure();
            for (const store::ProductsRow& product : *products)
                rows.push_back(productCells(product));
        }
    } else {
        return base::fail(QStringLiteral("The template \"%1\" is not a listing.").arg(layout.title));
    }
    return build(layout, businessName, rows);
}

} // namespace kelvara::reports
