#pragma once

#include "base/Result.h"
#include "reports/ReportDocument.h"
#include "reports/ReportTemplate.h"
#include "store/BatchsStore.h"
#include "store/CookCyclesStore.h"
#include "store/Database.h"
#include "store/ProductsStore.h"

#include <QDate>
#include <QString>
#include <optional>

namespace kelvara::reports {

// Which cook readings a batch listing takes: those of a range of dates, or those of a range of batch
// numbers; as the record selection formula the report window writes, and as the range every page prints.
struct CycleBatchSelection {
    QString formula;
    QString range; // "From: 07/01/2026 To: 07/03/2026" or "From: 0 To: 9999999"

    [[nodiscard]] static CycleBatchSelection byDate(const QDate& from, const QDate& to);
    [[nodiscard]] static CycleBatchSelection byBatch(qint64 first, qint64 last);
};

// The cook cycle batch listing: per batch in BatchNo order its details from Batchs (empty when the batch row
// was purged), its readings, then how many readings, how many "NR", the lowest and the highest.
class CycleBatchReport {
public:
    static inline const QString kNoRecordsText = QStringLiteral("No records");

    // `batches` holds the Batchs row of each listed batch that still has one; `products` name them.
    [[nodiscard]] static ReportDocument build(const ReportTemplate& layout, const QString& businessName,
                                              const QString& range,
                                              const std::vector<store::CookCyclesRow>& readings,
                                              const std::vector<store::BatchsRow>& batches,
                                              const std::vector<store::ProductsRow>& products);
    // The document read from the site: the business name from `kvr`, the batches from Thermo.db in the site
    // folder (a missing one reads as empty and is not created).
    [[nodiscard]] static base::Result<ReportDocument> load(const ReportTemplate& layout,
                                                           const store::Database& kvr, const QString& siteDir,
                                                           const CycleBatchSelection& selection);
};

} // namespace kelvara::reports
