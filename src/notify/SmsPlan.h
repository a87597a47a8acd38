#pragma once

#include "base/Result.h"
#include "notify/SmsGateway.h"
#include "sensornet/LineSettings.h"

#include <QByteArray>
#include <QList>
#include <QStringList>

namespace kelvara::notify {

// What a checked request sends: the text parts (GSM modem, UCP centre) or the blocks (TAP centre).
struct SmsPlan {
    QStringList parts;
    QList<QByteArray> blocks;
};

// Checks the request before any port is touched: a way of sending, the numbers that way needs as dial
// strings, a message that fits. The failure's code is the error number.
[[nodiscard]] base::Result<SmsPlan> planSend(const SmsRequest& request);

// The port's device and line settings for the request; kSmsBadSettings as the code when they cannot be used.
[[nodiscard]] base::Result<sensornet::LineSettings> modemLineSettings(const SmsRequest& request);

} // namespace kelvara::notify
