#pragma once

#include <QByteArray>
#include <optional>

namespace kelvara::notify {

// The final result codes a modem ends a command's answer with.
enum class ModemResult {
    Ok,
    Error,
    CmsError, // "+CMS ERROR: n": the network refused the message
    Connect,
    NoDialTone,
    Busy,
    NoAnswer,
    NoCarrier,
};

// The final result code of an answer line; none for any other line (information, echo).
[[nodiscard]] std::optional<ModemResult> modemResult(const QByteArray& line);

} // namespace kelvara::notify
