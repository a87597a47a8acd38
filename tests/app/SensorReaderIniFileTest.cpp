// Reading the adapter's command texts from SensorReader.ini, the shipped file among them.
#include "app/SensorReaderIniFile.h"

#include "support/Ha5Commands.h"
#include "support/TempSite.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

using kelvara::app::SensorReaderIniFile;
using kelvara::sensornet::AdapterCommands;

namespace {

// Every text of the command set in the order of its fields, as failures can print them.
std::vector<std::string> texts(const AdapterCommands& c) {
    std::vector<std::string> out;
    for (const QString* t : {&c.AdapterName, &c.CmdTerminator, &c.SearchCmd, &c.ResetCmd, &c.AddressCmd,
                             &c.ConvertCmd, &c.NextSensorCmd, &c.AlarmSensorCmd, &c.TempSensorCmd,
                             &c.TemperatureCmd, &c.ThermoSensorCmd, &c.ThermoTempCmd})
        out.push_back(t->toStdString());
    return out;
}

const QByteArray kTwoModels =
    "Adapter commands\r\n"
    "HA5\r\n"
    "[HA7]\r\nReset=xR\r\nSearch=xS\r\nDONE\r\n"
    "[HA5]\r\n"
    "Reset=aR \r\nSearch=aS\r\nAddress=aA\r\nConvert=aW0144\r\nNextSensor=as\r\n"
    "AlarmSensor=aF05\r\nTempSensor=10,28,22,3B\r\nTemperature=aW0ABEFFFFFFFFFFFFFFFFFF\r\n"
    "ThermoSensor=aF30\r\nThermoTemp=aW0E690EFFFF\r\nUnknown=zz\r\n"
    "DONE\r\nReset=late\r\n";

} // namespace

TEST(SensorReaderIniFile, TheNamedModelsSectionGivesTheCommandsWithTheirTerminators) {
    const auto loaded = SensorReaderIniFile::parse(kTwoModels);
    ASSERT_TRUE(loaded.ok());
    // Values keep their trailing spaces; the caller appends the ROM id to the address command.
    EXPECT_EQ(texts(*loaded),
              (std::vector<std::string>{"HA5", "\r", "aS\r", "aR \r", "aA", "aW0144\r", "as\r", "aF05\r",
                                        "10,28,22,3B\r", "aW0ABEFFFFFFFFFFFFFFFFFF\r", "aF30\r",
                                        "aW0E690EFFFF\r"}));
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

TEST(SensorReaderIniFile, AMissingSectionOrFileSaysWhyAndASectionWithoutDoneIsReadToTheEnd) {
    const auto noSection = SensorReaderIniFile::parse("x\r\nHA9\r\n[HA5]\r\nReset=aR\r\nDONE\r\n");
    ASSERT_FALSE(noSection.ok());
    EXPECT_TRUE(noSection.error().contains("HA9"));

    EXPECT_FALSE(SensorReaderIniFile::load("/nonexistent/SensorReader.ini").ok());
    // A section without DONE is read to the end.
    const auto c = *SensorReaderIniFile::parse("x\nHA5\n[HA5]\nReset=aR\nSearch=aS");
    EXPECT_EQ(c.ResetCmd, "aR\r");
    EXPECT_EQ(c.SearchCmd, "aS\r");
}

// The file every new site gets: CR LF line ends, and exactly the HA5 commands the bus and the simulator
// tests drive the adapter with.
TEST(SensorReaderIniFile, TheShippedFileGivesTheHa5Commands) {
    const QString path = qEnvironmentVariable("KELVARA_DATA_DIR") + "/SensorReader.ini";
    const QByteArray bytes = kelvara::test::TempSite::readFile(path);
    ASSERT_TRUE(bytes.endsWith("\r\n")) << path.toStdString();
    EXPECT_EQ(bytes.count("\n"), bytes.count("\r\n"));
    EXPECT_EQ(bytes.count("\r"), bytes.count("\r\n"));
    const auto shipped = SensorReaderIniFile::parse(bytes);
    ASSERT_TRUE(shipped.ok()) << shipped.error().toStdString();
    EXPECT_EQ(texts(*shipped), texts(kelvara::test::ha5Commands()));
    EXPECT_EQ(shipped->ConvertAllCmd, "aW02CC44\r");
}

// Files written before the pass-wide conversion lack its key: the shipped adapter gets its block, another
// model none. A site that empties the key keeps the conversion of each sensor at its reading.
struct ConvertAllRow {
    const char* section;
    const char* convertAll;
};

void PrintTo(const ConvertAllRow& r, std::ostream* os) {
    *os << QByteArray(r.section).replace("\r\n", " ").constData();
}

class ConvertAllKey : public ::testing::TestWithParam<ConvertAllRow> {};

TEST_P(ConvertAllKey, DefaultsToTheShippedBlockOnlyForTheShippedAdapter) {
    const QByteArray section = GetParam().section;
    const auto c = *SensorReaderIniFile::parse("x\r\n" + section.left(3) + "\r\n[" + section + "DONE\r\n");
    EXPECT_EQ(c.ConvertAllCmd, GetParam().convertAll);
}

INSTANTIATE_TEST_SUITE_P(Files, ConvertAllKey,
                         ::testing::Values(ConvertAllRow{"HA5]\r\nReset=aR\r\n", "aW02CC44\r"},
                                           ConvertAllRow{"HA5]\r\nConvertAll=\r\n", ""},
                                           ConvertAllRow{"HA5]\r\nConvertAll=aW03CC4400\r\n", "aW03CC4400\r"},
                                           ConvertAllRow{"HA7]\r\nReset=xR\r\n", ""}));
