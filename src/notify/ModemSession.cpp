#include "notify/ModemSession.h"

#include "notify/SmsError.h"

#include <algorithm>
#include <limits>

namespace kelvara::notify {

namespace {
// Waits are cut into slices this long so an abandoned send stops soon.
constexpr qint64 kSliceMs = 250;
} // namespace

ModemSession::ModemSession(sensornet::SerialPort& port, const base::Clock& clock, SmsLog& log,
                           const std::atomic<bool>* abandon)
    : m_port(port), m_clock(clock), m_log(log), m_abandon(abandon),
      m_sendDeadline(clock.monotonicMs() + kWholeSendMs) {}

bool ModemSession::send(const QByteArray& bytes, const std::optional<QByteArray>& shown) {
    m_log.sent(shown.value_or(bytes));
    if (m_port.write(bytes))
        return true;
    m_log.note(QStringLiteral("The port refused the bytes: ") + m_port.takeError());
    return false;
}

CommandAnswer ModemSession::command(const QByteArray& command, qint64 limitMs) {
    CommandAnswer answer;
    const qint64 until = deadline(limitMs);
    if (!send(command + '\r'))
        return answer;
    while (const auto line = lineBefore(until)) {
        if (*line == command)
            continue; // the echo
        answer.result = modemResult(*line);
        if (answer.result) {
            answer.finalLine = *line;
            break;
        }
        answer.info << *line;
    }
    return answer;
}

qint64 ModemSession::deadline(qint64 limitMs) const {
    return std::min(m_clock.monotonicMs() + limitMs, m_sendDeadline);
}

bool ModemSession::readMore(qint64 deadline) {
    while (!abandoned() && m_port.isOpen()) {
        const qint64 left = deadline - m_clock.monotonicMs();
        if (left <= 0)
            return false;
        if (m_port.waitForReadyRead(static_cast<int>(std::min(left, kSliceMs)))) {
            const QByteArray bytes = m_port.readAll();
            if (!bytes.isEmpty()) {
                m_reader.feed(bytes);
                return true;
            }
        }
    }
    return false;
}

std::optional<QByteArray> ModemSession::takeLine() {
    auto line = m_reader.nextLine();
    if (line) {
        m_log.received(*line);
        if (modemResult(*line) == ModemResult::NoCarrier)
            m_carrierDropped = true;
    }
    return line;
}

std::optional<QByteArray> ModemSession::lineBefore(qint64 deadline) {
    for (;;) {
        if (auto line = takeLine())
            return line;
        if (!readMore(deadline))
            return std::nullopt;
    }
}

void ModemSession::waitForSilence(qint64 quietMs) {
    const qint64 end = m_clock.monotonicMs() + kModemAnswerMs;
    while (readMore(std::min(m_clock.monotonicMs() + quietMs, end))) {
        while (takeLine()) {
        }
    }
    while (takeLine()) {
    }
}

int ModemSession::timeoutError(int stepError) const {
    return abandoned() || m_clock.monotonicMs() >= m_sendDeadline ? kSmsTimeLimit : stepError;
}

void ModemSession::liftSendLimit() {
    m_sendDeadline = std::numeric_limits<qint64>::max() / 2;
}

} // namespace kelvara::notify
