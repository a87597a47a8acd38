#pragma once

#include <QByteArray>
#include <QString>
#include <ostream>

// Lets test failures show Qt strings as text, carriage returns made visible.
inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << QString(s).replace(QLatin1Char('\r'), QLatin1String("\\r")).toStdString() << '"';
}
inline void PrintTo(const QByteArray& b, std::ostream* os) {
    PrintTo(QString::fromLatin1(b), os);
}
