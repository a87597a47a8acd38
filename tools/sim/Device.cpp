#include "sim/Device.h"

namespace kelvara::sim {

namespace {
constexpr std::uint8_t kReadRom = 0x33;
constexpr std::uint8_t kMatchRom = 0x55;
constexpr std::uint8_t kSkipRom = 0xCC;
constexpr std::uint8_t kSearchRom = 0xF0;
constexpr std::uint8_t kConditionalSearch = 0xEC;
} // namespace

void Device::resetPulse() {
    m_phase = Phase::RomCommand;
    m_bit = 0;
    m_searchStep = 0;
    m_shift = 0;
    m_shiftCount = 0;
    m_tx.clear();
    m_txBit = 0;
    m_level.reset();
    m_finished = false;
    m_mute = false;
    onReset();
}

void Device::sleep() {
    if (m_phase != Phase::Asleep) {
        m_phase = Phase::Asleep;
        onReset();
    }
}

bool Device::drive() const {
    switch (m_phase) {
    case Phase::SearchRom:
        if (m_searchStep == 0)
            return m_rom.bit(m_bit);
        if (m_searchStep == 1)
            return !m_rom.bit(m_bit);
        return true;
    case Phase::ReadRom:
        return m_rom.bit(m_bit);
    case Phase::Function:
        if (m_mute)
            return true;
        if (m_txBit < m_tx.size() * 8)
            return ((static_cast<std::uint8_t>(m_tx[m_txBit / 8]) >> (m_txBit % 8)) & 1) != 0;
        if (m_level)
            return *m_level;
        return true;
    default:
        return true;
    }
}

void Device::sample(bool level, Environment& env) {
    switch (m_phase) {
    case Phase::Asleep:
        return;
    case Phase::RomCommand:
        m_shift = static_cast<std::uint8_t>((m_shift >> 1) | (level ? 0x80 : 0));
        if (++m_shiftCount == 8) {
            m_shiftCount = 0;
            romCommand(m_shift, env);
        }
        return;
    case Phase::MatchRom:
        if (level != m_rom.bit(m_bit)) {
            sleep();
            return;
        }
        if (++m_bit == 64)
            enterFunction(Selection::Match, env);
        return;
    case Phase::SearchRom:
        if (m_searchStep < 2) {
            ++m_searchStep;
            return;
        }
        m_searchStep = 0;
        if (level != m_rom.bit(m_bit)) {
            sleep();
            return;
        }
        if (++m_bit == 64)
            enterFunction(Selection::Search, env);
        return;
    case Phase::ReadRom:
        if (++m_bit == 64)
            enterFunction(Selection::ReadRom, env);
        return;
    case Phase::Function:
        if (m_txBit < m_tx.size() * 8) {
            if (++m_txBit == m_tx.size() * 8 && !m_level)
                m_finished = true;
            return;
        }
        if (m_level || m_finished)
            return;
        m_shift = static_cast<std::uint8_t>((m_shift >> 1) | (level ? 0x80 : 0));
        if (++m_shiftCount == 8) {
            m_shiftCount = 0;
            onFunctionByte(m_shift, env);
        }
        return;
    }
}

void Device::romCommand(std::uint8_t command, Environment& env) {
    m_bit = 0;
    m_searchStep = 0;
    switch (command) {
    case kReadRom:
        m_phase = Phase::ReadRom;
        break;
    case kMatchRom:
        m_phase = Phase::MatchRom;
        break;
    case kSkipRom:
        enterFunction(Selection::Skip, env);
        break;
    case kSearchRom:
        m_phase = Phase::SearchRom;
        break;
    case kConditionalSearch:
        if (conditionMet())
            m_phase = Phase::SearchRom;
        else
            sleep();
        break;
    default:
        sleep();
        break;
    }
}

void Device::enterFunction(Selection how, Environment& env) {
    m_phase = Phase::Function;
    m_shift = 0;
    m_shiftCount = 0;
    m_mute = m_faults.strikes(FaultKind::AllF, env.now, env.random);
    onSelected(how, env);
}

bool Device::setCourse(const Course&) {
    return false;
}
bool Device::setColdJunction(const Course&) {
    return false;
}
bool Device::setOutput(bool) {
    return false;
}

void Device::onSelected(Selection, Environment&) {}

void Device::send(const QByteArray& bytes) {
    m_tx = bytes;
    m_txBit = 0;
    m_finished = bytes.isEmpty();
}

void Device::sendLevel(bool level) {
    m_level = level;
}

void Device::finish() {
    m_finished = true;
}

} // namespace kelvara::sim
