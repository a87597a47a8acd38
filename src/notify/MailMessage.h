#pragma once

#include "base/Result.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

namespace kelvara::notify {

// The text of one plain e-mail as it goes over the wire: headers, a blank line, a UTF-8 body.
class MailMessage {
public:
    struct Parts {
        QString fromAddress;
        QString fromName;
        QString to;
        QString subject;
        QString body;
        QDateTime date;
        QString messageId; // without the angle brackets
    };

    // Refuses a line break in an address, the subject or the name (it would start a header of its own);
    // words outside ASCII are encoded, the body in quoted-printable when it is not plain ASCII.
    [[nodiscard]] static base::Result<QByteArray> compose(const Parts& parts);

    // "<local>.<random>@<domain of the sender>", unique for every mail.
    [[nodiscard]] static QString newMessageId(const QString& fromAddress);
    // The date as mail headers write it, in English whatever the locale: "Tue, 08 Dec 2026 14:05:09 +0100".
    [[nodiscard]] static QByteArray dateHeader(const QDateTime& date);
    // A header value of free text: as it is when plain ASCII, else encoded words of UTF-8 (base64).
    [[nodiscard]] static QByteArray encodedText(const QString& text);
    [[nodiscard]] static QByteArray quotedPrintable(const QByteArray& utf8);
};

} // namespace kelvara::notify
