#include "app/SensorReaderIniFile.h"

#include "app/IniText.h"

#include <QFile>

namespace kelvara::app {

namespace {

const QString kCr = QStringLiteral("\r");

void store(sensornet::AdapterCommands& c, const QString& key, const QString& value) {
    const QString& t = c.CmdTerminator;
    if (key == QLatin1String("Search"))
        c.SearchCmd = value + t;
    else if (key == QLatin1String("Reset"))
        c.ResetCmd = value + t;
    else if (key == QLatin1String("Address"))
        c.AddressCmd = value;
    else if (key == QLatin1String("Convert"))
        c.ConvertCmd = value + kCr;
    else if (key == QLatin1String("ConvertAll"))
        c.ConvertAllCmd = value.isEmpty() ? QString() : value + kCr;
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

base::Result<sensornet::AdapterCommands> SensorReaderIniFile::parse(const QByteArray& bytes) {
    sensornet::AdapterCommands c;
    const QStringList lines = IniText::splitLines(bytes);
    if (lines.size() < 2 || lines.at(1).isEmpty())
        return base::fail(QStringLiteral("%1 names no adapter model on its second line.").arg(kFileName));
    c.AdapterName = lines.at(1);
    c.CmdTerminator = c.AdapterName == QLatin1String("HA5") ? kCr : QString();
    // Files from before the pass-wide conversion lack its key; the shipped adapter then gets its block.
    if (c.AdapterName == QLatin1String("HA5"))
        c.ConvertAllCmd = kHa5ConvertAll + kCr;

    qsizetype i = 2;
    while (i < lines.size() && !lines.at(i).contains(c.AdapterName))
        ++i;
    if (i >= lines.size())
        return base::fail(
            QStringLiteral("%1 has no section for the adapter %2.").arg(kFileName, c.AdapterName));
    for (++i; i < lines.size(); ++i) {
        const QString& line = lines.at(i);
        if (line == IniText::kDone)
            break;
        if (const auto e = IniText::entry(line))
            store(c, e->key, e->value);
    }
    return c;
}

base::Result<sensornet::AdapterCommands> SensorReaderIniFile::load(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return base::fail(QStringLiteral("Could not read %1 (%2).").arg(kFileName, f.errorString()));
    return parse(f.readAll());
}

} // namespace kelvara::app
