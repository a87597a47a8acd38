#include "sensornet/TemperatureDecoder.h"

#include "sensornet/AdapterProtocol.h"

namespace kelvara::sensornet::decoding {

namespace {

constexpr int kScratchpadBytes = 9;

std::optional<int> hexValue(QChar c) {
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    return std::nullopt;
}

// The number of hex digits the answer starts with.
qsizetype leadingHexDigits(const QString& answer) {
    qsizetype n = 0;
    while (n < answer.size() && hexValue(answer.at(n)))
        ++n;
    return n;
}

} // namespace

std::optional<double> decodeTemperature(const QString& answer, const QString& family) {
    if (leadingHexDigits(answer) < 4)
        return std::nullopt;
    const int c1 = *hexValue(answer.at(0));
    const int c2 = *hexValue(answer.at(1));
    const int c3 = *hexValue(answer.at(2));
    const int c4 = *hexValue(answer.at(3));

    if (family == kHalfDegreeFamily) {
        double low = c2 / 2.0;
        if (c3 == 15 && c4 == 15)
            low -= 128.0;
        return 8.0 * c1 + low;
    }
    const int tens = c4 < 8 ? 16 * c4 : 16 * (c4 - 16);
    return static_cast<double>(c1 + tens);
}

std::uint8_t dallasCrc8(const QByteArray& bytes) {
    std::uint8_t crc = 0;
    for (const char ch : bytes) {
        auto byte = static_cast<std::uint8_t>(ch);
        for (int bit = 0; bit < 8; ++bit) {
            const bool mix = ((crc ^ byte) & 0x01) != 0;
            crc = static_cast<std::uint8_t>(crc >> 1);
            if (mix)
                crc ^= 0x8C;
            byte = static_cast<std::uint8_t>(byte >> 1);
        }
    }
    return crc;
}

TemperatureAnswerCheck checkTemperatureAnswer(const QString& answer) {
    if (answer.startsWith(protocol::kNoDataPrefix))
        return TemperatureAnswerCheck::NoData;
    const qsizetype digits = leadingHexDigits(answer);
    if (digits < 4)
        return TemperatureAnswerCheck::Unreadable;
    if (digits >= 2 * kScratchpadBytes) {
        const QByteArray scratchpad = QByteArray::fromHex(answer.left(2 * kScratchpadBytes).toLatin1());
        if (dallasCrc8(scratchpad) != 0)
            return TemperatureAnswerCheck::BadCrc;
    }
    return TemperatureAnswerCheck::Usable;
}

bool isPowerOnValue(const QString& answer, const QString& family) {
    return answer.startsWith(family == kHalfDegreeFamily ? QLatin1String("AA00") : QLatin1String("5005"),
                             Qt::CaseInsensitive);
}

} // namespace kelvara::sensornet::decoding
