// The small shared utilities: the error line, Delay, the TempLog file and the command line.
#include "app/CommandLine.h"
#include "app/Delay.h"
#include "app/ErrorReporter.h"
#include "app/TempLog.h"
#include "support/FakeClock.h"
#include "support/TempSite.h"

#include <QDir>
#include <QTimer>
#include <gtest/gtest.h>

using namespace kelvara;

TEST(ReportError, LineHasNoSpaceBetweenModuleAndProcedure) {
    EXPECT_EQ(app::ErrorReporter::errorLine("Timeout", "Port_Data"), "Error: Timeout in Module:Port_Data");
}

TEST(Delay, KeepsEventsFlowingUntilTheClockHasMovedFarEnough) {
    test::FakeClock clock(QDateTime(QDate(2026, 3, 1), QTime(23, 59, 59, 500)));
    clock.setAutoAdvance(100);
    int ticks = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] { ++ticks; });
    timer.start(0);
    const qint64 start = clock.monotonicMs();
    app::Delay(clock, 1.0); // crosses midnight on the wall clock
    const qint64 waited = clock.monotonicMs() - start;
    EXPECT_GE(waited, 1000);
    EXPECT_LT(waited, 1500); // never the day-long wait of a clock that wrapped
    EXPECT_GT(ticks, 0);
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
    QString error;
    auto run = app::CommandLine::parse({"kelvara", "--site", "/srv/site", "--headless"}, &error);
    ASSERT_TRUE(run);
    EXPECT_EQ(run->action, app::CommandLine::Action::Run);
    EXPECT_EQ(run->siteDir, "/srv/site");
    EXPECT_TRUE(run->headless);

    auto create = app::CommandLine::parse({"kelvara", "--create-site", "/tmp/s", "--sides", "cook"}, &error);
    ASSERT_TRUE(create);
    EXPECT_EQ(create->action, app::CommandLine::Action::CreateSite);
    EXPECT_EQ(create->sides, app::SiteCreator::Sides::Cook);

    auto defaults = app::CommandLine::parse({"kelvara"}, &error);
    ASSERT_TRUE(defaults);
    EXPECT_EQ(defaults->siteDir, QDir::currentPath());
    EXPECT_FALSE(defaults->headless);

    EXPECT_FALSE(app::CommandLine::parse({"kelvara", "--create-site", "x", "--sides", "hot"}, &error));
    EXPECT_FALSE(app::CommandLine::parse({"kelvara", "--bogus"}, &error));
    EXPECT_FALSE(error.isEmpty());
}
