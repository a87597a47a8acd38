#include "notify/ModemResult.h"

namespace kelvara::notify {

std::optional<ModemResult> modemResult(const QByteArray& line) {
    const QByteArray l = line.trimmed();
    if (l == "OK")
        return ModemResult::Ok;
    if (l == "ERROR" || l.startsWith("+CME ERROR:"))
        return ModemResult::Error;
    if (l.startsWith("+CMS ERROR:"))
        return ModemResult::CmsError;
    if (l == "CONNECT" || l.startsWith("CONNECT "))
        return ModemResult::Connect;
    if (l == "NO DIALTONE" || l == "NO DIAL TONE")
        return ModemResult::NoDialTone;
    if (l == "BUSY")
        return ModemResult::Busy;
    if (l == "NO ANSWER")
        return ModemResult::NoAnswer;
    if (l == "NO CARRIER")
        return ModemResult::NoCarrier;
    return std::nullopt;
}

} // namespace kelvara::notify
