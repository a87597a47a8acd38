// The small shared utilities: the error line, the TempLog file, the command line and the clock.
#include "app/CommandLine.h"
#include "app/SystemClock.h"
#include "app/TempLog.h"
#include "base/ErrorReporter.h"
#include "store/EngineText.h"
#include "support/TempSite.h"

#include <QDir>
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

// What a command line asks for, in one line: action, site, headless, sides, purge date, archive.
QString parsed(const QStringList& arguments) {
    const auto c = app::CommandLine::parse(QStringList{"kelvara"} + arguments);
    if (!c)
        return c.error().isEmpty() ? QStringLiteral("refused without a reason") : QStringLiteral("refused");
    const char* actions[] = {"Run", "CreateSite", "Maintain", "Chart", "Report", "Help"};
    const char* sides[] = {"zone", "cook", "both"};
    return QStringList{actions[int(c->action)],
                       c->siteDir,
                       c->headless ? "headless" : "windows",
                       sides[int(c->sides)],
                       c->purgeTo ? c->purgeTo->toString(Qt::ISODate) : "-",
                       c->archive ? "archive" : "-"}
        .join(' ');
}

// The maintenance options are a contract with service scripts: their spelling and the date's form stay.
TEST(CommandLine, UnderstandsTheDocumentedOptionsAndRefusesWhatMakesNoSense) {
    const QString here = QDir::currentPath();
    const std::vector<std::pair<QStringList, QString>> cases{
        {{"--site", "/srv/site", "--headless"}, "Run /srv/site headless both - -"},
        {{"--create-site", "/tmp/s", "--sides", "cook"}, "CreateSite /tmp/s windows cook - -"},
        {{}, "Run " + here + " windows both - -"},
        {{"--site", "/srv/site", "--purge-to", "2024-03-01", "--archive"},
         "Maintain /srv/site windows both 2024-03-01 archive"},
        {{"--compact"}, "Maintain " + here + " windows both - -"},
        {{"--create-site", "x", "--sides", "hot"}, "refused"},
        {{"--bogus"}, "refused"},
        {{"--purge-to", "03/01/2024"}, "refused"},
        {{"--purge-to", "2024-02-30"}, "refused"},
        {{"--archive"}, "refused"},
        {{"--compact", "--create-site", "x"}, "refused"},
    };
    for (const auto& [arguments, expected] : cases)
        EXPECT_EQ(parsed(arguments), expected) << arguments.join(' ').toStdString();

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
