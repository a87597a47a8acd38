#include "notify/MailMessage.h"

#include <QLocale>
#include <QTimeZone>
#include <QUuid>

namespace kelvara::notify {

namespace {

bool breaksLine(const QString& text) {
    return text.contains(QLatin1Char('\r')) || text.contains(QLatin1Char('\n'));
}

bool plainAscii(const QString& text) {
    for (const QChar c : text) {
        if (c.unicode() < 0x20 || c.unicode() > 0x7e)
            return false;
    }
    return true;
}

// An address as it may stand in a header and in the envelope.
base::Result<void> checkAddress(const QString& address, const QString& what) {
    if (address.isEmpty())
        return base::fail(QStringLiteral("No %1 address is set.").arg(what));
    if (breaksLine(address))
        return base::fail(QStringLiteral("The %1 address holds a line break.").arg(what));
    if (!plainAscii(address) || address.contains(QLatin1Char(' ')) || address.contains(QLatin1Char('<')) ||
        address.contains(QLatin1Char('>')) || address.contains(QLatin1Char(',')) ||
        address.count(QLatin1Char('@')) != 1 || address.startsWith(QLatin1Char('@')) ||
        address.endsWith(QLatin1Char('@')))
        return base::fail(
            QStringLiteral("The %1 address \"%2\" is not an e-mail address.").arg(what, address));
    return {};
}

// A display name that may go in the From header as a quoted string.
QByteArray displayName(const QString& name) {
    if (!plainAscii(name))
        return MailMessage::encodedText(name);
    QByteArray quoted = name.toLatin1();
    quoted.replace('\\', "\\\\");
    quoted.replace('"', "\\\"");
    return '"' + quoted + '"';
}

} // namespace

QByteArray MailMessage::encodedText(const QString& text) {
    if (plainAscii(text))
        return text.toLatin1();
    // Encoded words of at most 75 characters, each holding whole characters (45 bytes give 60 of base64).
    QByteArray out;
    QByteArray chunk;
    const auto flush = [&] {
        if (chunk.isEmpty())
            return;
        if (!out.isEmpty())
            out += "\r\n ";
        out += "=?UTF-8?B?" + chunk.toBase64() + "?=";
        chunk.clear();
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        qsizetype length = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QByteArray character = text.mid(i, length).toUtf8();
        if (chunk.size() + character.size() > 45)
            flush();
        chunk += character;
        i += length - 1;
    }
    flush();
    return out;
}

QByteArray MailMessage::quotedPrintable(const QByteArray& utf8) {
    static const char* const kHex = "0123456789ABCDEF";
    QByteArray out;
    int column = 0;
    const auto put = [&](const QByteArray& piece) {
        // A soft break keeps every line within 76 characters.
        if (column + piece.size() > 75) {
            out += "=\r\n";
            column = 0;
        }
        out += piece;
        column += static_cast<int>(piece.size());
    };
    for (qsizetype i = 0; i < utf8.size(); ++i) {
        const auto c = static_cast<unsigned char>(utf8.at(i));
        if (c == '\r' && i + 1 < utf8.size() && utf8.at(i + 1) == '\n') {
            out += "\r\n";
            column = 0;
            ++i;
            continue;
        }
        const bool lineEnds = i + 1 == utf8.size() || utf8.at(i + 1) == '\r';
        const bool literal = (c >= 33 && c <= 126 && c != '=') || (c == ' ' && !lineEnds);
        if (literal)
            put(QByteArray(1, static_cast<char>(c)));
        else
            put(QByteArray("=") + kHex[c >> 4] + kHex[c & 15]);
    }
    return out;
}

QByteArray MailMessage::dateHeader(const QDateTime& date) {
    const QLocale c = QLocale::c();
    const int offset = date.offsetFromUtc();
    const int minutes = std::abs(offset) / 60;
    return (c.toString(date, QStringLiteral("ddd, dd MMM yyyy HH:mm:ss ")) +
            (offset < 0 ? QLatin1Char('-') : QLatin1Char('+')) +
            QStringLiteral("%1%2")
                .arg(minutes / 60, 2, 10, QLatin1Char('0'))
                .arg(minutes % 60, 2, 10, QLatin1Char('0')))
        .toLatin1();
}

QString MailMessage::newMessageId(const QString& fromAddress) {
    const QString domain = fromAddress.section(QLatin1Char('@'), 1);
    return QStringLiteral("kelvara.") + QUuid::createUuid().toString(QUuid::WithoutBraces) +
           QLatin1Char('@') + (domain.isEmpty() ? QStringLiteral("localhost") : domain);
}

base::Result<QByteArray> MailMessage::compose(const Parts& parts) {
    if (auto ok = checkAddress(parts.fromAddress, QStringLiteral("sender")); !ok)
        return ok.failure();
    if (auto ok = checkAddress(parts.to, QStringLiteral("recipient")); !ok)
        return ok.failure();
    if (breaksLine(parts.fromName))
        return base::fail(QStringLiteral("The sender's name holds a line break."));
    if (breaksLine(parts.subject))
        return base::fail(QStringLiteral("The subject holds a line break."));

    QByteArray from = parts.fromAddress.toLatin1();
    if (!parts.fromName.isEmpty())
        from = displayName(parts.fromName) + " <" + from + '>';

    // Every line of the body ends in CR LF, whatever the caller used.
    QString body = parts.body;
    body.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    body.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    body.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    const QByteArray utf8 = body.toUtf8();
    bool plain = true;
    for (const QString& line : body.split(QLatin1String("\r\n")))
        plain = plain && line.size() <= 998 && plainAscii(line);

    QByteArray out;
    out += "From: " + from + "\r\n";
    out += "To: " + parts.to.toLatin1() + "\r\n";
    out += "Subject: " + encodedText(parts.subject) + "\r\n";
    out += "Date: " + dateHeader(parts.date) + "\r\n";
    out += "Message-ID: <" + parts.messageId.toLatin1() + ">\r\n";
    out += "MIME-Version: 1.0\r\n";
    out += "Content-Type: text/plain; charset=UTF-8\r\n";
    out += plain ? "Content-Transfer-Encoding: 7bit\r\n" : "Content-Transfer-Encoding: quoted-printable\r\n";
    out += "\r\n";
    out += plain ? utf8 : quotedPrintable(utf8);
    return out;
}

} // namespace kelvara::notify
