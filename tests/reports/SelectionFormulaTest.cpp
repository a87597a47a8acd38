// Selection formulas into SQL: the report window's formulas as it writes them, names matched whatever their
// case, values bound and never in the SQL text, and bad formulas refused with a message.
#include "reports/SelectionFormula.h"

#include <gtest/gtest.h>

using kelvara::reports::FormulaTable;
using kelvara::reports::SelectionFormula;

namespace {

const std::vector<FormulaTable> kTables{
    {QStringLiteral("Monitor"),
     {QStringLiteral("RecDate"), QStringLiteral("RecTime"), QStringLiteral("temp1")}},
    {QStringLiteral("Alarms"), {QStringLiteral("Room"), QStringLiteral("Date")}},
    {QStringLiteral("CookCycles"), {QStringLiteral("BatchNo"), QStringLiteral("Date")}}};

struct Good {
    const char* formula;
    const char* sql;
    QVariantList binds;
};

TEST(SelectionFormula, TurnsTheReportWindowsFormulasIntoBoundSql) {
    const std::vector<Good> cases{
        {"{Alarms.Date} >= Date(2026, 7, 1) and {Alarms.Date} <= Date(2026, 7, 31)",
         R"("Alarms"."Date" >= ? AND "Alarms"."Date" <= ?)",
         {"2026-07-01", "2026-07-31"}},
        {"{Monitor.RecDate} >= Date(2026, 12, 31) And {Monitor.RecDate} <= Date(2027, 1, 2)",
         R"("Monitor"."RecDate" >= ? AND "Monitor"."RecDate" <= ?)",
         {"2026-12-31", "2027-01-02"}},
        {"{CookCycles.Date} >= Date(2024, 2, 29) and {CookCycles.Date} <= Date(2024, 3, 1)",
         R"("CookCycles"."Date" >= ? AND "CookCycles"."Date" <= ?)",
         {"2024-02-29", "2024-03-01"}},
        {"{CookCycles.batchno} >= 0 and {CookCycles.BatchNo} <= 9999999",
         R"("CookCycles"."BatchNo" >= ? AND "CookCycles"."BatchNo" <= ?)",
         {0LL, 9999999LL}},
        {"{ monitor.TEMP1 }<>-2.5", R"("Monitor"."temp1" <> ?)", {-2.5}},
        {"5 < {Alarms.Room} AND {Alarms.Room}=7",
         R"(? < "Alarms"."Room" AND "Alarms"."Room" = ?)",
         {5LL, 7LL}},
    };
    for (const Good& c : cases) {
        const auto parsed = SelectionFormula::parse(QString::fromLatin1(c.formula), kTables);
        ASSERT_TRUE(parsed.ok()) << c.formula << ": " << parsed.error().toStdString();
        EXPECT_EQ(parsed->sql.trimmed(), QString::fromLatin1(c.sql)) << c.formula;
        EXPECT_EQ(parsed->binds, c.binds) << c.formula;
    }
}

struct Bad {
    const char* formula;
    const char* message;
};

TEST(SelectionFormula, RefusesBadFormulasWithAMessage) {
    const std::vector<Bad> cases{
        {"", "The selection formula is empty."},
        {"{Monitor.Nope} = 1", "The report has no field {Monitor.Nope}."},
        {"{Batchs.BatchNo} = 1", "The report has no field {Batchs.BatchNo}."},
        {"{Monitor} = 1", "The field {Monitor} at position 1 is not written {Table.Field}."},
        {"{Monitor.RecDate = 1", "Expected a closing } at position 1 of the formula."},
        {"{Monitor.RecDate} >= Date(2026, 2, 30)", "Date(2026, 2, 30) at position 22 is not a calendar day."},
        {"{Monitor.RecDate} >= Date(2026, 2",
         "The formula ends where , in Date(year, month, day) was expected."},
        {"{Monitor.RecDate} >= Date(2026.5, 2, 1)",
         "Expected a whole number in Date(year, month, day) at position 33 of the formula."},
        {"{Monitor.RecDate} >=", "The formula ends where a field, a number or a date was expected."},
        {"{Monitor.RecDate} ! 3",
         "Expected a comparison (=, <>, <, <=, >, >=) at position 19 of the formula."},
        {"1 = 1 or 1 = 1", "Expected \"and\" or the end at position 7 of the formula."},
        {"{Alarms.Room} = 1; DROP TABLE Alarms",
         "Expected \"and\" or the end at position 18 of the formula."},
        {"{Alarms.Room} = '1'", "Expected a field, a number or a date at position 17 of the formula."},
        {"{Alarms.Room} = 1..2", "\"1..2\" at position 17 is not a number."},
        {"{Alarms.Room} = 1 and", "The formula ends where a field, a number or a date was expected."},
        {"{Alarms.Room} = 1 andy {Alarms.Room} = 2",
         "Expected \"and\" or the end at position 19 of the formula."},
    };
    for (const Bad& c : cases) {
        const auto parsed = SelectionFormula::parse(QString::fromLatin1(c.formula), kTables);
        ASSERT_FALSE(parsed.ok()) << c.formula;
        EXPECT_EQ(parsed.error(), QString::fromLatin1(c.message)) << c.formula;
    }
}

} // namespace
