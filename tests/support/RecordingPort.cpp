#include "support/RecordingPort.h"

namespace kelvara::test {

base::Result<void> RecordingPort::open(const sensornet::LineSettings& settings) {
    ++openings;
    return m_inner.open(settings);
}

bool RecordingPort::write(const QByteArray& bytes) {
    written << bytes;
    if (m_journal)
        *m_journal << journalLine(bytes);
    return m_inner.write(bytes);
}

QString RecordingPort::journalLine(const QByteArray& bytes) {
    QString text = QString::fromLatin1(bytes);
    text.replace(QLatin1Char('\r'), QLatin1String("\\r"));
    return QStringLiteral("send ") + text;
}

} // namespace kelvara::test
