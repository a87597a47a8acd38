#include "notify/SmsPlan.h"

#include "notify/DialString.h"
#include "notify/SmsError.h"
#include "notify/SmsText.h"
#include "notify/TapBlocks.h"
#include "sensornet/PortLists.h"

namespace kelvara::notify {

namespace {

constexpr int kDefaultSpeed = 9600;

base::Failure failure(int error) {
    return base::fail(smsErrorText(error), error);
}

bool numbersFit(const SmsRequest& r) {
    if (!r.senderNumber.isEmpty() && !isSubscriberNumber(r.senderNumber))
        return false;
    switch (*r.mode) {
    case SendMode::Gsm:
        return isSubscriberNumber(r.recipientNumber);
    case SendMode::Provider:
        return isDialString(r.accessNumber) && isSubscriberNumber(r.recipientNumber);
    case SendMode::Pager:
        return isDialString(r.recipientNumber);
    }
    return false;
}

} // namespace

base::Result<SmsPlan> planSend(const SmsRequest& request) {
    if (!request.mode)
        return failure(kSmsNoSendMode);
    if (!numbersFit(request))
        return failure(kSmsInvalidNumber);
    SmsPlan plan;
    if (*request.mode == SendMode::Pager)
        return plan; // the page is in the number
    if (*request.mode == SendMode::Provider && request.protocol == CentreProtocol::Tap) {
        auto blocks = tap::buildBlocks(request.recipientNumber, messageLines(request.message));
        if (!blocks)
            return blocks.failure();
        plan.blocks = std::move(blocks).value();
        return plan;
    }
    auto parts = splitIntoParts(request.message);
    if (!parts)
        return parts.failure();
    plan.parts = std::move(parts).value();
    return plan;
}

base::Result<sensornet::LineSettings> modemLineSettings(const SmsRequest& request) {
    sensornet::LineSettings settings;
    const auto com = sensornet::comPortNumber(request.device);
    settings.portName = com ? sensornet::portNameForNumber(*com) : request.device;
    const int speed = request.speed.value_or(kDefaultSpeed);
    if (speed <= 0)
        return failure(kSmsBadSettings);
    settings.parameters.baudRate = speed;
    switch (request.dataFormat) {
    case 1:
        break;
    case 2:
        settings.parameters.dataBits = QSerialPort::Data7;
        settings.parameters.parity = QSerialPort::EvenParity;
        break;
    default:
        return failure(kSmsBadSettings);
    }
    return settings;
}

} // namespace kelvara::notify
