// Reading KVR.INI into the start-up settings, and rewriting its Zones line.
#include "app/KvrIniFile.h"

#include "app/SystemSettingsFile.h"
#include "support/TempSite.h"

#include <gtest/gtest.h>

using kelvara::app::KvrIniFile;
using kelvara::app::KvrSettings;

namespace {
KvrSettings parse(const char* text) {
    return KvrIniFile::parse(QByteArray(text));
}
} // namespace

TEST(KvrIniFile, ReadsEveryKnownKeyWithItsOwnNumberRules) {
    const auto s =
        parse("Business Name=Acme = Foods\r\nTempType= C \r\nAudibleAlarmOff=True\r\n"
              "ColdReadHours=1.5\r\nColdReadMins=2.5\r\nColdRecHours=2.5\r\nColdRecMins=  15  \r\n"
              "Zones=8 zones\r\nHotReadHours=-3\r\nHotReadMins=0.25\r\nHotRecHours=x\r\nHotRecMins=1e1\r\n"
              "DONE\r\n");
    EXPECT_EQ(s.TempType, "C");
    EXPECT_TRUE(s.AudibleAlarmOff);
    EXPECT_EQ(s.ColdReadHours, 2); // halves go to the even neighbour
    EXPECT_DOUBLE_EQ(s.ColdReadMins, 2.5);
    EXPECT_EQ(s.ColdRecHours, 2);
    EXPECT_DOUBLE_EQ(s.ColdRecMins, 15);
    EXPECT_EQ(s.Zones, 8); // the leading number of the value
    EXPECT_EQ(s.HotReadHours, -3);
    EXPECT_DOUBLE_EQ(s.HotReadMins, 0.25);
    EXPECT_EQ(s.HotRecHours, 0); // no number at all gives 0
    EXPECT_DOUBLE_EQ(s.HotRecMins, 10);
}

TEST(KvrIniFile, KeysAreExactLaterDuplicatesWinAndNothingAfterDoneCounts) {
    auto s = parse("Zones =9\nzones=7\nZones=3\nno equals sign here\n\nZones=4\nTempType=F\nDONE\nZones=12\n"
                   "TempType=C\n");
    EXPECT_EQ(s.Zones, 4); // "Zones " and "zones" are other keys
    EXPECT_EQ(s.TempType, "F");
    s = parse("ColdReadMins=5\r\nZones=6"); // without DONE: read to the end
    EXPECT_DOUBLE_EQ(s.ColdReadMins, 5);
    EXPECT_EQ(s.Zones, 6);
}

TEST(KvrIniFile, AudibleAlarmOffTakesTruthWordsAndNumbersAndSixteenBitFieldsAreClamped) {
    const std::pair<const char*, bool> cases[] = {{"FALSE", false}, {"true", true}, {"0", false},
                                                  {"1", true},      {"-1", true},   {"maybe", false}};
    for (const auto& [value, expected] : cases)
        EXPECT_EQ(KvrIniFile::parse(QByteArray("AudibleAlarmOff=") + value + "\r\n").AudibleAlarmOff,
                  expected)
            << value;
    EXPECT_EQ(parse("Zones=70000\r\n").Zones, 32767); // clamped, not wrapped
    EXPECT_EQ(parse("Zones=-70000\r\n").Zones, -32768);
}

TEST(KvrIniFile, AMissingFileSaysWhyAndIsNotCreatedByAZonesRewrite) {
    kelvara::test::TempSite site;
    const auto loaded = KvrIniFile::load(site.file("KVR.INI"));
    ASSERT_FALSE(loaded.ok());
    EXPECT_TRUE(loaded.error().contains("KVR.INI"));
    EXPECT_FALSE(KvrIniFile::rewriteZones(site.file("KVR.INI"), 3).ok());
    EXPECT_FALSE(QFile::exists(site.file("KVR.INI")));
}

TEST(KvrIniFile, ZonesRewriteKeepsEveryOtherLineAsItWas) {
    kelvara::test::TempSite site;
    QByteArray before;
    for (int i = 0; i < 60; ++i) // more lines than the old 41-line reader handled
        before += "Key" + QByteArray::number(i) + "= value " + QByteArray::number(i) + "\r\n";
    before += "Zones=8\r\nZonesExtra=1\r\nTempType=F\r\nDONE\r\nnote after done\r\n";
    site.write("KVR.INI", before);

    ASSERT_TRUE(KvrIniFile::rewriteZones(site.file("KVR.INI"), 3).ok());
    QByteArray expected = before;
    expected.replace("Zones=8\r\n", "Zones=3\r\n");
    expected.replace("ZonesExtra=1\r\n", "Zones=3\r\n"); // a line is matched by its first five characters
    EXPECT_EQ(site.read("KVR.INI"), expected);
    EXPECT_EQ(KvrIniFile::load(site.file("KVR.INI"))->Zones, 3);
}

// Monitoring reads KVR.INI, the settings window its own reader: both must name one unit for every text.
TEST(TemperatureUnit, IsTheSameLetterForMonitoringAndTheSettingsWindow) {
    const std::vector<std::pair<QByteArray, QString>> cases{{"TempType=f\r\n", "F"},
                                                            {"TempType= F \r\n", "F"},
                                                            {"TempType=c\r\n", "C"},
                                                            {"TempType=\r\n", "C"},
                                                            {"TempType=Kelvin\r\n", "C"}};
    for (const auto& [ini, unit] : cases) {
        const KvrSettings monitoring = KvrIniFile::parse(ini + "DONE\r\n");
        // The window's reader takes the file as it writes it, a line per setting in its order.
        QByteArray full = kelvara::app::SystemSettingsFile::format({});
        full.replace("TempType=C\r\n", ini);
        const kelvara::app::SystemSettings window = kelvara::app::SystemSettingsFile::parse(full);
        EXPECT_EQ(monitoring.TempType, unit) << ini.constData();
        EXPECT_EQ(window.celsius(), unit == "C") << ini.constData();
    }
}
