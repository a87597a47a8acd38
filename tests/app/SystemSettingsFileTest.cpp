// KVR.INI as the system settings window reads and rewrites it, and the site rows it keeps in step.
#include "app/SystemSettingsFile.h"

#include "app/AppContext.h"
#include "app/PasswordCheck.h"
#include "store/CookSettingsStore.h"
#include "store/SystemStore.h"
#include "support/CompanyPrinter.h"
#include "support/SiteDatabases.h"
#include "support/TempSite.h"

#include <QDir>
#include <gtest/gtest.h>

using namespace kelvara;
using app::SystemSettings;
using app::SystemSettingsFile;

namespace kelvara::app {
// Failures show the settings as the file would hold them.
void PrintTo(const SystemSettings& s, std::ostream* os) {
    *os << SystemSettingsFile::format(s).replace("\r\n", " | ").toStdString();
}
} // namespace kelvara::app

namespace {

const SystemSettings kSample{.company = {.BusinessName = "Harbour Fish Co",
                                         .Address = "12 Quay Road",
                                         .Town = "Lunenburg",
                                         .Prov = "NS",
                                         .PostalCode = "B0J 2C0",
                                         .WorkPhone = "902-555-0142",
                                         .FaxNumber = "902-555-0143"},
                             .TempType = "C",
                             .AudibleAlarmOff = true,
                             .ColdReadHours = 1,
                             .ColdReadMins = 2.5,
                             .ColdRecHours = 3,
                             .ColdRecMins = 15,
                             .Zones = 6,
                             .HotReadHours = 0,
                             .HotReadMins = 1,
                             .HotRecHours = 2,
                             .HotRecMins = 5,
                             .BatchNo = 1234567,
                             .DialInternet = true,
                             .SMTPName = "smtp.example.net",
                             .SMTPSender = "Cold Room",
                             .SMTPEmail = "cold@example.net",
                             .SMTPLoginID = "coldroom",
                             .SMTPPassword = "a=b c",
                             .SMTPLogin = true};

const QByteArray kSampleFile =
    "Business Name=Harbour Fish Co\r\nAddress=12 Quay Road\r\nTown=Lunenburg\r\nProv=NS\r\n"
    "PostalCode=B0J 2C0\r\nWorkPhone=902-555-0142\r\nFaxNumber=902-555-0143\r\nTempType=C\r\n"
    "AudibleAlarmOff=1\r\nColdReadHours=1\r\nColdReadMins=2.5\r\nColdRecHours=3\r\nColdRecMins=15\r\n"
    "Zones=6\r\nHotReadHours=0\r\nHotReadMins=1\r\nHotRecHours=2\r\nHotRecMins=5\r\nBatchNo=1234567\r\n"
    "DialInternet=1\r\nSMTPName=smtp.example.net\r\nSMTPSender=Cold Room\r\nSMTPEmail=cold@example.net\r\n"
    "SMTPLoginID=coldroom\r\nSMTPPassword=a=b c\r\nSMTPLogin=1\r\nDONE\r\n";

} // namespace

TEST(SystemSettingsFile, WritesEveryLineInOrderThenDoneAndReadsItBack) {
    EXPECT_EQ(SystemSettingsFile::format(kSample), kSampleFile);
    EXPECT_EQ(SystemSettingsFile::parse(kSampleFile), kSample);
}

TEST(SystemSettingsFile, ReadsByPositionAndIgnoresTheKeys) {
    // The first two lines swapped, and keys that mean nothing: values still go by line number. Lines the
    // file does not have leave their fields at the defaults.
    SystemSettings expected;
    expected.company.BusinessName = "12 Quay Road";
    expected.company.Address = "Harbour Fish Co";
    expected.company.Town = "Lunenburg";
    expected.company.PostalCode = "02134";
    EXPECT_EQ(SystemSettingsFile::parse("Address=12 Quay Road\r\nBusiness Name=Harbour Fish Co\r\n"
                                        "x=  Lunenburg  \r\nno equals sign\r\n=02134\r\n"),
              expected);
}

TEST(SystemSettingsFile, StopsAtDoneAndAfterTheLastLine) {
    QByteArray bytes = kSampleFile;
    bytes.replace("Zones=6\r\n", "DONE\r\nZones=6\r\n");
    const SystemSettings early = SystemSettingsFile::parse(bytes);
    EXPECT_DOUBLE_EQ(early.ColdRecMins, 15);
    EXPECT_EQ(early.Zones, 0);
    EXPECT_EQ(early.SMTPName, "");

    // A file without "DONE" ends at its last line; extra lines beyond the known ones are not read.
    bytes = kSampleFile;
    bytes.replace("DONE\r\n", "Extra=9\r\nMore=10\r\n");
    EXPECT_EQ(SystemSettingsFile::parse(bytes), kSample);
}

struct ValueCase {
    const char* line; // placed at the Zones, BatchNo or ColdReadMins position as named
    const char* field;
    double expected;
};

class SystemSettingsFileValues : public ::testing::TestWithParam<ValueCase> {};

