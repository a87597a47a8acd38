#include "sim/CommandParser.h"

#include "sim/Hex.h"

namespace kelvara::sim {

namespace {
constexpr char kCr = '\r';
constexpr char kLf = '\n';

bool isHex(QByteArrayView text) {
    return parseHexBytes(text).has_value() || text.isEmpty();
}

// The data characters of a well-framed command make sense for its letter.
bool dataValid(char letter, QByteArrayView data) {
    switch (letter) {
    case 'A':
    case 'F':
    case 'W':
    case 'J':
        return isHex(data);
    case 'B':
        return data == "0" || data == "1";
    case 'S':
    case 'C':
        return data.isEmpty() || (data[0] == ',' && isHex(data.sliced(1)));
    default:
        return true;
    }
}
} // namespace

std::optional<qsizetype> CommandParser::dataLength(char letter, QByteArrayView data) {
    switch (letter) {
    case 'R':
    case 'M':
    case 's':
    case 'c':
    case 'f':
        return 0;
    case 'A':
        return 16;
    case 'B':
        return 1;
    case 'F':
        return 2;
    case 'S':
    case 'C':
        return !data.isEmpty() && data[0] == ',' ? 3 : 0;
    case 'W':
    case 'J': {
        if (data.size() < 2)
            return std::nullopt;
        const auto count = parseHexByte(data.first(2));
        if (!count)
            return std::nullopt;
        return 2 + 2 * qsizetype(*count);
    }
    default:
        return std::nullopt;
    }
}

void CommandParser::clear() {
    m_frame.clear();
    m_overflow = false;
}

std::vector<Command> CommandParser::feed(QByteArrayView bytes) {
    std::vector<Command> commands;
    for (char c : bytes) {
        if (c == kCr) {
            if (m_overflow)
                commands.push_back({Command::Status::Malformed, 0, {}, false});
            else if (!m_frame.isEmpty())
                commands.push_back(frame(m_frame));
            clear();
            continue;
        }
        if (m_frame.isEmpty() && !m_overflow) {
            if (c == kLf)
                continue;
            if (c == 'M') {
                commands.push_back({Command::Status::Ok, 'M', {}, false});
                continue;
            }
        }
        if (m_frame.size() >= kMaxFrame) {
            m_overflow = true;
            m_frame.clear();
        }
        if (!m_overflow)
            m_frame += c;
    }
    return commands;
}

Command CommandParser::frame(QByteArrayView text) {
    Command command;
    command.status = Command::Status::Malformed;
    const char channel = text[0];
    if (channel < 'a' || channel > 'z')
        return command;
    if (channel != kChannel) {
        command.status = Command::Status::OtherChannel;
        return command;
    }
    if (text.size() < 2)
        return command;
    command.letter = text[1];
    const QByteArrayView rest = text.sliced(2);
    const auto length = dataLength(command.letter, rest);
    if (!length)
        return command;
    if (rest.size() == *length + 2) {
        const auto sum = parseHexByte(rest.last(2));
        if (!sum)
            return command;
        command.checksummed = true;
        if (*sum != lineChecksum(text.first(text.size() - 2))) {
            command.status = Command::Status::BadChecksum;
            return command;
        }
    } else if (rest.size() != *length) {
        return command;
    }
    command.data = rest.first(*length).toByteArray();
    if (!dataValid(command.letter, command.data))
        return command;
    command.status = Command::Status::Ok;
    return command;
}

} // namespace kelvara::sim
