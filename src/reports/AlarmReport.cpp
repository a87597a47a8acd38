#include "reports/AlarmReport.h"

#include "reports/ZoneStatistics.h"
#include "store/SystemStore.h"

#include <QDir>
#include <QFileInfo>
#include <QMap>

namespace kelvara::reports {

namespace {

const QString kDisplayDate = QStringLiteral("MM/dd/yyyy");

} // namespace

ReportDocument AlarmReport::build(const ReportTemplate& layout, const QString& businessName,
                                  const std::vector<store::AlarmsRow>& alarms,
                                  const std::vector<store::MonitorSetsRow>& zones, const QDate& from,
                                  const QDate& to) {
    ReportDocument document;
    document.businessName = businessName;
    document.title = layout.title;
    document.range =
        QStringLiteral("From: %1 To: %2").arg(from.toString(kDisplayDate), to.toString(kDisplayDate));
    document.columns = layout.columns;
    QMap<int, QString> zoneNames;
    for (const store::MonitorSetsRow& zone : zones)
        zoneNames.insert(zone.Room, ZoneStatistics::zoneText(zone));
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

base::Result<ReportDocument> AlarmReport::load(const ReportTemplate& layout, const store::Database& kvr,
                                               const QString& siteDir, const QDate& from, const QDate& to) {
    if (layout.table != QLatin1String("Alarms"))
        return base::fail(QStringLiteral("The template \"%1\" does not read alarms.").arg(layout.title));
    auto zones = store::MonitorSetsStore(kvr).loadAll();
    if (!zones)
        return zones.failure();
    auto system = store::SystemStore(kvr).load();
    const QString businessName = system ? system->company.BusinessName.trimmed() : QString();
    std::vector<store::AlarmsRow> alarms;
    if (layout.database == QLatin1String("Archive.db")) {
        const QString path = QDir(siteDir).filePath(layout.database);
        if (QFileInfo::exists(path)) {
            store::Database archive(store::DatabaseKind::Archive);
            if (auto opened = archive.open(path); !opened)
                return opened.failure();
            auto read = store::AlarmsStore(archive).loadBetween(from, to);
            if (!read)
                return read.failure();
            alarms = std::move(*read);
        }
    } else {
        auto read = store::AlarmsStore(kvr).loadBetween(from, to);
        if (!read)
            return read.failure();
        alarms = std::move(*read);
    }
    return build(layout, businessName, alarms, *zones, from, to);
}

} // namespace kelvara::reports
