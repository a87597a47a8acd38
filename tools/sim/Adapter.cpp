#include "sim/Adapter.h"

#include "sim/Hex.h"

#include <algorithm>

namespace kelvara::sim {

namespace {
constexpr std::uint8_t kMatchRom = 0x55;
constexpr char kCr = '\r';
constexpr char kHexDigits[] = "0123456789ABCDEF";

void addOnce(std::vector<Device*>& devices, Device* device) {
    if (device && std::find(devices.begin(), devices.end(), device) == devices.end())
        devices.push_back(device);
}
} // namespace

std::vector<Answer> Adapter::feed(QByteArrayView bytes) {
    std::vector<Answer> answers;
    for (const Command& command : m_parser.feed(bytes)) {
        if (m_mode != AdapterMode::Normal)
            continue;
        if (auto answer = execute(command))
            answers.push_back(std::move(*answer));
    }
    return answers;
}

QByteArray Adapter::line(const QByteArray& content) const {
    if (content.isEmpty())
        return QByteArray(1, kCr);
    QByteArray text = content;
    if (m_checksum)
        text += hexByte(lineChecksum(content));
    text += kCr;
    return text;
}

QByteArray Adapter::select(const RomId& rom) {
    m_bus.reset(m_env);
    m_bus.touchByte(kMatchRom, m_env);
    const auto& bytes = rom.busOrder();
    m_bus.touchBytes(QByteArrayView(reinterpret_cast<const char*>(bytes.data()), 8), m_env);
    return rom.text().toLatin1();
}

QByteArray Adapter::searchAnswer(std::optional<RomId> found, std::vector<Device*>& involved) {
    if (!found)
        return line({});
    addOnce(involved, m_bus.find(*found));
    return line(found->text().toLatin1());
}

std::optional<Answer> Adapter::execute(const Command& command) {
    switch (command.status) {
    case Command::Status::OtherChannel:
        return std::nullopt;
    case Command::Status::BadChecksum:
    case Command::Status::Malformed:
        return Answer{kError, 0};
    case Command::Status::Ok:
        break;
    }

    Answer answer;
    std::vector<Device*> involved;
    const QByteArray& data = command.data;
    switch (command.letter) {
    case 'R':
        return Answer{m_bus.reset(m_env) ? "P\r" : "N\r", 0};
    case 'A': {
        const RomId rom = *RomId::fromText(QString::fromLatin1(data));
        m_remembered = rom;
        addOnce(involved, m_bus.find(rom));
        answer.bytes = line(select(rom));
        break;
    }
    case 'M':
        if (!m_remembered) {
            answer.bytes = line({});
            break;
        }
        addOnce(involved, m_bus.find(*m_remembered));
        answer.bytes = line(select(*m_remembered));
        break;
    case 'J':
        if (!m_remembered)
            return Answer{kError, 0};
        addOnce(involved, m_bus.find(*m_remembered));
        (void)select(*m_remembered);
        [[fallthrough]];
    case 'W': {
        for (Device* d : m_bus.selectedDevices(m_env.now))
            addOnce(involved, d);
        const QByteArray written = *parseHexBytes(data.sliced(2));
        answer.bytes = line(hexBytes(m_bus.touchBytes(written, m_env)));
        break;
    }
    case 'B': {
        for (Device* d : m_bus.selectedDevices(m_env.now))
            addOnce(involved, d);
        const bool level = m_bus.touchBit(data == "1", m_env);
        answer.bytes = level ? "1\r" : "0\r";
        break;
    }
    case 'S':
    case 'C': {
        m_search.begin(command.letter == 'S' ? BusSearch::Kind::All : BusSearch::Kind::Conditional);
        if (data.isEmpty()) {
            answer.bytes = searchAnswer(m_search.next(m_bus, m_env), involved);
            break;
        }
        const int limit = *parseHexByte(data.sliced(1));
        for (int n = 0; n < limit; ++n) {
            const auto found = m_search.next(m_bus, m_env);
            if (!found)
                break;
            answer.bytes += searchAnswer(found, involved);
        }
        answer.bytes += kCr;
        break;
    }
    case 'F':
        m_search.begin(BusSearch::Kind::Family, *parseHexByte(data));
        answer.bytes = searchAnswer(m_search.next(m_bus, m_env), involved);
        break;
    case 's':
    case 'c':
    case 'f':
        // Each of them carries on with the search in progress, whatever its kind.
        answer.bytes = searchAnswer(m_search.next(m_bus, m_env), involved);
        break;
    default:
        return Answer{kError, 0};
    }
    applyFaults(answer, involved);
    return answer;
}

void Adapter::applyFaults(Answer& answer, const std::vector<Device*>& involved) {
    for (Device* d : involved) {
        if (!m_bus.onLine(*d, m_env.now))
            continue;
        answer.delayMs = std::max(answer.delayMs, d->faults().delayMs(m_env.now, m_env.random));
        if (!d->faults().strikes(FaultKind::Garbled, m_env.now, m_env.random))
            continue;
        std::vector<qsizetype> positions;
        for (qsizetype i = 0; i < answer.bytes.size(); ++i) {
            if (answer.bytes[i] != kCr)
                positions.push_back(i);
        }
        if (positions.empty())
            continue;
        const qsizetype at =
            positions[static_cast<std::size_t>(m_env.random.below(static_cast<int>(positions.size())))];
        // Another hexadecimal digit, so the damage stays in the answer's alphabet and only a check finds it.
        const char* current = std::find(kHexDigits, kHexDigits + 16, answer.bytes[at]);
        const int from = current == kHexDigits + 16 ? 0 : static_cast<int>(current - kHexDigits);
        answer.bytes[at] = kHexDigits[(from + 1 + m_env.random.below(15)) % 16];
    }
}

} // namespace kelvara::sim
