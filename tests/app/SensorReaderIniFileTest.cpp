// Reading the adapter's command texts from SensorReader.ini.
#include "app/SensorReaderIniFile.h"

#include <gtest/gtest.h>

using kelvara::app::SensorReaderIniFile;

namespace {
const QByteArray kTwoModels =
    "Adapter commands\r\n"
    "HA5\r\n"
    "[HA7]\r\nReset=xR\r\nSearch=xS\r\nDONE\r\n"
    "[HA5]\r\n"
    "Reset=aR \r\nSearch=aS\r\nAddress=aA\r\nConvert=aW0144\r\nNextSensor=as\r\n"
    "AlarmSensor=aF05\r\nTempSensor=10,28,22,3B\r\nTemperature=aW0ABEFFFFFFFFFFFFFFFFFF\r\n"
    "ThermoSensor=aF30\r\nThermoTemp=aW0E690EFFFF\r\nUnknown=zz\r\n"
    "DONE\r\nReset=late\r\n";
}

TEST(SensorReaderIniFile, TheNamedModelsSectionGivesTheCommandsWithTheirTerminators) {
    const auto loaded = SensorReaderIniFile::parse(kTwoModels);
    ASSERT_TRUE(loaded.ok());
    const auto& c = *loaded;
    EXPECT_EQ(c.CmdTerminator, "\r");
    EXPECT_EQ(c.ResetCmd, "aR \r"); // values keep their trailing spaces
    EXPECT_EQ(c.SearchCmd, "aS\r");
    EXPECT_EQ(c.AddressCmd, "aA"); // the caller appends the ROM id
    EXPECT_EQ(c.ConvertCmd, "aW0144\r");
    EXPECT_EQ(c.NextSensorCmd, "as\r");
    EXPECT_EQ(c.AlarmSensorCmd, "aF05\r");
    EXPECT_EQ(c.TempSensorCmd, "10,28,22,3B\r");
    EXPECT_EQ(c.TemperatureCmd, "aW0ABEFFFFFFFFFFFFFFFFFF\r");
    EXPECT_EQ(c.ThermoSensorCmd, "aF30\r");
    EXPECT_EQ(c.ThermoTempCmd, "aW0E690EFFFF\r");
}

TEST(SensorReaderIniFile, OtherModelsGetACarriageReturnOnlyOnConvertAndTheReadouts) {
    QByteArray text = kTwoModels;
    text.replace("\r\nHA5\r\n", "\r\nHA7\r\n");
    const auto c = *SensorReaderIniFile::parse(text);
    EXPECT_EQ(c.CmdTerminator, "");
    EXPECT_EQ(c.ResetCmd, "xR");
    EXPECT_EQ(c.SearchCmd, "xS");
    EXPECT_TRUE(c.ConvertCmd.isEmpty()); // the HA7 section has none, and its DONE ends the reading
}

TEST(SensorReaderIniFile, AMissingSectionOrFileLeavesNoCommandsAndSaysWhy) {
    const auto noSection = SensorReaderIniFile::parse("x\r\nHA9\r\n[HA5]\r\nReset=aR\r\nDONE\r\n");
    ASSERT_FALSE(noSection.ok());
    EXPECT_TRUE(noSection.error().contains("HA9"));

    const auto noFile = SensorReaderIniFile::load("/nonexistent/SensorReader.ini");
    EXPECT_FALSE(noFile.ok());
}

TEST(SensorReaderIniFile, ASectionWithoutDoneIsReadToTheEnd) {
    const auto c = *SensorReaderIniFile::parse("x\nHA5\n[HA5]\nReset=aR\nSearch=aS");
    EXPECT_EQ(c.ResetCmd, "aR\r");
    EXPECT_EQ(c.SearchCmd, "aS\r");
}
