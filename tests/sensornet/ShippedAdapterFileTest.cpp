// The SensorReader.ini shipped with the program drives the HA5 adapter with the commands the bus tests use.
#include "support/Ha5Commands.h"
#include "support/QtPrinters.h"

#include <QFile>
#include <QMap>
#include <gtest/gtest.h>

namespace {

QString shippedFile() {
    return qEnvironmentVariable("KELVARA_DATA_DIR") + QStringLiteral("/SensorReader.ini");
}

QByteArray shippedBytes() {
    QFile f(shippedFile());
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

TEST(ShippedAdapterFile, EveryLineEndsInCarriageReturnAndLineFeed) {
    const QByteArray bytes = shippedBytes();
    ASSERT_FALSE(bytes.isEmpty()) << shippedFile().toStdString();
    ASSERT_TRUE(bytes.endsWith("\r\n"));
    EXPECT_EQ(bytes.count("\n"), bytes.count("\r\n"));
    EXPECT_EQ(bytes.count("\r"), bytes.count("\r\n"));
}

TEST(ShippedAdapterFile, NamesHa5AndItsSectionHoldsTheHa5Commands) {
    const QStringList lines = QString::fromLatin1(shippedBytes()).split(QStringLiteral("\r\n"));
    ASSERT_GE(lines.size(), 4);
    EXPECT_EQ(lines[1], "HA5");
    // Entries follow the first line after line 2 that names the adapter, up to DONE; values are taken whole.
    qsizetype i = 2;
    while (i < lines.size() && !lines[i].contains(QStringLiteral("HA5")))
        ++i;
    EXPECT_EQ(lines.value(i), "[HA5]");
    QMap<QString, QString> entries;
    for (++i; i < lines.size() && lines[i] != QStringLiteral("DONE"); ++i) {
        const qsizetype eq = lines[i].indexOf(QLatin1Char('='));
        ASSERT_GT(eq, 0) << lines[i].toStdString();
        entries.insert(lines[i].left(eq), lines[i].mid(eq + 1));
    }
    ASSERT_LT(i, lines.size()) << "no DONE line";

    const kelvara::sensornet::AdapterCommands c = kelvara::test::ha5Commands();
    const QString cr = QStringLiteral("\r");
    EXPECT_EQ(entries.value("Reset") + cr, c.ResetCmd);
    EXPECT_EQ(entries.value("Address"), c.AddressCmd);
    EXPECT_EQ(entries.value("Convert") + cr, c.ConvertCmd);
    EXPECT_EQ(entries.value("Search") + cr, c.SearchCmd);
    EXPECT_EQ(entries.value("NextSensor") + cr, c.NextSensorCmd);
    EXPECT_EQ(entries.value("AlarmSensor") + cr, c.AlarmSensorCmd);
    EXPECT_EQ(entries.value("TempSensor") + cr, c.TempSensorCmd);
    EXPECT_EQ(entries.value("Temperature") + cr, c.TemperatureCmd);
    EXPECT_EQ(entries.value("ThermoSensor") + cr, c.ThermoSensorCmd);
    EXPECT_EQ(entries.value("ThermoTemp") + cr, c.ThermoTempCmd);
    EXPECT_EQ(entries.size(), 10);
}

} // namespace
