#include "reports/ZoneDaysReport.h"

#include "reports/ReportSite.h"
#include "reports/ZoneStatistics.h"
#include "store/Schema.h"

#include <QSqlQuery>

namespace kelvara::reports {

namespace {

const QString kDisplayDate = QStringLiteral("MM/dd/yyyy");

// The columns a formula may compare.
const std::vector<FormulaTable>& formulaTables() {
    static const std::vector<FormulaTable> tables = [] {
        QStringList columns{QStringLiteral("RecDate"), QStringLiteral("RecTime"), QStringLiteral("TempType")};
        for (int room = 1; room <= store::Schema::kMonitorTempColumns; ++room)
            columns << store::Schema::monitorTempColumn(room);
        return std::vector<FormulaTable>{{QStringLiteral("Monitor"), columns}};
    }();
    return tables;
}

QString figure(const std::optional<double>& value, bool oneDecimal) {
    if (!value)
        return {};
    return oneDecimal ? QString::number(*value, 'f', 1) : QString::number(*value);
}

// The readings the condition selects with only what the figures use, read by column position: a month of
// one-minute records is over forty thousand rows, and looking each field up by its name costs more than the
// rest.
base::Result<std::vector<store::MonitorRow>> readings(const store::Database& db, const SqlCondition& where) {
    QStringList columns{QStringLiteral("\"RecDate\""), QStringLiteral("\"TempType\"")};
    for (int room = 1; room <= store::Schema::kMonitorTempColumns; ++room)
        columns << store::Schema::quoted(store::Schema::monitorTempColumn(room));
    const QString sql =
        QStringLiteral("SELECT %1 FROM \"Monitor\"%2 ORDER BY \"RecDate\", \"RecTime\", rowid")
            .arg(columns.join(QStringLiteral(", ")),
                 where.sql.isEmpty() ? QString() : QStringLiteral(" WHERE (%1)").arg(where.sql));
    auto query = db.run(sql, where.binds);
    if (!query)
        return query.failure();
    QSqlQuery* q = *query;
    std::vector<store::MonitorRow> rows;
    QString lastText;
    QDate lastDay;
    while (q->next()) {
        store::MonitorRow row;
        const QString dayText = q->value(0).toString();
        if (dayText != lastText) {
            lastText = dayText;
            lastDay = QDate::fromString(dayText, Qt::ISODate);
        }
        row.RecDate = lastDay;
        row.TempType = q->value(1).toString();
        for (int room = 1; room <= store::Schema::kMonitorTempColumns; ++room) {
            const QVariant value = q->value(room + 1);
            if (!value.isNull())
                row.Temps[static_cast<std::size_t>(room - 1)] = value.toString();
        }
        rows.push_back(std::move(row));
    }
    q->finish();
    return rows;
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
                                     const ReportRequest& request) {
    ReportDocument document;
    document.businessName = businessName;
    document.title = layout.title;
    document.range = request.rangeText();
    document.columns = layout.columns;
    const ZoneStatistics stats =
        ZoneStatistics::compute(rows, request.zones(), request.dateParameter(QStringLiteral("FromDate")),
                                request.dateParameter(QStringLiteral("ToDate")));
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

base::Result<ReportDocument> ZoneDaysReport::load(const ReportTemplate& layout, const ReportRequest& request,
                                                  const ReportSite& site) {
    if (layout.table != QLatin1String("Monitor"))
        return base::fail(
            QStringLiteral("The template \"%1\" does not read zone temperatures.").arg(layout.title));
    auto source = ReportSource::open(layout.database, request, formulaTables(), site);
    if (!source)
        return source.failure();
    std::vector<store::MonitorRow> rows;
    if (const store::Database* db = source->database.get()) {
        auto read = readings(*db, source->where);
        if (!read)
            return read.failure();
        rows = std::move(*read);
    }
    return build(layout, businessNameOf(site, source->database.get()), rows, request);
}

} // namespace kelvara::reports
