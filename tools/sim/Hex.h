#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <cstdint>
#include <optional>

namespace kelvara::sim {

// Upper-case hexadecimal text, the adapter's only number format.
[[nodiscard]] QByteArray hexByte(std::uint8_t value);
[[nodiscard]] QByteArray hexBytes(QByteArrayView bytes);
// Two hexadecimal digits, either case.
[[nodiscard]] std::optional<std::uint8_t> parseHexByte(QByteArrayView twoDigits);
// An even run of hexadecimal digits, either case.
[[nodiscard]] std::optional<QByteArray> parseHexBytes(QByteArrayView digits);
// The line checksum: the sum of the characters modulo 256.
[[nodiscard]] std::uint8_t lineChecksum(QByteArrayView characters);

} // namespace kelvara::sim
