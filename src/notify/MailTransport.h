#pragma once

#include <QString>
#include <functional>

namespace kelvara::notify {

// One e-mail of the notification list.
struct MailRequest {
    QString to;
    QString subject;
    QString body;
    QString attachment; // a file to attach; empty for none
};

// Sends e-mail away from the caller's thread.
class MailTransport {
public:
    // The send's outcome as the status text: "Successful", or "Send mail failed: " + CR LF + the reason.
    using Done = std::function<void(const QString& sendStatus)>;

    virtual ~MailTransport() = default;
    // Starts one send and returns at once; done runs later on the caller's thread, exactly once.
    virtual void send(const MailRequest& request, Done done) = 0;

    static inline const QString kSuccessful = QStringLiteral("Successful");
    static inline const QString kFailedPrefix = QStringLiteral("Send mail failed: ");
};

// The transport of a build that sends no e-mail: every send fails, and says why.
class NoMailTransport final : public MailTransport {
public:
    void send(const MailRequest&, Done done) override {
        done(kFailedPrefix + QStringLiteral("\r\nThis release of Kelvara does not send e-mail."));
    }
};

} // namespace kelvara::notify
