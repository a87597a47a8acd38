#include "HistoryGenerator.h"

#include "store/AlarmsStore.h"
#include "store/Database.h"
#include "store/MonitorSetsStore.h"
#include "store/MonitorStore.h"
#include "store/Transaction.h"

namespace kelvara::bench {

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
    const store::MonitorStore monitor(kvr);
    const store::AlarmsStore alarms(kvr);
    const int perDay = 24 * 60 / shape.recordMinutes;
    int record = 0;
    // A day per transaction: the file grows as a site's does, without a commit per row.
    for (int day = 0; day < shape.days; ++day) {
        store::Transaction transaction(kvr);
        const QDate date = shape.firstDay.addDays(day);
        for (int slot = 0; slot < perDay; ++slot, ++record) {
            store::MonitorRow row;
            row.RecDate = date;
            row.RecTime = QTime(0, 0).addSecs(60 * shape.recordMinutes * slot);
            row.TempType = QStringLiteral("C");
            for (int room = 1; room <= shape.zones; ++room)
                row.setTemp(room, QString::number(1 + (record * 7 + room * 13) % 6));
            const bool alarm = record % 50 == 0;
            row.Alarm = alarm;
            if (auto inserted = monitor.insert(row); !inserted)
                return inserted.failure();
            if (alarm) {
                store::AlarmsRow raised;
                raised.Room = 1 + record % shape.zones;
                raised.Date = date;
                raised.Time = row.RecTime;
                raised.Temp = QStringLiteral("11");
                raised.AlarmTemp = 8;
                raised.AlarmType = QStringLiteral("High");
                raised.TempType = QStringLiteral("C");
                if (auto inserted = alarms.insert(raised); !inserted)
                    return inserted.failure();
            }
        }
        if (auto committed = transaction.commit(); !committed)
            return committed;
    }
    return {};
}

} // namespace kelvara::bench
