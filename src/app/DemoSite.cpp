#include "app/DemoSite.h"

#include "app/KvrIniFile.h"
#include "store/AlarmPanelStore.h"
#include "store/CallAlarmStore.h"
#include "store/Database.h"
#include "store/MonitorSetsStore.h"
#include "store/SystemStore.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>

namespace kelvara::app {

base::Result<void> DemoSite::fill(const QString& siteDir, const QString& scenarioPath) {
    QFile file(scenarioPath);
    if (!file.open(QIODevice::ReadOnly))
        return base::fail(QStringLiteral("Could not read %1: %2").arg(scenarioPath, file.errorString()));
    QJsonParseError parseError;
    const QJsonDocument doc = QJsonDocument::fromJson(file.readAll(), &parseError);
    if (doc.isNull())
        return base::fail(
            QStringLiteral("%1 is not valid JSON: %2").arg(scenarioPath, parseError.errorString()));

    QList<QJsonObject> sensors;
    QStringList lamps;
    for (const QJsonValue& v : doc.object().value(QStringLiteral("devices")).toArray()) {
        const QJsonObject device = v.toObject();
        const QString rom = device.value(QStringLiteral("rom")).toString();
        if (rom.endsWith(QLatin1String("05")))
            lamps << rom;
        else if (device.contains(QStringLiteral("zone")))
            sensors << device;
    }

    const QDir dir(siteDir);
    store::Database db(store::DatabaseKind::Kvr);
    if (const auto done = db.open(dir.filePath(store::databaseFileName(store::DatabaseKind::Kvr)));
        !done.ok())
        return done;
    store::MonitorSetsStore zones(db);
    store::AlarmPanelStore panel(db);
    int room = 0;
    for (const QJsonObject& sensor : sensors) {
        const QJsonObject zone = sensor.value(QStringLiteral("zone")).toObject();
        store::MonitorSetsRow row;
        row.Room = ++room;
        row.Name = zone.value(QStringLiteral("name")).toString(QStringLiteral("Zone %1").arg(room));
        row.SerialNo = sensor.value(QStringLiteral("rom")).toString();
        row.Record = true;
        row.Alarm = true;
        row.HighAlarm = zone.value(QStringLiteral("high")).toDouble();
        row.LowAlarm = zone.value(QStringLiteral("low")).toDouble();
        row.AlarmDelay = zone.value(QStringLiteral("delay")).toInt();
        row.CurrentTemp = QStringLiteral("0");
        if (room <= lamps.size()) {
            row.ALarmSerialNo = lamps.at(room - 1);
            row.AlarmLedNo = room;
            store::AlarmPanelRow lamp;
            lamp.AlarmLedNo = room;
            lamp.ALarmSerialNo = row.ALarmSerialNo;
            if (const auto id = panel.insert(lamp); !id)
                return id.failure();
        }
        if (const auto id = zones.insert(row); !id)
            return id.failure();
    }
    if (const auto done = store::SystemStore(db).saveRooms(room); !done.ok())
        return done;

    // One recipient, told by text message through the simulated GSM modem the demo keeps at "modem" in the
    // site: at once when an alarm comes, then every five minutes up to three times.
    store::CallAlarmRow recipient;
    recipient.CallID = 1;
    recipient.Notify = QStringLiteral("Mobile");
    recipient.SendType = QStringLiteral("GSM");
    recipient.Active = true;
    recipient.Repeat = 5;
    recipient.Retry = 3;
    recipient.Actual = 0;
    recipient.Recipient = QStringLiteral("Kitchen manager");
    recipient.RecipientNo = QStringLiteral("5550100");
    recipient.Device = dir.filePath(QStringLiteral("modem"));
    recipient.Speed = QStringLiteral("9600");
    recipient.Parity = QStringLiteral("none");
    recipient.Protocol = QStringLiteral("UCP");
    if (const auto id = store::CallAlarmStore(db).insert(recipient); !id)
        return id.failure();

    // Readings every 20 seconds (the timer ticks every 10), records every minute, Celsius.
    const QString iniPath = dir.filePath(KvrIniFile::kFileName);
    QFile ini(iniPath);
    if (!ini.open(QIODevice::ReadOnly))
        return base::fail(QStringLiteral("Could not read %1: %2").arg(iniPath, ini.errorString()));
    QByteArray text = KvrIniFile::withValues(
        ini.readAll(), {{QStringLiteral("TempType"), QStringLiteral("C")},
                        {QStringLiteral("ColdReadHours"), QStringLiteral("0")},
                        {QStringLiteral("ColdReadMins"), QStringLiteral("0.3")},
                        {QStringLiteral("ColdRecHours"), QStringLiteral("0")},
                        {QStringLiteral("ColdRecMins"), QStringLiteral("1")},
                        {QStringLiteral("Business Name"), QStringLiteral("Kelvara Demo Kitchen")}});
    ini.close();
    text = KvrIniFile::withZones(text, room);
    QSaveFile out(iniPath);
    if (!out.open(QIODevice::WriteOnly) || out.write(text) != text.size() || !out.commit())
        return base::fail(QStringLiteral("Could not write %1: %2").arg(iniPath, out.errorString()));
    return {};
}

} // namespace kelvara::app
