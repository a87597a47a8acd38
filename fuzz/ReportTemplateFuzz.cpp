// A report template as a user's editor or a broken disk may leave it.
#include "FuzzInput.h"
#include "reports/ReportTemplate.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto parsed = kelvara::reports::ReportTemplate::parse(kelvara::fuzz::bytesOf(data, size));
    // What parses has what a report needs.
    if (parsed.ok() && (parsed->title.isEmpty() || parsed->columns.isEmpty() || parsed->group.isEmpty()))
        __builtin_trap();
    return 0;
}
