#include "notify/DialString.h"

namespace kelvara::notify {

namespace {

bool consistsOf(const QString& number, const QString& extra) {
    const QStringView body = number.startsWith(QLatin1Char('+')) ? QStringView(number).mid(1) : number;
    if (body.isEmpty())
        return false;
    for (const QChar c : body) {
        if (!c.isDigit() || c.unicode() > 0x7F) {
            if (!extra.contains(c))
                return false;
        }
    }
    return true;
}

} // namespace

bool isSubscriberNumber(const QString& number) {
    return consistsOf(number, {});
}

bool isDialString(const QString& number) {
    return consistsOf(number, QStringLiteral(",WPT*#"));
}

} // namespace kelvara::notify
