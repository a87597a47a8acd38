#include "app/DemoSite.h"

#include "app/KvrIniFile.h"
#include "store/AlarmPanelStore.h"
#include "store/CallAlarmStore.h"
#include "store/CookSettingsStore.h"
#include "store/Database.h"
#include "store/MonitorSetsStore.h"
#include "store/ProductsStore.h"
#include "store/SystemStore.h"
#include "store/ThermoSensorsStore.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>

namespace kelvara::app {

namespace {

// The scenario's thermocouples as cook sensors, each with its lamp on the cook cycle panel, and a few
// products to cook.
base::Result<void> fillCookSide(const QString& thermoPath, const QList<QJsonObject>& thermocouples) {
    store::Database db(store::DatabaseKind::Thermo);
    if (const auto done = db.open(thermoPath); !done.ok())
        return done;
    store::ThermoSensorsStore sensors(db);
    int sensorNo = 0;
    for (const QJsonObject& device : thermocouples) {
        const QJsonObject cook = device.value(QStringLiteral("cook")).toObject();
        store::ThermoSensorsRow row;
        row.SensorNo = ++sensorNo;
        row.Name = cook.value(QStringLiteral("name")).toString(QStringLiteral("Cook %1").arg(sensorNo));
        row.SerialNo = device.value(QStringLiteral("rom")).toString();
        row.LightSerialNo = cook.value(QStringLiteral("lamp")).toString();
        row.SensorType = device.value(QStringLiteral("type")).toString(QStringLiteral("K"));
        row.Alarm = true;
        row.LightNo = sensorNo;
        if (const auto id = sensors.insert(row); !id)
            return id.failure();
    }
    const store::CookSettingsStore settings(db);
    if (const auto done = settings.ensureRow(); !done.ok())
        return done;
    if (const auto done = settings.saveHouses(sensorNo); !done.ok())
        return done;
    const struct {
        const char* name;
        double hours;
        double minutes;
        double target;
    } products[] = {{"Beef Stock", 3, 0, 70}, {"Chicken Soup", 1, 30, 74}, {"Shepherd's Pie", 0, 45, 63}};
    store::ProductsStore catalogue(db);
    for (const auto& p : products) {
        store::ProductsRow row;
        row.Description = QString::fromUtf8(p.name);
        row.CookHours = p.hours;
        row.CookMins = p.minutes;
        row.DesiredTemp = p.target;
        if (const auto id = catalogue.insert(row); !id)
            return id.failure();
    }
    return {};
}

} // namespace

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
    QList<QJsonObject> thermocouples;
    QStringList lamps;
    QStringList cookLamps;
    for (const QJsonValue& v : doc.object().value(QStringLiteral("devices")).toArray()) {
        const QJsonObject device = v.toObject();
        const QString rom = device.value(QStringLiteral("rom")).toString();
        if (rom.endsWith(QLatin1String("05")))
            lamps << rom;
        else if (device.contains(QStringLiteral("zone")))
            sensors << device;
        else if (device.contains(QStringLiteral("cook"))) {
            thermocouples << device;
            cookLamps
                << device.value(QStringLiteral("cook")).toObject().value(QStringLiteral("lamp")).toString();
        }
    }
    // A lamp of the cook cycle panel is not one of the alarm panel's.
    for (const QString& lamp : cookLamps)
        lamps.removeAll(lamp);

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

    const QString thermoPath = dir.filePath(store::databaseFileName(store::DatabaseKind::Thermo));
    const bool cookSide = QFile::exists(thermoPath);
    if (cookSide)
        if (const auto done = fillCookSide(thermoPath, thermocouples); !done.ok())
            return done;

    // Readings every 20 seconds (the timer ticks every 10), records every minute, Celsius; the cook side
    // alike.
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
                        {QStringLiteral("HotReadHours"), QStringLiteral("0")},
                        {QStringLiteral("HotReadMins"), QStringLiteral("0.3")},
                        {QStringLiteral("HotRecHours"), QStringLiteral("0")},
                        {QStringLiteral("HotRecMins"), QStringLiteral("1")},
                        {QStringLiteral("Business Name"), QStringLiteral("Kelvara Demo Kitchen")}});
    ini.close();
    text = KvrIniFile::withZones(text, room);
    QSaveFile out(iniPath);
    if (!out.open(QIODevice::WriteOnly) || out.write(text) != text.size() || !out.commit())
        return base::fail(QStringLiteral("Could not write %1: %2").arg(iniPath, out.errorString()));
    return {};
}

} // namespace kelvara::app
