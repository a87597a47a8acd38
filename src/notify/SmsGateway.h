#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

namespace kelvara::notify {

// How the gateway reaches the recipient.
enum class SendMode {
    Gsm = 0,      // a GSM modem or phone sends the message itself
    Provider = 1, // a Hayes modem dials the provider's message centre, which takes it by TAP or UCP
    Pager = 2,    // a Hayes modem dials the pager's number and keys in the page
};

// The message centre's protocol, for the provider mode.
enum class CentreProtocol {
    Ucp = 0,
    Tap = 1,
};

// One message and everything the gateway needs to send it, set up from a notification row.
struct SmsRequest {
    // The gateway's own log of this send's exchange ("SMSLog.txt"); replaced by each send.
    QString logFile;
    // The modem: a device path, or "Com1" to "Com15" as the COM port settings name them.
    QString device;
    QString recipientNumber;
    // The alarm texts, each ended by CR LF.
    QString message;
    // Line speed in bits a second; the modem's own default when none is given.
    std::optional<int> speed;
    // 2: seven data bits, even parity, one stop bit; 1: eight data bits, no parity, one stop bit.
    int dataFormat = 1;
    QString accessNumber;
    QString password;
    CentreProtocol protocol = CentreProtocol::Ucp;
    QString senderNumber;
    // None when the row names no way of sending: the send then fails without touching a port.
    std::optional<SendMode> mode;
};

// How one send ended.
struct SmsOutcome {
    int result = 0; // 0 sent; otherwise one of SmsError
    QString description;
    // The message centre's last answer, empty when none came.
    QString providerResponse;

    [[nodiscard]] bool sent() const { return result == 0; }
};

// Sends text messages through a modem. A send runs away from the caller's thread and never holds it up.
class SmsGateway {
public:
    using Done = std::function<void(const SmsOutcome&)>;

    virtual ~SmsGateway() = default;

    // Starts one send and returns at once; done runs later on the caller's thread, exactly once.
    // The caller starts the next send only after done has run.
    virtual void send(const SmsRequest& request, Done done) = 0;
    // The serial devices the gateway can use, in the order the port lists show them.
    [[nodiscard]] virtual QStringList devices() const = 0;
};

} // namespace kelvara::notify
