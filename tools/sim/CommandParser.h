#pragma once

#include "sim/Command.h"

#include <QByteArray>
#include <QByteArrayView>
#include <optional>
#include <vector>

namespace kelvara::sim {

// Cuts the byte stream from the client into adapter commands: a channel letter, a command letter, its data
// and a carriage return, with an optional checksum (two hexadecimal digits, the sum of every character
// before them modulo 256) just before the carriage return. Each command's data length is known, so a
// checksum is recognised by the two extra characters. A bare "M" at the start of a frame is a complete
// command with no channel and no carriage return.
class CommandParser {
public:
    static constexpr char kChannel = 'a';
    static constexpr qsizetype kMaxFrame = 1024;

    [[nodiscard]] std::vector<Command> feed(QByteArrayView bytes);
    // Drops a half-received frame (the client went away).
    void clear();

    // The data length a command letter takes, given the data characters received; nullopt for an unknown
    // letter or a length that cannot be told (a W block without its count).
    [[nodiscard]] static std::optional<qsizetype> dataLength(char letter, QByteArrayView data);

private:
    [[nodiscard]] static Command frame(QByteArrayView text);

    QByteArray m_frame;
    bool m_overflow = false;
};

} // namespace kelvara::sim
