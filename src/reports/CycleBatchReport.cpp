#include "reports/CycleBatchReport.h"

#include "reports/ReportSite.h"

#include <QMap>
#include <algorithm>

namespace kelvara::reports {

namespace {

const QString kDisplayDate = QStringLiteral("MM/dd/yyyy");
const QString kGap = QStringLiteral("    ");

const std::vector<FormulaTable>& formulaTables() {
    static const std::vector<FormulaTable> tables{
        {QStringLiteral("CookCycles"),
         {QStringLiteral("BatchNo"), QStringLiteral("Date"), QStringLiteral("Time"),
          QStringLiteral("Temperature"), QStringLiteral("DayTime")}}};
    return tables;
}

void addBatch(ReportDocument& document, int batchNo, const std::vector<const store::CookCyclesRow*>& readings,
              const std::optional<store::BatchsRow>& batch, const QString& product) {
    document.heading(QStringLiteral("Batch #%1").arg(batchNo));
    const auto value = [&batch](auto read) { return batch ? read(*batch) : QString(); };
    document.note(
        QStringLiteral("Batch ID: %1").arg(value([](const auto& b) { return b.BatchID; })) + kGap +
        QStringLiteral("Product: %1").arg(product) + kGap +
        QStringLiteral("Sensor: %1").arg(value([](const auto& b) { return QString::number(b.SensorNo); })));
    document.note(QStringLiteral("Start: %1").arg(value([](const auto& b) {
        return (b.Date.toString(kDisplayDate) + u' ' + b.StartTime).trimmed();
    })) + kGap + QStringLiteral("End: %1").arg(value([](const auto& b) {
        return b.EndTime;
    })) + kGap + QStringLiteral("Target: %1").arg(value([](const auto& b) {
        return QString::number(b.Target);
    })) + kGap + QStringLiteral("Finish Temperature: %1").arg(value([](const auto& b) {
        return QString::number(b.FinishTemp);
    })));
    document.columnTitles();
    int count = 0;
    int noReading = 0;
    std::optional<double> lowest;
    std::optional<double> highest;
    for (const store::CookCyclesRow* reading : readings) {
        document.row({reading->Date.toString(kDisplayDate), reading->Time, reading->Temperature});
        bool isNumber = false;
        const double temperature = reading->Temperature.trimmed().toDouble(&isNumber);
        if (!isNumber) {
            ++noReading;
            continue;
        }
        ++count;
        lowest = std::min(lowest.value_or(temperature), temperature);
        highest = std::max(highest.value_or(temperature), temperature);
    }
    const auto figure = [](const std::optional<double>& v) { return v ? QString::number(*v) : QString(); };
    document.note(QStringLiteral("Readings: %1").arg(count) + kGap +
                  QStringLiteral("No Reading: %1").arg(noReading) + kGap +
                  QStringLiteral("Minimum: %1").arg(figure(lowest)) + kGap +
                  QStringLiteral("Maximum: %1").arg(figure(highest)));
}

} // namespace

ReportDocument CycleBatchReport::build(const ReportTemplate& layout, const QString& businessName,
                                       const ReportRequest& request,
                                       const std::vector<store::CookCyclesRow>& readings,
                                       const std::vector<store::BatchsRow>& batches,
                                       const std::vector<store::ProductsRow>& products) {
    ReportDocument document;
    document.businessName = businessName;
    document.title = layout.title;
    document.range = request.rangeText();
    document.columns = layout.columns;
    if (readings.empty()) {
        document.note(kNoRecordsText);
        return document;
    }
    QMap<qint64, QString> productNames;
    for (const store::ProductsRow& product : products)
        productNames.insert(product.ProductID, product.Description);
    QMap<int, store::BatchsRow> batchRows;
    for (const store::BatchsRow& batch : batches)
        batchRows.insert(batch.BatchNo, batch);
    // The readings come in BatchNo order; each batch keeps its own in the order recorded.
    QMap<int, std::vector<const store::CookCyclesRow*>> byBatch;
    for (const store::CookCyclesRow& reading : readings)
        byBatch[reading.BatchNo].push_back(&reading);
    for (auto it = byBatch.cbegin(); it != byBatch.cend(); ++it) {
        std::optional<store::BatchsRow> batch;
        if (batchRows.contains(it.key()))
            batch = batchRows.value(it.key());
        const QString product = batch ? productNames.value(batch->ProductID) : QString();
        addBatch(document, it.key(), it.value(), batch, product);
    }
    return document;
}

base::Result<ReportDocument> CycleBatchReport::load(const ReportTemplate& layout,
                                                    const ReportRequest& request, const ReportSite& site) {
    if (layout.table != QLatin1String("CookCycles"))
        return base::fail(QStringLiteral("The template \"%1\" does not read cook cycles.").arg(layout.title));
    auto source = ReportSource::open(layout.database, request, formulaTables(), site);
    if (!source)
        return source.failure();
    std::vector<store::CookCyclesRow> readings;
    std::vector<store::BatchsRow> batches;
    std::vector<store::ProductsRow> products;
    if (const store::Database* thermo = source->database.get()) {
        auto read = store::CookCyclesStore(*thermo).loadWhere(source->where.sql, source->where.binds);
        if (!read)
            return read.failure();
        readings = std::move(*read);
        auto allProducts = store::ProductsStore(*thermo).loadAll();
        if (!allProducts)
            return allProducts.failure();
        products = std::move(*allProducts);
        int last = -1;
        for (const store::CookCyclesRow& reading : readings) {
            if (reading.BatchNo == last)
                continue;
            last = reading.BatchNo;
            auto batch = store::BatchsStore(*thermo).findByBatchNo(reading.BatchNo);
            if (!batch)
                return batch.failure();
            if (*batch)
                batches.push_back(**batch);
        }
    }
    return build(layout, businessNameOf(site, source->database.get()), request, readings, batches, products);
}

} // namespace kelvara::reports
