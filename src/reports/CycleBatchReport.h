#pragma once

#include "base/Result.h"
#include "reports/ReportDocument.h"
#include "reports/ReportRequest.h"
#include "reports/ReportSite.h"
#include "reports/ReportTemplate.h"
#include "store/BatchsStore.h"
#include "store/CookCyclesStore.h"
#include "store/Database.h"
#include "store/ProductsStore.h"

#include <QString>
#include <optional>

namespace kelvara::reports {

// The cook cycle batch listing: per batch in BatchNo order its details from Batchs (empty when the batch row
// was purged), its readings, then how many readings, how many "NR", the lowest and the highest.
class CycleBatchReport {
public:
    static inline const QString kNoRecordsText = QStringLiteral("No records");

    // `batches` holds the Batchs row of each listed batch that still has one; `products` name them.
    [[nodiscard]] static ReportDocument build(const ReportTemplate& layout, const QString& businessName,
                                              const ReportRequest& request,
                                              const std::vector<store::CookCyclesRow>& readings,
                                              const std::vector<store::BatchsRow>& batches,
                                              const std::vector<store::ProductsRow>& products);
    // The document read from the site: the business name from `kvr`, the readings the request's formula
    // selects from Thermo.db in the site folder (a missing one reads as empty and is not created), the range
    // from its From and To parameters.
    [[nodiscard]] static base::Result<ReportDocument>
    load(const ReportTemplate& layout, const ReportRequest& request, const ReportSite& site);
};

} // namespace kelvara::reports
