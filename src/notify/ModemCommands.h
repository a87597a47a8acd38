#pragma once

#include "notify/ModemSession.h"

#include <QByteArray>
#include <functional>

namespace kelvara::notify {

// How often the driver tries "AT" before it takes the modem for silent.
inline constexpr int kWakeTries = 3;
// The quiet before and after the escape to command mode.
inline constexpr qint64 kEscapeGuardMs = 1'000;

// The error number for a command's answer: 0 for OK, the result code's own for the others, modem silent
// (or the whole send's limit) when none came.
[[nodiscard]] int commandError(const CommandAnswer& answer, const ModemSession& session);

// "AT" until the modem answers, then "ATE0"; 0 when both were answered OK.
[[nodiscard]] int wakeModem(ModemSession& session);

// Dials the number: a data call that ends in CONNECT, or with voice a call that ends in OK. 0 when it did.
[[nodiscard]] int dial(ModemSession& session, const QString& number, bool voice);

// Ends the call: from a data call by the escape sequence first (unless the carrier is gone already), then
// "ATH0". Runs even after the whole send's limit; what the modem answers changes nothing.
void hangUp(ModemSession& session, bool dataCall);

// A call to a message centre: wakes the modem, dials the centre, runs the exchange while connected and
// hangs up whatever happened once a dial was made. 0 when every step went through.
[[nodiscard]] int callCentre(ModemSession& session, const QString& number,
                             const std::function<int()>& exchange);

} // namespace kelvara::notify
