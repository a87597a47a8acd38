#include "app/SensorReaderIniFile.h"

#include "app/IniText.h"

#include <QFile>

namespace kelvara::app {

namespace {

const QString kCr = QStringLiteral("\r");

void store(AdapterCommands& c, const QString& key, const QString& value) {
    const QString& t = c.CmdTerminator;
    if (key == QLatin1String("Search"))
        c.SearchCmd = value + t;
    else if (key == QLatin1String("Reset"))
        c.ResetCmd = value + t;
    else if (key == QLatin1String("Address"))
        c.AddressCmd = value;
    else if (key == QLatin1String("Convert"))
        c.ConvertCmd = value + kCr;
    else if (key == QLatin1String("NextSensor"))
        c.NextSensorCmd = value + t;
    else if (key == QLatin1String("AlarmSensor"))
        c.AlarmSensorCmd = value + t;
    else if (key == QLatin1String("TempSensor"))
        c.TempSensorCmd = value + t;
    else if (key == QLatin1String("Temperature"))
        c.TemperatureCmd = value + kCr;
    else if (key == QLatin1String("ThermoSensor"))
        c.ThermoSensorCmd = value + t;
    else if (key == QLatin1String("ThermoTemp"))
        c.ThermoTempCmd = value + kCr;
}

} // namespace

SensorReaderIniFile::Loaded SensorReaderIniFile::parse(const QByteArray& bytes) {
    Loaded out;
    AdapterCommands& c = out.commands;
    const QStringList lines = IniText::splitLines(bytes);
    if (lines.size() < 2 || lines.at(1).isEmpty()) {
        out.problem = QStringLiteral("%1 names no adapter model on its second line.").arg(kFileName);
        return out;
    }
    c.AdapterName = lines.at(1);
    c.CmdTerminator = c.AdapterName == QLatin1String("HA5") ? kCr : QString();

    qsizetype i = 2;
    while (i < lines.size() && !lines.at(i).contains(c.AdapterName))
        ++i;
    if (i >= lines.size()) {
        out.problem = QStringLiteral("%1 has no section for the adapter %2.").arg(kFileName, c.AdapterName);
        return out;
    }
    for (++i; i < lines.size(); ++i) {
        const QString& line = lines.at(i);
        if (line == IniText::kDone)
            break;
        if (const auto e = IniText::entry(line))
            store(c, e->key, e->value);
    }
    return out;
}

SensorReaderIniFile::Loaded SensorReaderIniFile::load(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        Loaded out;
        out.problem = QStringLiteral("Could not read %1 (%2); the bus adapter has no commands.")
                          .arg(kFileName, f.errorString());
        return out;
    }
    return parse(f.readAll());
}

} // namespace kelvara::app
