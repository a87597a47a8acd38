#include "app/IniText.h"

#include <cmath>
#include <limits>

namespace kelvara::app::IniText {

QStringList splitLines(const QByteArray& bytes) {
    QStringList lines;
    QString current;
    const qsizetype n = bytes.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char c = bytes.at(i);
        if (c == '\r' || c == '\n') {
            lines << current;
            current.clear();
            if (c == '\r' && i + 1 < n && bytes.at(i + 1) == '\n')
                ++i;
        } else {
            current += QChar(static_cast<uchar>(c));
        }
    }
    if (!current.isEmpty())
        lines << current;
    return lines;
}

std::optional<Entry> entry(const QString& line) {
    const qsizetype eq = line.indexOf(QLatin1Char('='));
    if (eq < 0)
        return std::nullopt;
    return Entry{line.left(eq), line.mid(eq + 1)};
}

double leadingNumber(const QString& text) {
    const QString t = text.trimmed();
    qsizetype i = 0;
    const qsizetype n = t.size();
    auto isDigit = [&](qsizetype k) { return k < n && t.at(k).isDigit() && t.at(k).unicode() < 128; };
    if (i < n && (t.at(i) == QLatin1Char('+') || t.at(i) == QLatin1Char('-')))
        ++i;
    const qsizetype mantissaStart = i;
    while (isDigit(i))
        ++i;
    if (i < n && t.at(i) == QLatin1Char('.')) {
        ++i;
        while (isDigit(i))
            ++i;
    }
    const qsizetype mantissaChars = i - mantissaStart;
    if (mantissaChars == 0 || (mantissaChars == 1 && t.at(mantissaStart) == QLatin1Char('.')))
        return 0.0;
    qsizetype end = i;
    if (i < n && (t.at(i) == QLatin1Char('e') || t.at(i) == QLatin1Char('E'))) {
        qsizetype k = i + 1;
        if (k < n && (t.at(k) == QLatin1Char('+') || t.at(k) == QLatin1Char('-')))
            ++k;
        if (isDigit(k)) {
            while (isDigit(k))
                ++k;
            end = k;
        }
    }
    bool ok = false;
    const double v = t.left(end).toDouble(&ok);
    return ok && std::isfinite(v) ? v : 0.0;
}

qint16 toInt16(double value) {
    if (!std::isfinite(value))
        return 0;
    const double r = std::nearbyint(value); // the default rounding mode sends halves to the even neighbour
    if (r > std::numeric_limits<qint16>::max())
        return std::numeric_limits<qint16>::max();
    if (r < std::numeric_limits<qint16>::min())
        return std::numeric_limits<qint16>::min();
    return static_cast<qint16>(r);
}

std::optional<bool> truthValue(const QString& text) {
    const QString t = text.trimmed();
    if (t.compare(QStringLiteral("true"), Qt::CaseInsensitive) == 0)
        return true;
    if (t.compare(QStringLiteral("false"), Qt::CaseInsensitive) == 0)
        return false;
    bool ok = false;
    const double v = t.toDouble(&ok);
    if (ok)
        return v != 0.0;
    return std::nullopt;
}

} // namespace kelvara::app::IniText
