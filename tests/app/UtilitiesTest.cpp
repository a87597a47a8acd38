// The small shared utilities: the error line, the TempLog file, the command line and the clock.
#include "app/CommandLine.h"
#include "app/SystemClock.h"
#include "app/TempLog.h"
#include "base/ErrorReporter.h"
#include "store/EngineText.h"
#include "support/FakeClock.h"
#include "support/TempSite.h"

#include <QDir>
#include <QTimer>
#include <cstdlib>
#include <gtest/gtest.h>

using namespace kelvara;

TEST(ReportError, LineHasNoSpaceBetweenModuleAndProcedureAndNeverAnEmptyDescription) {
    EXPECT_EQ(base::ErrorReporter::errorLine("Timeout", "Port_Data"), "Error: Timeout in Module:Port_Data");
    for (const char* nothing : {"", "  "})
        EXPECT_EQ(base::ErrorReporter::errorLine(nothing, "Port_Data"),
                  "Error: a failure that gave no description in Module:Port_Data");
    EXPECT_EQ(store::engineText(QSqlError("", "", QSqlError::StatementError, "5")), "database error 5");
    EXPECT_EQ(store::engineText(QSqlError("Unable to fetch row", "", QSqlError::StatementError)),
              "Unable to fetch row");
}

TEST(TempLog, AppendsToTheFileInTheCurrentFolder) {
    test::TempSite site;
    site.write("TempLog", "old\n");
    const QString before = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(site.path()));
    {
        auto log = app::OpenTempLog();
        ASSERT_NE(log, nullptr);
        log->write("new\n");
    }
    QDir::setCurrent(before);
    EXPECT_EQ(site.read("TempLog"), "old\nnew\n");
}

TEST(CommandLine, UnderstandsTheDocumentedOptions) {
    auto run = app::CommandLine::parse({"kelvara", "--site", "/srv/site", "--headless"});
    ASSERT_TRUE(run);
    EXPECT_EQ(run->action, app::CommandLine::Action::Run);
    EXPECT_EQ(run->siteDir, "/srv/site");
    EXPECT_TRUE(run->headless);

    auto create = app::CommandLine::parse({"kelvara", "--create-site", "/tmp/s", "--sides", "cook"});
    ASSERT_TRUE(create);
    EXPECT_EQ(create->action, app::CommandLine::Action::CreateSite);
    EXPECT_EQ(create->sides, app::SiteCreator::Sides::Cook);

    auto defaults = app::CommandLine::parse({"kelvara"});
    ASSERT_TRUE(defaults);
    EXPECT_EQ(defaults->siteDir, QDir::currentPath());
    EXPECT_FALSE(defaults->headless);

    EXPECT_FALSE(app::CommandLine::parse({"kelvara", "--create-site", "x", "--sides", "hot"}));
    const auto bogus = app::CommandLine::parse({"kelvara", "--bogus"});
    ASSERT_FALSE(bogus);
    EXPECT_FALSE(bogus.error().isEmpty());
}

// The maintenance options are a contract with service scripts: their spelling and the date's form stay.
TEST(CommandLine, TakesThePurgeDateYearFirstAndRefusesWhatMakesNoSense) {
    const auto purge =
        app::CommandLine::parse({"kelvara", "--site", "/srv/site", "--purge-to", "2024-03-01", "--archive"});
    ASSERT_TRUE(purge) << purge.error().toStdString();
    EXPECT_EQ(purge->action, app::CommandLine::Action::Maintain);
    EXPECT_EQ(purge->purgeTo, QDate(2024, 3, 1));
    EXPECT_TRUE(purge->archive);
    const auto compact = app::CommandLine::parse({"kelvara", "--compact"});
    ASSERT_TRUE(compact);
    EXPECT_EQ(compact->action, app::CommandLine::Action::Maintain);
    EXPECT_FALSE(compact->purgeTo.has_value());

    for (const QStringList& refused :
         {QStringList{"kelvara", "--purge-to", "03/01/2024"},
          QStringList{"kelvara", "--purge-to", "2024-02-30"}, QStringList{"kelvara", "--archive"},
          QStringList{"kelvara", "--compact", "--create-site", "x"}})
        EXPECT_FALSE(app::CommandLine::parse(refused)) << refused.join(' ').toStdString();

    char program[] = "kelvara";
    char option[] = "--purge-to=2024-03-01";
    char* argv[] = {program, option};
    EXPECT_TRUE(app::CommandLine::wantsConsoleOnly(2, argv));
}

TEST(SystemClock, GivesTheLocalTimeOfTheMachinesZone) {
    const QByteArray zone = qgetenv("TZ");
    // Three hours ahead of UTC, in the C library's notation.
    ::setenv("TZ", "KVR-3", 1);
    const app::SystemClock clock;
    const QDateTime before = QDateTime::currentDateTimeUtc();
    const QDateTime now = clock.now();
    const QDateTime after = QDateTime::currentDateTimeUtc();
    if (zone.isNull())
        ::unsetenv("TZ");
    else
        ::setenv("TZ", zone.constData(), 1);
    ::tzset();

    EXPECT_EQ(now.offsetFromUtc(), 3 * 3600);
    EXPECT_GE(now.toMSecsSinceEpoch(), before.toMSecsSinceEpoch());
    EXPECT_LE(now.toMSecsSinceEpoch(), after.toMSecsSinceEpoch());
    // The wall clock reads three hours past UTC, to the millisecond.
    const QDateTime wall = now.toUTC().addSecs(3 * 3600);
    EXPECT_EQ(now.date(), wall.date());
    EXPECT_EQ(now.time(), wall.time());
}
