#include "reports/ZoneDaysReport.h"

#include "reports/ZoneStatistics.h"
#include "store/Schema.h"
#include "store/SystemStore.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlQuery>

namespace kelvara::reports {

namespace {

const QString kDisplayDate = QStringLiteral("MM/dd/yyyy");

QString figure(const std::optional<double>& value, bool oneDecimal) {
    if (!value)
        return {};
    return oneDecimal ? QString::number(*value, 'f', 1) : QString::number(*value);
}

// The readings of the range with only what the figures use, read by column position: a month of one-minute
// records is over forty thousand rows, and looking each field up by its name costs more than the rest.
base::Result<std::vector<store::MonitorRow>> readings(const store::Database& db, const QDate& from,
                                                      const QDate& to) {
    QStringList columns{QStringLiteral("\"RecDate\""), QStringLiteral("\"TempType\"")};
    for (int room = 1; room <= store::Schema::kMonitorTempColumns; ++room)
        columns << store::Schema::quoted(store::Schema::monitorTempColumn(room));
    const QString sql =
        QStringLiteral("SELECT %1 FROM \"Monitor\" WHERE \"RecDate\" >= ? AND \"RecDate\" <= ? "
                       "ORDER BY \"RecDate\", \"RecTime\", rowid")
            .arg(columns.join(QStringLiteral(", ")));
    auto query = db.run(sql, {from.toString(Qt::ISODate), to.toString(Qt::ISODate)});
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
            auto read = readings(archive, from, to);
            if (!read)
                return read.failure();
            rows = std::move(*read);
        }
    } else {
        auto read = readings(kvr, from, to);
        if (!read)
            return read.failure();
        rows = std::move(*read);
    }
    return build(layout, businessName, rows, *zones, from, to);
}

} // namespace kelvara::reports
