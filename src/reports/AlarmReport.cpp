#include "reports/AlarmReport.h"

#include "reports/ReportSite.h"

#include <QMap>

namespace kelvara::reports {

namespace {

const QString kDisplayDate = QStringLiteral("MM/dd/yyyy");

// The columns a formula may compare.
const std::vector<FormulaTable>& formulaTables() {
    static const std::vector<FormulaTable> tables{
        {QStringLiteral("Alarms"),
         {QStringLiteral("Date"), QStringLiteral("Time"), QStringLiteral("Room"), QStringLiteral("Temp"),
          QStringLiteral("AlarmTemp"), QStringLiteral("AlarmType")}}};
    return tables;
}

} // namespace

ReportDocument AlarmReport::build(const ReportTemplate& layout, const QString& businessName,
                                  const std::vector<store::AlarmsRow>& alarms, const ReportRequest& request) {
    ReportDocument document;
    document.businessName = businessName;
    document.title = layout.title;
    document.range = request.rangeText();
    document.columns = layout.columns;
    QMap<int, QString> zoneNames;
    for (const ReportZone& zone : request.zones())
        zoneNames.insert(zone.room, zone.text);
    // An event of a room without a zone row still prints, under its room number.
    const auto zoneOf = [&zoneNames](int room) { return zoneNames.value(room, QString::number(room)); };

    if (alarms.empty()) {
        document.note(kNoRecordsText);
        return document;
    }
    document.columnTitles();
    QMap<int, int> perRoom;
    for (const store::AlarmsRow& alarm : alarms) {
        document.row({zoneOf(alarm.Room), alarm.Date.toString(kDisplayDate),
                      alarm.Time.isValid() ? alarm.Time.toString(QStringLiteral("h:mm ap")) : QString(),
                      alarm.Temp, QString::number(alarm.AlarmTemp), alarm.AlarmType});
        ++perRoom[alarm.Room];
    }
    if (!layout.summary.isEmpty())
        document.heading(layout.summary);
    for (auto it = perRoom.cbegin(); it != perRoom.cend(); ++it)
        document.note(QStringLiteral("%1: %2").arg(zoneOf(it.key())).arg(it.value()));
    document.note(QStringLiteral("Total alarms: %1").arg(alarms.size()));
    return document;
}

base::Result<ReportDocument> AlarmReport::load(const ReportTemplate& layout, const ReportRequest& request,
                                               const ReportSite& site) {
    if (layout.table != QLatin1String("Alarms"))
        return base::fail(QStringLiteral("The template \"%1\" does not read alarms.").arg(layout.title));
    auto source = ReportSource::open(layout.database, request, formulaTables(), site);
    if (!source)
        return source.failure();
    std::vector<store::AlarmsRow> alarms;
    if (const store::Database* db = source->database.get()) {
        auto read = store::AlarmsStore(*db).loadWhere(source->where.sql, source->where.binds);
        if (!read)
            return read.failure();
        alarms = std::move(*read);
    }
    return build(layout, businessNameOf(site, source->database.get()), alarms, request);
}

} // namespace kelvara::reports
