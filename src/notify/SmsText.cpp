#include "notify/SmsText.h"

#include "notify/SmsError.h"

namespace kelvara::notify {

namespace {

bool isControl(QChar c) {
    const char16_t u = c.unicode();
    return u < 0x20 || (u >= 0x7F && u <= 0x9F);
}

// The message's lines, each keeping the line break that ends it.
QStringList linesWithBreaks(const QString& text) {
    QStringList lines;
    qsizetype start = 0;
    while (start < text.size()) {
        const qsizetype lf = text.indexOf(QLatin1Char('\n'), start);
        const qsizetype end = lf < 0 ? text.size() : lf + 1;
        lines << text.mid(start, end - start);
        start = end;
    }
    return lines;
}

} // namespace

QString withoutControlCharacters(const QString& text, bool keepLineBreaks) {
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        const bool lineBreak = c == QLatin1Char('\r') || c == QLatin1Char('\n');
        if (!isControl(c) || (keepLineBreaks && lineBreak))
            out += c;
    }
    return out;
}

QStringList messageLines(const QString& message) {
    QStringList lines;
    for (const QString& line : message.split(QLatin1Char('\n'))) {
        const QString clean = withoutControlCharacters(line, false);
        if (!clean.isEmpty())
            lines << clean;
    }
    return lines;
}

base::Result<QStringList> splitIntoParts(const QString& message, int partLength) {
    const QString text = withoutControlCharacters(message, true);
    if (text.size() <= partLength)
        return QStringList{text};
    QStringList parts;
    QString current;
    for (QString line : linesWithBreaks(text)) {
        if (current.size() + line.size() > partLength && !current.isEmpty()) {
            parts << current;
            current.clear();
        }
        while (line.size() > partLength) {
            parts << line.left(partLength);
            line.remove(0, partLength);
        }
        current += line;
    }
    if (!current.isEmpty())
        parts << current;
    if (parts.size() > kMostParts)
        return base::fail(smsErrorText(kSmsTooLong), kSmsTooLong);
    return parts;
}

} // namespace kelvara::notify
