#pragma once

#include <QByteArray>
#include <optional>

namespace kelvara::notify {

// Cuts what a modem or a message centre sends into lines at CR or LF, skipping empty lines, and keeps the
// unfinished rest (a prompt such as "> " or "ID=" comes without a line end).
class AnswerReader {
public:
    void feed(const QByteArray& bytes) { m_buffer += bytes; }
    // The next whole, non-empty line without its line end; none until one has arrived.
    [[nodiscard]] std::optional<QByteArray> nextLine();
    // What has arrived after the last line end, once every whole line has been taken; empty until then.
    [[nodiscard]] QByteArray rest() const;
    // Forgets the unfinished rest once it has been dealt with (a prompt answered).
    void dropRest();
    // Everything not yet taken, for readers that cut it up themselves (UCP frames).
    [[nodiscard]] QByteArray& buffer() { return m_buffer; }

private:
    QByteArray m_buffer;
};

} // namespace kelvara::notify
