#pragma once

#include "base/Clock.h"

#include <QByteArray>
#include <QFile>
#include <QString>

namespace kelvara::notify {

// Writes one send's exchange with the modem into the log file, one line per command and answer, control
// characters shown by name (<STX>, <CR>). Secrets are masked by the caller before they reach it.
class SmsLog {
public:
    // Replaces the file; with an empty path nothing is written.
    SmsLog(const QString& path, const base::Clock& clock);

    void sent(const QByteArray& bytes) { write(QStringLiteral("> ") + shown(bytes)); }
    void received(const QByteArray& bytes) { write(QStringLiteral("< ") + shown(bytes)); }
    void note(const QString& text) { write(QStringLiteral("  ") + text); }

    // The bytes as readable text: printable ones as they are, the others by name or as <xx>.
    [[nodiscard]] static QString shown(const QByteArray& bytes);

private:
    void write(const QString& line);

    const base::Clock& m_clock;
    QFile m_file;
};

} // namespace kelvara::notify
