#pragma once

#include <QString>
#include <QStringView>
#include <array>
#include <compare>
#include <cstdint>
#include <optional>

namespace kelvara::sim {

// A device's 64-bit registration number: family code, 48-bit serial number and CRC-8.
// Bytes are kept in bus order (family first, CRC last); the text form is the adapter's, most significant byte
// first, so it begins with the CRC and ends with the family code.
class RomId {
public:
    RomId() = default;
    explicit RomId(const std::array<std::uint8_t, 8>& busOrder) : m_bytes(busOrder) {}

    // Sixteen hexadecimal digits, either case; the CRC is taken as written.
    [[nodiscard]] static std::optional<RomId> fromText(QStringView text);
    // A ROM id whose last byte is the CRC of the first seven.
    [[nodiscard]] static RomId withValidCrc(std::uint8_t family, std::uint64_t serial48);

    [[nodiscard]] QString text() const;
    [[nodiscard]] std::uint8_t family() const { return m_bytes[0]; }
    [[nodiscard]] std::uint8_t crc() const { return m_bytes[7]; }
    [[nodiscard]] bool crcValid() const;
    [[nodiscard]] RomId withCrcFixed() const;
    // Bit 0 is the first bit on the wire: the family code's least significant bit.
    [[nodiscard]] bool bit(int index) const { return ((m_bytes[index / 8] >> (index % 8)) & 1) != 0; }
    [[nodiscard]] const std::array<std::uint8_t, 8>& busOrder() const { return m_bytes; }

    auto operator<=>(const RomId&) const = default;

private:
    std::array<std::uint8_t, 8> m_bytes{};
};

} // namespace kelvara::sim
