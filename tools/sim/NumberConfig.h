#pragma once

#include <QByteArray>

namespace kelvara::sim {

// What answers a dialled number.
enum class FarEndKind {
    Nothing, // no one answers: NO ANSWER
    Tap,
    Ucp,
    Pager,
};

// A fault of one number.
enum class LineFault {
    None,
    Busy,
    NoAnswer,
    NoCarrier, // connects, then the carrier drops at the first byte the caller sends
    Silent,    // connects, the far end says nothing
    Nak,       // TAP: NAK on every block; UCP: negative acknowledgement 02 on every frame
    Reject,    // TAP: RS on every block; UCP: negative acknowledgement 04 on every frame
};

// One entry of the modem file's number list.
struct NumberConfig {
    FarEndKind farEnd = FarEndKind::Nothing;
    QByteArray password;
    LineFault fault = LineFault::None;
};

} // namespace kelvara::sim
