#pragma once

#include <QString>

namespace kelvara::app {

// The site's temperature unit as its letter: "F" for Fahrenheit, written in either case, and "C" for
// anything else. Monitoring, the alarm texts and the settings window all read the unit through this, so a
// hand-written "f" cannot record one unit while the window shows the other.
[[nodiscard]] inline QString temperatureUnit(const QString& text) {
    return text.trimmed().compare(QLatin1String("F"), Qt::CaseInsensitive) == 0 ? QStringLiteral("F")
                                                                                : QStringLiteral("C");
}

} // namespace kelvara::app
