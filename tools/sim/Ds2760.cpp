#include "sim/Ds2760.h"

#include "sim/Thermocouple.h"

#include <algorithm>
#include <cmath>

namespace kelvara::sim {

namespace {
constexpr std::uint8_t kReadData = 0x69;
constexpr std::uint8_t kWriteData = 0x6C;
constexpr std::uint8_t kCopyData = 0x48;
constexpr std::uint8_t kRecallData = 0xB8;
constexpr std::uint8_t kLock = 0x6A;

constexpr int kCurrentMsb = 0x0E;
constexpr int kTemperatureMsb = 0x18;
constexpr double kMicrovoltsPerCount = 15.625;
constexpr double kCelsiusPerCount = 0.125;

bool reserved(int address) {
    return (address >= 0x02 && address <= 0x06) || (address >= 0x09 && address <= 0x0B) ||
           (address >= 0x12 && address <= 0x17) || (address >= 0x1A && address <= 0x1F) ||
           (address >= 0x40 && address <= 0x5F) || address >= 0x80;
}

bool writable(int address) {
    return address == 0x00 || address == 0x07 || address == 0x08 || address == 0x10 || address == 0x11 ||
           (address >= 0x20 && address <= 0x3F) || (address >= 0x60 && address <= 0x7F);
}

void storeWord(std::array<std::uint8_t, 256>& memory, int msb, int word) {
    const auto bits = static_cast<std::uint16_t>(word);
    memory[static_cast<std::size_t>(msb)] = static_cast<std::uint8_t>(bits >> 8);
    memory[static_cast<std::size_t>(msb + 1)] = static_cast<std::uint8_t>(bits & 0xFF);
}
} // namespace

Ds2760::Ds2760(const RomId& rom, char thermocoupleType, const Course& hotJunction, const Course& coldJunction)
    : Device(rom), m_type(thermocoupleType), m_hot(hotJunction), m_cold(coldJunction) {
    for (int a = 0; a < 256; ++a)
        m_memory[static_cast<std::size_t>(a)] = reserved(a) ? 0xFF : 0x00;
}

QString Ds2760::describe(double now) const {
    return QStringLiteral("%1 %2").arg(m_hot.valueAt(now)).arg(m_cold.valueAt(now));
}

bool Ds2760::setCourse(const Course& course) {
    m_hot = course;
    return true;
}

bool Ds2760::setColdJunction(const Course& course) {
    m_cold = course;
    return true;
}

void Ds2760::refreshRegisters(Environment& env) {
    const double hot = m_hot.sample(env.now, env.random);
    const double cold = m_cold.sample(env.now, env.random);
    const double emf = Thermocouple::emfMicrovolts(m_type, hot, cold).value_or(0.0);
    // Rounded up to the next count, so that a reader who takes the table row at or below the measured EMF
    // lands on the hot junction's own degree rather than the one below.
    const long current =
        std::clamp(static_cast<long>(std::ceil(emf / kMicrovoltsPerCount - 1e-9)), -4096L, 4095L);
    storeWord(m_memory, kCurrentMsb, static_cast<int>(current * 8));
    const long temperature = std::clamp(std::lround(cold / kCelsiusPerCount), -1024L, 1023L);
    storeWord(m_memory, kTemperatureMsb, static_cast<int>(temperature * 32));
}

void Ds2760::onFunctionByte(std::uint8_t byte, Environment& env) {
    switch (m_state) {
    case State::Command:
        if (byte == kReadData)
            m_state = State::ReadAddress;
        else if (byte == kWriteData)
            m_state = State::WriteAddress;
        else if (byte == kCopyData || byte == kRecallData || byte == kLock)
            m_state = State::BlockAddress;
        else
            finish();
        return;
    case State::ReadAddress: {
        // The registers are latched when the read starts, so a word's two bytes belong together.
        refreshRegisters(env);
        QByteArray bytes;
        for (int a = byte; a < 256; ++a)
            bytes += static_cast<char>(m_memory[static_cast<std::size_t>(a)]);
        send(bytes);
        return;
    }
    case State::WriteAddress:
        m_address = byte;
        m_state = State::Writing;
        return;
    case State::Writing:
        if (writable(m_address))
            m_memory[static_cast<std::size_t>(m_address)] = byte;
        if (++m_address == 256)
            finish();
        return;
    case State::BlockAddress:
        // EEPROM is kept in the shadow RAM for the whole run, so copy, recall and lock have nothing to move.
        finish();
        return;
    }
}

} // namespace kelvara::sim
