#pragma once

#include <QFile>
#include <QString>
#include <QTime>

namespace kelvara::monitoring {

// The read log Kelvara.log: made anew at every start, one line per zone (and cook sensor) per pass.
class ReadLog {
public:
    static inline const QString kFileName = QStringLiteral("Kelvara.log");
    static inline const QString kHeading = QStringLiteral(
        "Type   Serial #           Return                         Time          #   Name             ");

    // Creates the file anew with its two heading lines; false when it cannot be written.
    bool open(const QString& path);
    void close();
    [[nodiscard]] bool isOpen() const { return m_file.isOpen(); }

    // Appends one line (the CR LF is added) and returns false when it could not be written.
    bool append(const QString& line);

    // A zone's line. `temperatureAnswer` still ends with the carriage return that closed the exchange;
    // an empty answer is logged as "Error".
    [[nodiscard]] static QString zoneLine(const QString& addressAnswer, const QString& temperatureAnswer,
                                          const QTime& time, int room, const QString& name,
                                          const QString& shown);
    // A cook sensor's line. `thermoAnswer` still ends with the carriage return that closed the exchange; an
    // empty answer is logged as "Null".
    [[nodiscard]] static QString hotLine(const QString& addressAnswer, const QString& thermoAnswer,
                                         const QTime& time, int sensorNo, const QString& name,
                                         const QString& currentTemp);
    // The time of day as the log writes it (the locale's long time, without a time zone).
    [[nodiscard]] static QString timeText(const QTime& time);

private:
    QFile m_file;
};

} // namespace kelvara::monitoring
