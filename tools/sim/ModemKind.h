#pragma once

namespace kelvara::sim {

// Which modem the simulator plays: a GSM modem that sends text messages itself, or a Hayes modem that dials
// message centres and pagers.
enum class ModemKind {
    Gsm,
    Hayes,
};

// A fault of the whole modem.
enum class ModemFault {
    None,
    Silent,     // takes every byte and answers nothing
    NoDialtone, // Hayes: every dial answers NO DIALTONE; GSM: no network, every message gets +CMS ERROR: 331
    Reject,     // GSM: every message gets +CMS ERROR: 500; Hayes: every dial answers NO CARRIER
};

} // namespace kelvara::sim
