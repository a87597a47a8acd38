#include "sim/RomId.h"

#include "sim/DallasCrc.h"
#include "sim/Hex.h"

namespace kelvara::sim {

std::optional<RomId> RomId::fromText(QStringView text) {
    if (text.size() != 16)
        return std::nullopt;
    const auto bytes = parseHexBytes(text.toLatin1());
    if (!bytes)
        return std::nullopt;
    std::array<std::uint8_t, 8> busOrder{};
    for (int i = 0; i < 8; ++i)
        busOrder[7 - i] = static_cast<std::uint8_t>(bytes->at(i));
    return RomId(busOrder);
}

RomId RomId::withValidCrc(std::uint8_t family, std::uint64_t serial48) {
    std::array<std::uint8_t, 8> busOrder{};
    busOrder[0] = family;
    for (int i = 0; i < 6; ++i)
        busOrder[1 + i] = static_cast<std::uint8_t>((serial48 >> (8 * i)) & 0xFF);
    return RomId(busOrder).withCrcFixed();
}

QString RomId::text() const {
    QByteArray text;
    for (int i = 7; i >= 0; --i)
        text += hexByte(m_bytes[i]);
    return QString::fromLatin1(text);
}

bool RomId::crcValid() const {
    return dallasCrc8(std::span(m_bytes).first(7)) == m_bytes[7];
}

RomId RomId::withCrcFixed() const {
    RomId fixed = *this;
    fixed.m_bytes[7] = dallasCrc8(std::span(m_bytes).first(7));
    return fixed;
}

} // namespace kelvara::sim
