#include "notify/MailSettings.h"

#include "app/IniText.h"

#include <QFile>

namespace kelvara::notify {

MailSettings MailSettings::parse(const QByteArray& bytes) {
    MailSettings s;
    for (const QString& line : app::IniText::splitLines(bytes)) {
        if (line.trimmed() == app::IniText::kDone)
            break;
        const auto e = app::IniText::entry(line);
        if (!e)
            continue;
        const QString key = e->key.trimmed();
        const QString value = e->value.trimmed();
        if (key == QLatin1String("SMTPName"))
            s.SMTPName = value;
        else if (key == QLatin1String("SMTPEmail"))
            s.SMTPEmail = value;
        else if (key == QLatin1String("SMTPSender"))
            s.SMTPSender = value;
        else if (key == QLatin1String("DialInternet"))
            s.DialInternet = value;
        else if (key == QLatin1String("SMTPLogin"))
            s.SMTPLogin = value;
        else if (key == QLatin1String("SMTPLoginID"))
            s.SMTPLoginID = value;
        else if (key == QLatin1String("SMTPPassword"))
            s.SMTPPassword = value;
    }
    return s;
}

base::Result<MailSettings> MailSettings::load(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return base::fail(
            QStringLiteral("The mail settings could not be read from KVR.INI (%1).").arg(f.errorString()));
    return parse(f.readAll());
}

namespace {

// A loopback name or address: what goes there never leaves this computer.
bool onThisMachine(const QString& host) {
    const QString name = host.toLower();
    if (name == QLatin1String("localhost") || name.endsWith(QLatin1String(".localhost")) ||
        name == QLatin1String("::1"))
        return true;
    const QStringList parts = name.split(QLatin1Char('.'));
    if (parts.size() != 4)
        return false;
    for (const QString& part : parts) {
        bool ok = false;
        const int n = part.toInt(&ok);
        if (!ok || n < 0 || n > 255)
            return false;
    }
    return parts.front() == QLatin1String("127");
}

} // namespace

base::Result<MailServer> MailSettings::server(const QString& caFile) const {
    MailServer server;
    QString rest = SMTPName;
    const QLatin1String smtps("smtps://");
    const QLatin1String smtp("smtp://");
    if (rest.startsWith(smtps, Qt::CaseInsensitive)) {
        server.tlsFromStart = true;
        server.port = 465;
        rest = rest.mid(smtps.size());
    } else if (rest.startsWith(smtp, Qt::CaseInsensitive)) {
        rest = rest.mid(smtp.size());
    }
    if (rest.endsWith(QLatin1Char('/')))
        rest.chop(1);
    // "[::1]:2525" for an IPv6 address with a port; a bare IPv6 address has more than one colon.
    QString portText;
    if (rest.startsWith(QLatin1Char('['))) {
        const qsizetype close = rest.indexOf(QLatin1Char(']'));
        if (close < 0)
            return base::fail(QStringLiteral("The mail server name \"%1\" is not complete.").arg(SMTPName));
        server.host = rest.mid(1, close - 1);
        const QString after = rest.mid(close + 1);
        if (after.startsWith(QLatin1Char(':')))
            portText = after.mid(1);
        else if (!after.isEmpty())
            return base::fail(QStringLiteral("The mail server name \"%1\" is not understood.").arg(SMTPName));
    } else if (rest.count(QLatin1Char(':')) == 1) {
        server.host = rest.section(QLatin1Char(':'), 0, 0);
        portText = rest.section(QLatin1Char(':'), 1);
    } else {
        server.host = rest;
    }
    if (server.host.isEmpty())
        return base::fail(QStringLiteral("No mail server is set (Server Name in the e-mail settings)."));
    for (const QChar c : server.host) {
        if (c.isSpace() || c == QLatin1Char('/') || c == QLatin1Char('@') || c.unicode() < 0x20)
            return base::fail(QStringLiteral("The mail server name \"%1\" is not understood.").arg(SMTPName));
    }
    if (!portText.isNull()) {
        bool ok = false;
        const int port = portText.toInt(&ok);
        if (!ok || port < 1 || port > 65535)
            return base::fail(
                QStringLiteral("The mail server's port \"%1\" is not a port number.").arg(portText));
        server.port = port;
    }
    server.login = useLogin();
    if (server.login) {
        server.loginId = SMTPLoginID;
        server.password = SMTPPassword;
        server.tlsRequired = !server.tlsFromStart && !onThisMachine(server.host);
    }
    server.caFile = caFile;
    return server;
}

QString MailServer::url() const {
    const bool ipv6 = host.contains(QLatin1Char(':'));
    return (tlsFromStart ? QStringLiteral("smtps://") : QStringLiteral("smtp://")) +
           (ipv6 ? QLatin1Char('[') + host + QLatin1Char(']') : host) + QLatin1Char(':') +
           QString::number(port);
}

} // namespace kelvara::notify
