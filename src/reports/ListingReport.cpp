#include "reports/ListingReport.h"

#include "reports/ReportSite.h"

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

base::Result<ReportDocument> ListingReport::load(const ReportTemplate& layout, const ReportSite& site) {
    const bool providers = layout.table == QLatin1String("Provider");
    if (!providers && layout.table != QLatin1String("Products"))
        return base::fail(QStringLiteral("The template \"%1\" is not a listing.").arg(layout.title));
    auto source = TemplateDatabase::open(layout.database, site);
    if (!source)
        return source.failure();
    std::vector<QStringList> rows;
    if (const store::Database* db = source->get()) {
        if (providers) {
            auto read = store::ProviderStore(*db).loadAll();
            if (!read)
                return read.failure();
            for (const store::ProviderRow& provider : *read)
                rows.push_back(providerCells(provider));
        } else {
            auto read = store::ProductsStore(*db).loadAll();
            if (!read)
                return read.failure();
            for (const store::ProductsRow& product : *read)
                rows.push_back(productCells(product));
        }
    }
    return build(layout, businessNameOf(site, source->get()), rows);
}

} // namespace kelvara::reports
