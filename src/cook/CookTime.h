#pragma once

#include <QLocale>
#include <QString>
#include <QTime>

namespace kelvara::cook::CookTime {

// A time of day as cook cycles store and log it: "9:05 pm".
[[nodiscard]] inline QString amPm(const QTime& time) {
    return QLocale::c().toString(time, QStringLiteral("h:mm ap"));
}

// Reads that text back (either letter case); an invalid time when it is not one.
[[nodiscard]] inline QTime fromAmPm(const QString& text) {
    return QLocale::c().toTime(text.trimmed().toLower(), QStringLiteral("h:mm ap"));
}

// The cook panel's form of a stored time: "9:05 PM"; text that is no time is shown as it is.
[[nodiscard]] inline QString panelText(const QString& stored) {
    const QTime t = fromAmPm(stored);
    return t.isValid() ? QLocale::c().toString(t, QStringLiteral("h:mm AP")) : stored;
}

} // namespace kelvara::cook::CookTime
