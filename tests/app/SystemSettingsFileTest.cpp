// KVR.INI as the system settings window reads and rewrites it, and the site rows it keeps in step.
#include "app/SystemSettingsFile.h"

#include "app/AppContext.h"
#include "app/KvrIniFile.h"
#include "app/PasswordCheck.h"
#include "store/CookSettingsStore.h"
#include "store/Database.h"
#include "store/SystemStore.h"
#include "support/CompanyPrinter.h"
#include "support/TempSite.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using namespace kelvara;
using app::SystemSettings;
using app::SystemSettingsFile;

namespace {

SystemSettings sample() {
    SystemSettings s;
    s.company = {.BusinessName = "Harbour Fish Co",
                 .Address = "12 Quay Road",
                 .Town = "Lunenburg",
                 .Prov = "NS",
                 .PostalCode = "B0J 2C0",
                 .WorkPhone = "902-555-0142",
                 .FaxNumber = "902-555-0143"};
    s.TempType = "C";
    s.AudibleAlarmOff = true;
    s.ColdReadHours = 1;
    s.ColdReadMins = 2.5;
    s.ColdRecHours = 3;
    s.ColdRecMins = 15;
    s.Zones = 6;
    s.HotReadHours = 0;
    s.HotReadMins = 1;
    s.HotRecHours = 2;
    s.HotRecMins = 5;
    s.BatchNo = 1234567;
    s.DialInternet = true;
    s.SMTPName = "smtp.example.net";
    s.SMTPSender = "Cold Room";
    s.SMTPEmail = "cold@example.net";
    s.SMTPLoginID = "coldroom";
    s.SMTPPassword = "a=b c";
    s.SMTPLogin = true;
    return s;
}

const QByteArray kSampleFile = "Business Name=Harbour Fish Co\r\n"
                               "Address=12 Quay Road\r\n"
                               "Town=Lunenburg\r\n"
                               "Prov=NS\r\n"
                               "PostalCode=B0J 2C0\r\n"
                               "WorkPhone=902-555-0142\r\n"
                               "FaxNumber=902-555-0143\r\n"
                               "TempType=C\r\n"
                               "AudibleAlarmOff=1\r\n"
                               "ColdReadHours=1\r\n"
                               "ColdReadMins=2.5\r\n"
                               "ColdRecHours=3\r\n"
                               "ColdRecMins=15\r\n"
                               "Zones=6\r\n"
                               "HotReadHours=0\r\n"
                               "HotReadMins=1\r\n"
                               "HotRecHours=2\r\n"
                               "HotRecMins=5\r\n"
                               "BatchNo=1234567\r\n"
                               "DialInternet=1\r\n"
                               "SMTPName=smtp.example.net\r\n"
                               "SMTPSender=Cold Room\r\n"
                               "SMTPEmail=cold@example.net\r\n"
                               "SMTPLoginID=coldroom\r\n"
                               "SMTPPassword=a=b c\r\n"
                               "SMTPLogin=1\r\n"
                               "DONE\r\n";

} // namespace

TEST(SystemSettingsFile, WritesEveryLineInOrderThenDoneAndReadsItBack) {
    EXPECT_EQ(SystemSettingsFile::format(sample()), kSampleFile);
    EXPECT_EQ(SystemSettingsFile::parse(kSampleFile), sample());
}

TEST(SystemSettingsFile, StartUpReadsTheWrittenFileByKey) {
    const app::KvrSettings read = app::KvrIniFile::parse(SystemSettingsFile::format(sample()));
    EXPECT_EQ(read.TempType, "C");
    EXPECT_TRUE(read.AudibleAlarmOff);
    EXPECT_EQ(read.ColdReadHours, 1);
    EXPECT_DOUBLE_EQ(read.ColdReadMins, 2.5);
    EXPECT_EQ(read.ColdRecHours, 3);
    EXPECT_DOUBLE_EQ(read.ColdRecMins, 15);
    EXPECT_EQ(read.Zones, 6);
    EXPECT_DOUBLE_EQ(read.HotReadMins, 1);
    EXPECT_EQ(read.HotRecHours, 2);
    EXPECT_DOUBLE_EQ(read.HotRecMins, 5);
}

