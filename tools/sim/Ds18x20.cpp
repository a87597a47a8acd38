#include "sim/Ds18x20.h"

#include "sim/DallasCrc.h"

#include <algorithm>

namespace kelvara::sim {

namespace {
constexpr std::uint8_t kConvertT = 0x44;
constexpr std::uint8_t kReadScratchpad = 0xBE;
constexpr std::uint8_t kWriteScratchpad = 0x4E;
constexpr std::uint8_t kCopyScratchpad = 0x48;
constexpr std::uint8_t kRecallEeprom = 0xB8;
constexpr std::uint8_t kReadPowerSupply = 0xB4;
} // namespace

Ds18x20::Ds18x20(const RomId& rom, const Course& course) : Device(rom), m_course(course) {}

QString Ds18x20::describe(double now) const {
    return QString::number(m_course.valueAt(now));
}

bool Ds18x20::setCourse(const Course& course) {
    m_course = course;
    return true;
}

std::array<std::uint8_t, 9> Ds18x20::scratchpad() const {
    std::array<std::uint8_t, 9> bytes{};
    std::copy(m_pad.begin(), m_pad.end(), bytes.begin());
    bytes[8] = dallasCrc8(m_pad);
    return bytes;
}

void Ds18x20::powerUp() {
    storePowerOnValue();
    for (int n = 0; n < writableBytes(); ++n)
        storeWritten(n, m_eeprom[static_cast<std::size_t>(n)]);
}

void Ds18x20::advance(const Environment& env) {
    if (!m_conversion || env.elapsed < m_conversion->endsAt)
        return;
    store(*m_conversion);
    m_conversion.reset();
    if (m_polling)
        sendLevel(true);
}

void Ds18x20::store(const Conversion& conversion) {
    if (conversion.celsius)
        storeConversion(*conversion.celsius);
    else
        storePowerOnValue();
}

void Ds18x20::startConversion(Environment& env) {
    Conversion conversion;
    // A sensor that browns out during the conversion restarts and keeps its power-on value.
    if (!faults().strikes(FaultKind::PowerOn, env.now, env.random))
        conversion.celsius = m_course.sample(env.now, env.random);
    conversion.endsAt = env.elapsed + conversionSeconds() * env.conversionScale;
    m_conversion = conversion;
    m_polling = true;
    // Until it ends, the scratchpad keeps what it held before, and the read slots read 0.
    sendLevel(false);
    advance(env);
}

void Ds18x20::onFunctionByte(std::uint8_t byte, Environment& env) {
    if (m_written >= 0) {
        storeWritten(m_written, byte);
        if (++m_written == writableBytes())
            finish();
        return;
    }
    switch (byte) {
    case kConvertT:
        startConversion(env);
        break;
    case kReadScratchpad: {
        const auto bytes = scratchpad();
        send(QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size())));
        break;
    }
    case kWriteScratchpad:
        m_written = 0;
        break;
    case kCopyScratchpad:
        for (int n = 0; n < writableBytes(); ++n)
            m_eeprom[static_cast<std::size_t>(n)] = m_pad[static_cast<std::size_t>(2 + n)];
        sendLevel(true);
        break;
    case kRecallEeprom:
        for (int n = 0; n < writableBytes(); ++n)
            storeWritten(n, m_eeprom[static_cast<std::size_t>(n)]);
        sendLevel(true);
        break;
    case kReadPowerSupply:
        sendLevel(!m_parasite);
        break;
    default:
        finish();
        break;
    }
}

} // namespace kelvara::sim
