// Report templates: a site's own copy wins, and broken templates are refused with the line and the reason.
#include "reports/ReportTemplate.h"

#include "support/TempSite.h"

#include <gtest/gtest.h>

using kelvara::reports::ReportTemplate;

namespace {

// The shipped templates are read by every report ReportExportTest prints; here: a site's own copy wins.
TEST(ReportTemplate, ASiteCopyWinsOverTheShippedOne) {
    kelvara::test::TempSite site;
    const QString data = QString::fromUtf8(qgetenv("KELVARA_DATA_DIR"));
    site.write("DailyTemps.rpt",
               "title: Cold Rooms\r\ndatabase: KVR.db\r\ntable: Monitor\r\ncolumns: Zone\r\n");
    const auto own = ReportTemplate::load("DailyTemps.rpt", site.path(), data);
    ASSERT_TRUE(own.ok()) << own.error().toStdString();
    EXPECT_EQ(own->title, "Cold Rooms");
    EXPECT_EQ(own->group, "none");
    EXPECT_EQ(ReportTemplate::load("Nothing.rpt", site.path(), data).error(),
              "The report template Nothing.rpt was not found.");
}

TEST(ReportTemplate, RefusesBrokenTemplatesWithTheLineAndTheReason) {
    const QByteArray head = "title: T\ndatabase: KVR.db\ntable: Monitor\n";
    const std::vector<std::pair<QByteArray, const char*>> cases{
        {head + "columns: Zone\nfont: Arial\n", "Line 5 of the report template: unknown key \"font\"."},
        {head + "columns: Zone\nTitle: again\n", "Line 5 of the report template: \"title\" is given twice."},
        {head + "columns Zone\n", "Line 4 of the report template: expected \"key: value\"."},
        {head + "columns: Zone,,Readings\n", "Line 4 of the report template: a column has no name."},
        {head + "columns: Zone\ngroup: week\n",
         "Line 5 of the report template: a report groups by day, zone, batch or none, not \"week\"."},
        {"database: Other.db\n", "Line 1 of the report template: there is no database \"Other.db\"."},
        {"title: T\ndatabase: Thermo.db\ntable: Monitor\ncolumns: Zone\n",
         "The report template reads table \"Monitor\", which Thermo.db does not have."},
        {"database: KVR.db\ntable: Monitor\ncolumns: Zone\n", "The report template has no title."},
        {head, "The report template has no columns."},
        {"", "The report template has no title."},
    };
    for (const auto& [text, message] : cases) {
        const auto parsed = ReportTemplate::parse(text);
        ASSERT_FALSE(parsed.ok()) << text.constData();
        EXPECT_EQ(parsed.error(), QString::fromUtf8(message)) << text.constData();
    }
}

} // namespace
