// A record selection formula as a template or a caller may hand it over.
#include "FuzzInput.h"
#include "reports/SelectionFormula.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kelvara::reports;
    static const std::vector<FormulaTable> tables{
        {QStringLiteral("Monitor"), {QStringLiteral("RecDate"), QStringLiteral("temp1")}},
        {QStringLiteral("CookCycles"), {QStringLiteral("BatchNo"), QStringLiteral("Date")}}};
    const auto parsed = SelectionFormula::parse(kelvara::fuzz::latin1Of(data, size), tables);
    // Every value is bound: no more placeholders than binds, and the other way round.
    if (parsed.ok() && parsed->sql.count(QLatin1Char('?')) != parsed->binds.size())
        __builtin_trap();
    return 0;
}
