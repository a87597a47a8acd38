#include "app/KvrIniFile.h"

#include "app/IniText.h"
#include "app/TemperatureUnit.h"

#include <QFile>
#include <QSaveFile>

namespace kelvara::app {

KvrSettings KvrIniFile::parse(const QByteArray& bytes) {
    KvrSettings s;
    for (const QString& line : IniText::splitLines(bytes)) {
        if (line == IniText::kDone)
            break;
        const auto e = IniText::entry(line);
        if (!e)
            continue;
        const QString& key = e->key;
        const QString value = e->value.trimmed();
        const double number = IniText::leadingNumber(value);
        if (key == QLatin1String("TempType"))
            s.TempType = temperatureUnit(value);
        else if (key == QLatin1String("AudibleAlarmOff")) {
            if (const auto b = IniText::truthValue(value))
                s.AudibleAlarmOff = *b;
        } else if (key == QLatin1String("ColdReadHours"))
            s.ColdReadHours = IniText::toInt16(number);
        else if (key == QLatin1String("ColdReadMins"))
            s.ColdReadMins = number;
        else if (key == QLatin1String("ColdRecHours"))
            s.ColdRecHours = IniText::toInt16(number);
        else if (key == QLatin1String("ColdRecMins"))
            s.ColdRecMins = number;
        else if (key == QLatin1String("Zones"))
            s.Zones = IniText::toInt16(number);
        else if (key == QLatin1String("HotReadHours"))
            s.HotReadHours = IniText::toInt16(number);
        else if (key == QLatin1String("HotReadMins"))
            s.HotReadMins = number;
        else if (key == QLatin1String("HotRecHours"))
            s.HotRecHours = IniText::toInt16(number);
        else if (key == QLatin1String("HotRecMins"))
            s.HotRecMins = number;
    }
    return s;
}

base::Result<KvrSettings> KvrIniFile::load(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return base::fail(QStringLiteral("Could not read %1 (%2).").arg(kFileName, f.errorString()));
    return parse(f.readAll());
}

QByteArray KvrIniFile::withValues(const QByteArray& bytes, const QMap<QString, QString>& values) {
    QByteArray out;
    for (const QString& line : IniText::splitLines(bytes)) {
        const auto e = IniText::entry(line);
        if (e && values.contains(e->key))
            out += (e->key + QLatin1Char('=') + values.value(e->key)).toLatin1();
        else
            out += line.toLatin1();
        out += "\r\n";
    }
    return out;
}

QByteArray KvrIniFile::withZones(const QByteArray& bytes, int zones) {
    QByteArray out;
    for (const QString& line : IniText::splitLines(bytes)) {
        if (line.left(5) == QLatin1String("Zones"))
            out += "Zones=" + QByteArray::number(zones);
        else
            out += line.toLatin1();
        out += "\r\n";
    }
    return out;
}

base::Result<void> KvrIniFile::rewriteZones(const QString& path, int zones) {
    QFile in(path);
    if (!in.open(QIODevice::ReadOnly))
        return base::fail(in.errorString());
    const QByteArray old = in.readAll();
    in.close();
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly))
        return base::fail(out.errorString());
    out.write(withZones(old, zones));
    if (!out.commit())
        return base::fail(out.errorString());
    return {};
}

} // namespace kelvara::app
