#include "reports/ChartData.h"

#include "store/Schema.h"

#include <QSqlQuery>
#include <algorithm>

namespace kelvara::reports {

namespace {

const QString kDisplayDate = QStringLiteral("MM/dd/yyyy");

std::optional<double> plotted(const QVariant& value) {
    if (value.isNull())
        return std::nullopt;
    const QString text = value.toString().trimmed();
    if (text.compare(QLatin1String("NR"), Qt::CaseInsensitive) == 0)
        return std::nullopt;
    bool number = false;
    const double reading = text.toDouble(&number);
    return number ? std::optional<double>(reading) : std::nullopt;
}

QString hourText(int hour) {
    return QStringLiteral("%1:00:00").arg(hour, 2, 10, QLatin1Char('0'));
}

} // namespace

ChartData::ChartData(const store::Database& kvr) : m_kvr(kvr) {}

std::vector<ChartZone> ChartData::zoneList(const std::vector<store::MonitorSetsRow>& zones) {
    std::vector<ChartZone> list;
    for (const store::MonitorSetsRow& zone : zones) {
        if (zone.Room < 1 || zone.Room > store::Schema::kMonitorTempColumns)
            continue;
        list.push_back({zone.Room, QString::number(zone.Room).trimmed() + QLatin1Char('-') + zone.Name});
    }
    std::stable_sort(list.begin(), list.end(),
                     [](const ChartZone& a, const ChartZone& b) { return a.room < b.room; });
    return list;
}

base::Result<std::vector<ChartZone>> ChartData::zoneList() const {
    auto zones = store::MonitorSetsStore(m_kvr).loadAll();
    if (!zones)
        return zones.failure();
    return zoneList(*zones);
}

QString ChartData::hourLabel(int hour) {
    const int twelve = hour % 12 == 0 ? 12 : hour % 12;
    return QStringLiteral("%1:00 %2").arg(twelve).arg(hour < 12 ? QLatin1String("am") : QLatin1String("pm"));
}

QString ChartData::rowSql(const std::vector<ChartZone>& zones, bool hourly) {
    QStringList columns{QStringLiteral("rowid")};
    for (const ChartZone& zone : zones)
        columns << store::Schema::quoted(store::Schema::monitorTempColumn(zone.room));
    // The ORDER BY follows the index (RecDate, RecTime, then the rowid it holds), so the engine stops at the
    // first entry it finds; among records of the same time (an hour repeated when the clocks go back) the
    // one stored first wins.
    return QStringLiteral("SELECT %1 FROM \"Monitor\" WHERE \"RecDate\" = ?%2 "
                          "ORDER BY \"RecDate\", \"RecTime\", rowid LIMIT 1")
        .arg(columns.join(QStringLiteral(", ")),
             hourly ? QStringLiteral(" AND \"RecTime\" >= ? AND \"RecTime\" < ?") : QString());
}

base::Result<ChartTable> ChartData::load(const std::vector<ChartZone>& zones, const QDate& from,
                                         const QDate& to) const {
    ChartTable table;
    for (const ChartZone& zone : zones)
        table.columns << zone.text;
    table.footnote =
        QStringLiteral("From: %1 To: %2").arg(from.toString(kDisplayDate), to.toString(kDisplayDate));
    const qint64 days = from.daysTo(to);
    const bool hourly = days <= 0;
    const int rows = hourly ? 24 : static_cast<int>(days) + 1;
    table.cells.assign(static_cast<std::size_t>(rows),
                       std::vector<std::optional<double>>(zones.size(), std::nullopt));
    const QString sql = rowSql(zones, hourly);
    // From after to: the labels stay, no record belongs to the range.
    const bool empty = from > to;
    for (int r = 0; r < rows; ++r) {
        const QDate day = hourly ? from : from.addDays(r);
        table.rowLabels << (hourly ? hourLabel(r) : day.toString(kDisplayDate));
        if (empty)
            continue;
        QVariantList binds{day.toString(Qt::ISODate)};
        if (hourly)
            binds << hourText(r) << hourText(r + 1);
        auto query = m_kvr.run(sql, binds);
        if (!query)
            return query.failure();
        QSqlQuery* q = *query;
        if (q->next()) {
            for (std::size_t c = 0; c < zones.size(); ++c)
                table.cells[static_cast<std::size_t>(r)][c] = plotted(q->value(static_cast<int>(c) + 1));
        }
        q->finish();
    }
    return table;
}

ChartTable::Envelope ChartTable::envelope(int pixelColumns) const {
    Envelope result;
    const int rows = rowCount();
    if (rows == 0 || pixelColumns <= 0)
        return result;
    const int per = rows <= pixelColumns ? 1 : (rows + pixelColumns - 1) / pixelColumns;
    for (int first = 0; first < rows; first += per) {
        result.first.push_back(first);
        std::vector<ChartSpan> spans(static_cast<std::size_t>(columnCount()));
        for (int r = first; r < std::min(rows, first + per); ++r) {
            const auto& row = cells[static_cast<std::size_t>(r)];
            for (std::size_t c = 0; c < spans.size(); ++c) {
                if (!row[c])
                    continue;
                ChartSpan& span = spans[c];
                span.low = span.low ? std::min(*span.low, *row[c]) : *row[c];
                span.high = span.high ? std::max(*span.high, *row[c]) : *row[c];
            }
        }
        result.spans.push_back(std::move(spans));
    }
    return result;
}

QByteArray ChartTable::toCsv() const {
    const auto field = [](const QString& text) {
        if (!text.contains(QLatin1Char(',')) && !text.contains(QLatin1Char('"')) &&
            !text.contains(QLatin1Char('\n')))
            return text;
        QString quoted = text;
        quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
        return QLatin1Char('"') + quoted + QLatin1Char('"');
    };
    QStringList lines;
    QStringList header{QStringLiteral("Row")};
    for (const QString& column : columns)
        header << field(column);
    lines << header.join(QLatin1Char(','));
    for (int r = 0; r < rowCount(); ++r) {
        QStringList line{field(rowLabels.at(r))};
        for (const auto& cell : cells[static_cast<std::size_t>(r)])
            line << (cell ? QString::number(*cell) : QString());
        lines << line.join(QLatin1Char(','));
    }
    return (lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8();
}

} // namespace kelvara::reports
