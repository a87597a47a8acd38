#include "sim/Hex.h"

namespace kelvara::sim {

namespace {
constexpr char kDigits[] = "0123456789ABCDEF";

int digitValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}
} // namespace

QByteArray hexByte(std::uint8_t value) {
    QByteArray text(2, '0');
    text[0] = kDigits[value >> 4];
    text[1] = kDigits[value & 0x0F];
    return text;
}

QByteArray hexBytes(QByteArrayView bytes) {
    QByteArray text;
    text.reserve(bytes.size() * 2);
    for (char c : bytes)
        text += hexByte(static_cast<std::uint8_t>(c));
    return text;
}

std::optional<std::uint8_t> parseHexByte(QByteArrayView twoDigits) {
    if (twoDigits.size() != 2)
        return std::nullopt;
    const int high = digitValue(twoDigits[0]);
    const int low = digitValue(twoDigits[1]);
    if (high < 0 || low < 0)
        return std::nullopt;
    return static_cast<std::uint8_t>(high * 16 + low);
}

std::optional<QByteArray> parseHexBytes(QByteArrayView digits) {
    if (digits.size() % 2 != 0)
        return std::nullopt;
    QByteArray bytes;
    bytes.reserve(digits.size() / 2);
    for (qsizetype i = 0; i < digits.size(); i += 2) {
        const auto byte = parseHexByte(digits.sliced(i, 2));
        if (!byte)
            return std::nullopt;
        bytes += static_cast<char>(*byte);
    }
    return bytes;
}

std::uint8_t lineChecksum(QByteArrayView characters) {
    unsigned sum = 0;
    for (char c : characters)
        sum += static_cast<unsigned char>(c);
    return static_cast<std::uint8_t>(sum & 0xFF);
}

} // namespace kelvara::sim
