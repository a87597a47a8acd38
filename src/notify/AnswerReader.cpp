#include "notify/AnswerReader.h"

namespace kelvara::notify {

namespace {

qsizetype lineEnd(const QByteArray& bytes) {
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\r' || bytes[i] == '\n')
            return i;
    }
    return -1;
}

} // namespace

std::optional<QByteArray> AnswerReader::nextLine() {
    for (qsizetype end = lineEnd(m_buffer); end >= 0; end = lineEnd(m_buffer)) {
        QByteArray line = m_buffer.left(end);
        m_buffer.remove(0, end + 1);
        if (!line.isEmpty())
            return line;
    }
    return std::nullopt;
}

QByteArray AnswerReader::rest() const {
    return lineEnd(m_buffer) < 0 ? m_buffer : QByteArray();
}

void AnswerReader::dropRest() {
    if (lineEnd(m_buffer) < 0)
        m_buffer.clear();
}

} // namespace kelvara::notify