TEST(SystemSettingsFile, ReadsByPositionAndIgnoresTheKeys) {
    // The first two lines swapped, and keys that mean nothing: values still go by line number.
    const SystemSettings s = SystemSettingsFile::parse("Address=12 Quay Road\r\n"
                                                       "Business Name=Harbour Fish Co\r\n"
                                                       "x=  Lunenburg  \r\n"
                                                       "no equals sign\r\n"
                                                       "=02134\r\n");
    EXPECT_EQ(s.company.BusinessName, "12 Quay Road");
    EXPECT_EQ(s.company.Address, "Harbour Fish Co");
    EXPECT_EQ(s.company.Town, "Lunenburg");
    EXPECT_EQ(s.company.Prov, "");
    EXPECT_EQ(s.company.PostalCode, "02134");
    // Lines the file does not have leave their fields at the defaults.
    EXPECT_EQ(s.company.WorkPhone, "");
    EXPECT_FALSE(s.celsius());
    EXPECT_EQ(s.Zones, 0);
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
    EXPECT_EQ(SystemSettingsFile::parse(bytes), sample());
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

class SystemSettingsFileSave : public ::testing::Test {
protected:
    void SetUp() override { site.write("KVR.INI", kOld); }
    [[nodiscard]] QString path() const { return site.file("KVR.INI"); }
    // Nothing but the settings file: no temporary file may be left behind.
    [[nodiscard]] QStringList siteFiles() const { return QDir(site.path()).entryList(QDir::Files); }

    static inline const QByteArray kOld = "Business Name=Old\r\nDONE\r\n";
    test::TempSite site;
};

TEST_F(SystemSettingsFileSave, ReplacesTheWholeFile) {
    ASSERT_TRUE(SystemSettingsFile::save(path(), sample()).ok());
    EXPECT_EQ(site.read("KVR.INI"), kSampleFile);
    EXPECT_EQ(siteFiles(), QStringList{"KVR.INI"});
}

class SystemSettingsSiteRows : public ::testing::Test {
protected:
    void open(const QString& mode) {
        ctx.DatabaseMode = mode;
        if (ctx.hasZoneSide()) {
            ASSERT_TRUE(store::createDatabase(site.file("KVR.db"), store::DatabaseKind::Kvr).ok());
            ctx.databases.kvr = std::make_unique<store::Database>(store::DatabaseKind::Kvr);
            ASSERT_TRUE(ctx.databases.kvr->open(site.file("KVR.db")).ok());
        }
        if (ctx.hasCookSide()) {
            ASSERT_TRUE(store::createDatabase(site.file("Thermo.db"), store::DatabaseKind::Thermo).ok());
            ctx.databases.thermo = std::make_unique<store::Database>(store::DatabaseKind::Thermo);
            ASSERT_TRUE(ctx.databases.thermo->open(site.file("Thermo.db")).ok());
            ASSERT_TRUE(store::CookSettingsStore(*ctx.databases.thermo).ensureRow().ok());
        }
    }

    test::TempSite site;
    app::AppContext ctx;
};

TEST_F(SystemSettingsSiteRows, UpdatesTheSystemRowAndKeepsItsOtherColumns) {
    open("KVR");
    const store::SystemStore system(*ctx.databases.kvr);
    ASSERT_TRUE(system.saveLastRecord(QDate(2024, 3, 1), QTime(6, 30)).ok());

    ASSERT_TRUE(SystemSettingsFile::saveSiteRows(ctx, sample(), "Secret").ok());
    const auto row = system.load();
    ASSERT_TRUE(row);
    EXPECT_EQ(row->company, sample().company);
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

TEST_F(SystemSettingsSiteRows, ABothSidesSiteAlsoGetsTheCompanyInTheCookRowButNotThePassword) {
    open("KVRThermo");
    store::CookSettingsRow cook = *store::CookSettingsStore(*ctx.databases.thermo).load();
    cook.Password = "CookPass";
    cook.houses = 3;
    ASSERT_TRUE(store::CookSettingsStore(*ctx.databases.thermo).update(cook).ok());

    ASSERT_TRUE(SystemSettingsFile::saveSiteRows(ctx, sample(), "Secret").ok());
    const auto row = store::CookSettingsStore(*ctx.databases.thermo).load();
    ASSERT_TRUE(row);
    EXPECT_EQ(row->company, sample().company);
    EXPECT_EQ(row->Password, "CookPass");
    EXPECT_EQ(row->houses, 3);
    EXPECT_EQ(store::SystemStore(*ctx.databases.kvr).load()->Password, "Secret");
}

TEST_F(SystemSettingsSiteRows, ACookOnlySiteKeepsThePasswordInTheCookRow) {
    open("Thermo");
    ASSERT_TRUE(SystemSettingsFile::saveSiteRows(ctx, sample(), "Secret").ok());
    EXPECT_EQ(store::CookSettingsStore(*ctx.databases.thermo).load()->Password, "Secret");
    EXPECT_EQ(*app::readStoredPassword(ctx), std::optional<QString>("Secret"));
}

TEST_F(SystemSettingsSiteRows, AZoneOnlySiteLeavesAnOpenCookDatabaseAlone) {
    open("KVRThermo");
    ctx.DatabaseMode = "KVR";
    ASSERT_TRUE(SystemSettingsFile::saveSiteRows(ctx, sample(), "Secret").ok());
    EXPECT_EQ(store::CookSettingsStore(*ctx.databases.thermo).load()->company.BusinessName, " ");
}
