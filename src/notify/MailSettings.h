#pragma once

#include "base/Result.h"
#include "notify/MailTransport.h"

#include <QByteArray>
#include <QString>

namespace kelvara::notify {

// The mail keys of KVR.INI, read afresh for every send so a change in the settings window counts at once.
struct MailSettings {
    QString SMTPName;
    QString SMTPEmail;
    QString SMTPSender;
    QString DialInternet;
    QString SMTPLogin;
    QString SMTPLoginID;
    QString SMTPPassword;

    // Lines up to "DONE": key before the first "=", value after it, both trimmed; other keys are skipped.
    [[nodiscard]] static MailSettings parse(const QByteArray& bytes);
    [[nodiscard]] static base::Result<MailSettings> load(const QString& path);

    [[nodiscard]] bool dialFirst() const { return DialInternet == QLatin1String("1"); }
    [[nodiscard]] bool useLogin() const { return SMTPLogin == QLatin1String("1"); }

    // The server from SMTPName ("host", "host:port", "smtps://host[:port]") and the login. A login to a
    // server on another machine needs TLS: the password never travels in clear. caFile is trusted beside
    // the system's certificates when it exists.
    [[nodiscard]] base::Result<MailServer> server(const QString& caFile) const;

    // The name of the extra certificate authority file a site may keep in its folder.
    static inline const QString kCaFileName = QStringLiteral("MailCA.pem");
};

} // namespace kelvara::notify