TEST_P(SystemSettingsFileValues, NumbersAndCheckBoxesTakeTheirNumericValue) {
    const ValueCase& c = GetParam();
    QByteArray bytes = kSampleFile;
    const QByteArray field = c.field;
    const int start = bytes.indexOf(field + "=");
    ASSERT_GE(start, 0);
    const int end = bytes.indexOf("\r\n", start);
    bytes.replace(start, end - start, field + "=" + c.line);
    const SystemSettings s = SystemSettingsFile::parse(bytes);
    const QMap<QByteArray, double> got{{"Zones", s.Zones},
                                       {"BatchNo", s.BatchNo},
                                       {"ColdReadMins", s.ColdReadMins},
                                       {"ColdRecHours", s.ColdRecHours},
                                       {"AudibleAlarmOff", s.AudibleAlarmOff ? 1 : 0},
                                       {"SMTPLogin", s.SMTPLogin ? 1 : 0}};
    ASSERT_TRUE(got.contains(field));
    EXPECT_DOUBLE_EQ(got.value(field), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Table, SystemSettingsFileValues,
                         ::testing::Values(ValueCase{"2.5", "Zones", 2}, ValueCase{"3.5", "Zones", 4},
                                           ValueCase{"  15  ", "Zones", 15}, ValueCase{"12abc", "Zones", 12},
                                           ValueCase{"abc", "Zones", 0}, ValueCase{"7.5", "BatchNo", 8},
                                           ValueCase{"2.5", "ColdReadMins", 2.5},
                                           ValueCase{"1.5", "ColdRecHours", 1.5},
                                           ValueCase{"True", "AudibleAlarmOff", 1},
                                           ValueCase{"false", "AudibleAlarmOff", 0},
                                           ValueCase{"0", "SMTPLogin", 0}, ValueCase{"", "SMTPLogin", 0}));

TEST(SystemSettingsFile, SaveReplacesTheWholeFileAndLeavesNoTemporaryFile) {
    test::TempSite site;
    site.write("KVR.INI", "Business Name=Old\r\nDONE\r\n");
    ASSERT_TRUE(SystemSettingsFile::save(site.file("KVR.INI"), kSample).ok());
    EXPECT_EQ(site.read("KVR.INI"), kSampleFile);
    EXPECT_EQ(QDir(site.path()).entryList(QDir::Files), QStringList{"KVR.INI"});
}

class SystemSettingsSiteRows : public ::testing::Test {
protected:
    void open(const QString& mode) {
        ctx.DatabaseMode = mode;
        test::openSiteDatabases(ctx, site);
    }

    test::TempSite site;
    app::AppContext ctx;
};

TEST_F(SystemSettingsSiteRows, UpdatesTheSystemRowAndKeepsItsOtherColumns) {
    open("KVR");
    const store::SystemStore system(*ctx.databases.kvr);
    ASSERT_TRUE(system.saveLastRecord(QDate(2024, 3, 1), QTime(6, 30)).ok());

    ASSERT_TRUE(SystemSettingsFile::saveSiteRows(ctx, kSample, "Secret").ok());
    const auto row = system.load();
    ASSERT_TRUE(row);
    EXPECT_EQ(row->company, kSample.company);
    EXPECT_EQ(row->Mode, "Celsius");
    EXPECT_EQ(row->Rooms, 6);
    EXPECT_EQ(row->Password, "Secret");
    EXPECT_EQ(row->BatchNo, 1234567);
    EXPECT_EQ(row->LastDate, QDate(2024, 3, 1));
    EXPECT_EQ(row->LastTime, QTime(6, 30));
    ASSERT_TRUE(system.loadAll());
    EXPECT_EQ(system.loadAll()->size(), 1u);
    EXPECT_EQ(*app::readStoredPassword(ctx), std::optional<QString>("Secret"));
}

// The company goes to the cook row of every site that runs the cook side; the password to the System row, or
// to the cook row on a cook-only site. A zone-only site leaves an open cook database alone.
TEST(SystemSettingsCookRow, GetsTheCompanyAndOnACookOnlySiteThePassword) {
    struct Case {
        const char* opened;
        const char* mode;
        bool company;
        const char* password;
    };
    for (const Case& c :
         {Case{"KVRThermo", "KVRThermo", true, "CookPass"}, Case{"Thermo", "Thermo", true, "Secret"},
          Case{"KVRThermo", "KVR", false, "CookPass"}}) {
        SCOPED_TRACE(c.mode);
        test::TempSite folder;
        app::AppContext ctx;
        ctx.DatabaseMode = c.opened;
        test::openSiteDatabases(ctx, folder);
        const store::CookSettingsStore cookRows(*ctx.databases.thermo);
        store::CookSettingsRow cook = *cookRows.load();
        cook.Password = "CookPass";
        cook.houses = 3;
        ASSERT_TRUE(cookRows.update(cook).ok());
        ctx.DatabaseMode = c.mode;

        ASSERT_TRUE(SystemSettingsFile::saveSiteRows(ctx, kSample, "Secret").ok());
        const store::CookSettingsRow row = *cookRows.load();
        EXPECT_EQ(row.company == kSample.company, c.company);
        EXPECT_EQ(row.Password, c.password);
        EXPECT_EQ(row.houses, 3);
        EXPECT_EQ(*app::readStoredPassword(ctx), std::optional<QString>("Secret"));
    }
}
