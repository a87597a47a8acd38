#include "reports/ZoneDaysReport.h"

#include "reports/ZoneStatistics.h"
#include "store/SystemStore.h"

#include <QDir>
#include <QFileInfo>

namespace kelvara::reports {

namespace {

const QString kDisplayDate = QStringLiteral("MM/dd/yyyy");

QString figure(const std::optional<double>& value, bool oneDecimal) {
    if (!value)
        return {};
    return oneDecimal ? QString::number(*value, 'f', 1) : QString::number(*value);
}

void addLines(ReportDocument& document, const std::vector<ZoneFigures>& lines) {
    if (lines.empty()) {
        document.note(ZoneDaysReport::kNoRecordsText);
        return;
    }
    document.columnTitles();
    for (const ZoneFigures& line : lines)
        document.row({line.zone, QString::number(line.readings), QString::number(line.noReading),
                      figure(line.minimum, false), figure(line.maximum, false), figure(line.average, true),
                      ZoneDaysReport::unitText(line.tempType)});
}

} // namespace

QString ZoneDaysReport::unitText(const QString& tempType) {
    const QString unit = tempType.trimmed();
    if (unit.compare(QLatin1String("F"), Qt::CaseInsensitive) == 0 ||
        unit.compare(QLatin1String("C"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("°") + unit.toUpper();
    return unit;
}

ReportDocument ZoneDaysReport::build(const ReportTemplate& layout, const QString& businessName,
                                     const std::vector<store::MonitorRow>& rows,
                                     const std::vector<store::MonitorSetsRow>& zones, const QDate& from,
                                     const QDate& to) {
    ReportDocument document;
    document.businessName = businessName;
    document.title = layout.title;
    document.range =
        QStringLiteral("From: %1 To: %2").arg(from.toString(kDisplayDate), to.toString(kDisplayDate));
    document.columns = layout.columns;
    const ZoneStatistics stats = ZoneStatistics::compute(rows, zones, from, to);
    for (const DayFigures& day : stats.days) {
        document.heading(day.day.toString(kDisplayDate));
        addLines(document, day.zones);
    }
    if (!layout.summary.isEmpty()) {
        document.heading(layout.summary);
        addLines(document, stats.summary);
    }
    return document;
}

base::Result<ReportDocument> ZoneDaysReport::load(const ReportTemplate& layout, const store::Database& kvr,
                                                  const QString& siteDir, const QDate& from,
                                                  const QDate& to) {
    if (layout.table != QLatin1String("Monitor"))
        return base::fail(
            QStringLiteral("The template \"%1\" does not read zone temperatures.").arg(layout.title));
    auto zones = store::MonitorSetsStore(kvr).loadAll();
    if (!zones)
        return zones.failure();
    auto system = store::SystemStore(kvr).load();
    const QString businessName = system ? system->company.BusinessName.trimmed() : QString();
    std::vector<store::MonitorRow> rows;
    if (layout.database == QLatin1String("Archive.db")) {
        const QString path = QDir(siteDir).filePath(layout.database);
        if (QFileInfo::exists(path)) {
            store::Database archive(store::DatabaseKind::Archive);
            if (auto opened = archive.open(path); !opened)
                return opened.failure();
            auto read = store::MonitorStore(archive).loadBetween(from, to);
            if (!read)
                return read.failure();
            rows = std::move(*read);
        }
    } else {
        auto read = store::MonitorStore(kvr).loadBetween(from, to);
        if (!read)
            return read.failure();
        rows = std::move(*read);
    }
    return build(layout, businessName, rows, *zones, from, to);
}

} // namespace kelvara::reports
