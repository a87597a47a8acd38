#pragma once

#include "base/Result.h"
#include "reports/ReportDocument.h"
#include "reports/ReportSite.h"
#include "reports/ReportTemplate.h"
#include "store/Database.h"
#include "store/ProductsStore.h"
#include "store/ProviderStore.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace kelvara::reports {

// The plain listings a window prints directly, without a range: the product catalogue and the access
// providers. A line per row under the columns, then "<summary>: N" when the template names a summary, or
// "No records".
class ListingReport {
public:
    static inline const QString kNoRecordsText = QStringLiteral("No records");

    [[nodiscard]] static ReportDocument build(const ReportTemplate& layout, const QString& businessName,
                                              const std::vector<QStringList>& rows);
    // The cells of a product and of a provider, in the shipped templates' column order. A provider's
    // password is not among them.
    [[nodiscard]] static QStringList productCells(const store::ProductsRow& product);
    [[nodiscard]] static QStringList providerCells(const store::ProviderRow& provider);
    // The document read from the site by the template's table: Products from Thermo.db in the site folder (a
    // missing one reads as empty and is not created), Provider from `kvr`.
    [[nodiscard]] static base::Result<ReportDocument> load(const ReportTemplate& layout,
                                                           const ReportSite& site);
};

} // namespace kelvara::reports
