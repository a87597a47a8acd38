#pragma once

#include "base/Result.h"

#include <QByteArray>
#include <QString>
#include <functional>

namespace kelvara::notify {

// One e-mail of the notification list, as its caller asks for it.
struct MailRequest {
    QString to;
    QString subject;
    QString body; // the text, lines ended by CR LF
};

// The mail server and how to talk to it, made from the site's settings by MailServer::fromSettings.
struct MailServer {
    QString host;
    int port = 25;
    bool tlsFromStart = false; // "smtps://": TLS before the first word; otherwise STARTTLS when offered
    bool tlsRequired = false;  // no STARTTLS offered fails the send (a login to another machine)
    bool login = false;
    QString loginId;
    QString password;
    // A certificate authority trusted beside the system's; empty for the system's alone.
    QString caFile;

    [[nodiscard]] QString url() const;
};

// One mail ready to go: the server, the envelope and the whole message text.
struct MailJob {
    MailServer server;
    QString from; // envelope sender
    QString to;   // envelope recipient
    QByteArray message;
};

// Hands a composed mail to a mail server away from the caller's thread.
class MailTransport {
public:
    // What the transfer says while it runs; all run on the caller's thread.
    struct Events {
        std::function<void(int percent)> progress;
        std::function<void(const QString& status)> status;
        // Exactly once per send: done, or why the server did not take the message.
        std::function<void(const base::Result<void>& outcome)> done;
    };

    virtual ~MailTransport() = default;
    // Starts one send and returns at once. A send asked for while one runs waits for its turn.
    virtual void send(const MailJob& job, Events events) = 0;

    static inline const QString kSuccessful = QStringLiteral("Successful");
    static inline const QString kFailedPrefix = QStringLiteral("Send mail failed: ");
};

} // namespace kelvara::notify
