#include "HistoryGenerator.h"

#include "store/Database.h"
#include "store/MonitorSetsStore.h"
#include "store/Schema.h"
#include "store/Transaction.h"

#include <QRegularExpression>
#include <QStringList>
#include <map>

namespace kelvara::bench {

namespace {

// The statement with each @name made a '?', and the values in the order the '?'s come.
std::pair<QString, QVariantList> positional(const QString& sql, const std::map<QString, QVariant>& named) {
    static const QRegularExpression name(QStringLiteral("@[A-Za-z]+"));
    QString text;
    QVariantList binds;
    qsizetype from = 0;
    for (auto it = name.globalMatch(sql); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        text += sql.mid(from, match.capturedStart() - from) + QLatin1Char('?');
        binds << named.at(match.captured());
        from = match.capturedEnd();
    }
    return {text + sql.mid(from), binds};
}

} // namespace

base::Result<void> generateHistory(const QString& path, const HistoryShape& shape) {
    if (auto created = store::createDatabase(path, store::DatabaseKind::Kvr); !created)
        return created;
    store::Database kvr(store::DatabaseKind::Kvr);
    if (auto opened = kvr.open(path); !opened)
        return opened;
    for (int room = 1; room <= shape.zones; ++room) {
        store::MonitorSetsRow zone;
        zone.Room = room;
        zone.Name = QStringLiteral("Cold room %1").arg(room);
        zone.SerialNo = QStringLiteral("%1000000000A128").arg(room, 2, 10, QLatin1Char('0'));
        zone.Record = true;
        zone.Alarm = true;
        zone.HighAlarm = 8;
        zone.LowAlarm = 0;
        if (auto inserted = store::MonitorSetsStore(kvr).insert(zone); !inserted)
            return inserted.failure();
    }
    // Each day's rows come from one statement the engine expands itself: the ten years of one-minute records
    // the chart benchmark reads are over five million rows, too many to hand over one by one. Record r of the
    // history (counting from 0 over every day) holds 1 + (7r + 13·room) mod 6 in each zone, and every 50th
    // raises an alarm on zone 1 + r mod zones.
    const int perDay = 24 * 60 / shape.recordMinutes;
    QStringList columns{QStringLiteral("\"RecDate\""), QStringLiteral("\"RecTime\""),
                        QStringLiteral("\"Alarm\""), QStringLiteral("\"TempType\"")};
    QStringList values{QStringLiteral("@date"), QStringLiteral("time(n * 60 * @minutes, 'unixepoch')"),
                       QStringLiteral("(@base + n) % 50 = 0"), QStringLiteral("'C'")};
    for (int room = 1; room <= shape.zones; ++room) {
        columns << store::Schema::quoted(store::Schema::monitorTempColumn(room));
        values << QStringLiteral("CAST(1 + ((@base + n) * 7 + %1) % 6 AS TEXT)").arg(room * 13);
    }
    const QString counter =
        QStringLiteral("WITH RECURSIVE slot(n) AS (SELECT 0 UNION ALL SELECT n + 1 FROM slot "
                       "WHERE n + 1 < @perDay) ");
    const QString readings =
        counter + QStringLiteral("INSERT INTO \"Monitor\" (%1) SELECT %2 FROM slot")
                      .arg(columns.join(QStringLiteral(", ")), values.join(QStringLiteral(", ")));
    const QString raised =
        counter +
        QStringLiteral("INSERT INTO \"Alarms\" (\"Room\", \"Date\", \"Time\", \"Temp\", \"AlarmTemp\", "
                       "\"AlarmType\", \"TempType\") SELECT 1 + (@base + n) % %1, @date, "
                       "time(n * 60 * @minutes, 'unixepoch'), '11', 8, 'High', 'C' FROM slot "
                       "WHERE (@base + n) % 50 = 0")
            .arg(shape.zones);
    // A day per transaction: the file grows as a site's does.
    for (int day = 0; day < shape.days; ++day) {
        store::Transaction transaction(kvr);
        const std::map<QString, QVariant> named{
            {QStringLiteral("@date"), shape.firstDay.addDays(day).toString(Qt::ISODate)},
            {QStringLiteral("@minutes"), shape.recordMinutes},
            {QStringLiteral("@base"), static_cast<qlonglong>(day) * perDay},
            {QStringLiteral("@perDay"), perDay}};
        for (const QString& sql : {readings, raised}) {
            const auto [text, binds] = positional(sql, named);
            if (auto inserted = kvr.execute(text, binds); !inserted)
                return inserted;
        }
        if (auto committed = transaction.commit(); !committed)
            return committed;
    }
    return {};
}

} // namespace kelvara::bench
