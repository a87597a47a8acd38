#include "monitoring/ReadLog.h"

#include <QLocale>
#include <QRegularExpression>

namespace kelvara::monitoring {

bool ReadLog::open(const QString& path) {
    close();
    m_file.setFileName(path);
    if (!m_file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return append(kHeading) && append(QString(92, QLatin1Char('-')));
}

void ReadLog::close() {
    if (m_file.isOpen())
        m_file.close();
}

bool ReadLog::append(const QString& line) {
    if (!m_file.isOpen())
        return false;
    const QByteArray bytes = line.toLocal8Bit() + "\r\n";
    const bool ok = m_file.write(bytes) == bytes.size();
    m_file.flush(); // a line that is in the log survives a crash of the program
    return ok;
}

QString ReadLog::timeText(const QTime& time) {
    static const QString format = [] {
        QString f = QLocale().timeFormat(QLocale::LongFormat);
        f.remove(QRegularExpression(QStringLiteral("\\s*t+")));
        return f.trimmed();
    }();
    return QLocale().toString(time, format);
}

QString ReadLog::zoneLine(const QString& addressAnswer, const QString& temperatureAnswer, const QTime& time,
                          int room, const QString& name, const QString& shown) {
    const QString answer =
        temperatureAnswer.isEmpty() ? QStringLiteral("Error") : temperatureAnswer.chopped(1);
    const QString roomText = room >= 0 ? QLatin1Char(' ') + QString::number(room) : QString::number(room);
    return QStringLiteral("COLD   ") + addressAnswer + QStringLiteral("   ") + answer +
           QStringLiteral("             ") + timeText(time) + QStringLiteral("   ") + roomText +
           QStringLiteral("   ") + name + QStringLiteral("   ") + shown;
}

QString ReadLog::hotLine(const QString& addressAnswer, const QString& thermoAnswer, const QTime& time,
                         int sensorNo, const QString& name, const QString& currentTemp) {
    const QString answer = thermoAnswer.isEmpty() ? QStringLiteral("Null") : thermoAnswer.chopped(1);
    return QStringLiteral("HOT    ") + addressAnswer + QStringLiteral("   ") + answer +
           QStringLiteral("   ") + timeText(time) + QStringLiteral("   ") + QString::number(sensorNo) +
           QStringLiteral("   ") + name + QStringLiteral("  ") + currentTemp;
}

} // namespace kelvara::monitoring
