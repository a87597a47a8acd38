#include "notify/TapDriver.h"

#include "notify/ModemCommands.h"
#include "notify/SmsError.h"
#include "notify/TapBlocks.h"

namespace kelvara::notify {

namespace {

// The centre is woken by a CR this often, this many times, until it asks for the id.
constexpr qint64 kWakeCentreEveryMs = 2'000;
constexpr int kWakeCentreTries = 3;
// The most times one block may be asked for again.
constexpr int kMostNaks = 3;
constexpr int kAwaited = -1;

const QByteArray kGoAhead = QByteArray(1, tap::kEsc) + "[p";
const QByteArray kEndSession = QByteArray(1, tap::kEsc) + tap::kEot;

bool isMessageLine(const QByteArray& line) {
    return !line.isEmpty() && static_cast<unsigned char>(line[0]) >= 0x20;
}

} // namespace

SmsOutcome TapDriver::send(const SmsRequest& request, const QList<QByteArray>& blocks) {
    const int error = callCentre(m_session, request.accessNumber, [&] { return exchange(request, blocks); });
    return {error, smsErrorText(error), m_response};
}

int TapDriver::exchange(const SmsRequest& request, const QList<QByteArray>& blocks) {
    int error = waitForIdPrompt();
    if (error == kSmsSent)
        error = logOn(request.password);
    for (qsizetype i = 0; error == kSmsSent && i < blocks.size(); ++i)
        error = sendBlock(blocks[i]);
    if (error == kSmsSent)
        logOff();
    return error;
}

int TapDriver::centreLine(const QByteArray& line, const QByteArray& awaited) {
    if (line == awaited)
        return kAwaited;
    if (modemResult(line) == ModemResult::NoCarrier || line == kEndSession)
        return kSmsCarrierLost;
    if (isMessageLine(line))
        m_response = QString::fromLatin1(line);
    return kSmsSent;
}

int TapDriver::waitForIdPrompt() {
    const qint64 until = m_session.deadline(kCentreAnswerMs);
    for (int tries = 0;;) {
        if (tries < kWakeCentreTries) {
            if (!m_session.send("\r"))
                return kSmsCarrierLost;
            ++tries;
        }
        const qint64 nextWake = std::min(m_session.deadline(kWakeCentreEveryMs), until);
        for (;;) {
            while (const auto line = m_session.takeLine()) {
                if (line->contains("ID="))
                    return kSmsSent;
                if (modemResult(*line) == ModemResult::NoCarrier)
                    return kSmsCarrierLost;
            }
            if (m_session.reader().rest().contains("ID=")) {
                m_session.log().received(m_session.reader().rest());
                m_session.reader().dropRest();
                return kSmsSent;
            }
            if (!m_session.readMore(tries < kWakeCentreTries ? nextWake : until))
                break;
        }
        if (tries >= kWakeCentreTries || m_session.clock().monotonicMs() >= until ||
            m_session.timeoutError(0) != 0)
            return m_session.timeoutError(kSmsCentreSilent);
    }
}

int TapDriver::logOn(const QString& password) {
    const QByteArray shown = password.isEmpty() ? tap::logOn({}) : tap::logOn(QStringLiteral("****"));
    if (!m_session.send(tap::logOn(password), shown))
        return kSmsCarrierLost;
    const qint64 until = m_session.deadline(kCentreAnswerMs);
    while (const auto line = m_session.lineBefore(until)) {
        if (*line == kEndSession || *line == QByteArray(1, tap::kRs))
            return kSmsLoginRefused;
        if (const int result = centreLine(*line, kGoAhead); result != kSmsSent)
            return result == kAwaited ? kSmsSent : result;
    }
    return m_session.timeoutError(kSmsCentreSilent);
}

int TapDriver::sendBlock(const QByteArray& block) {
    for (int naks = 0; naks < kMostNaks;) {
        if (!m_session.send(block))
            return kSmsCarrierLost;
        const qint64 until = m_session.deadline(kCentreAnswerMs);
        for (;;) {
            const auto line = m_session.lineBefore(until);
            if (!line)
                return m_session.timeoutError(kSmsCentreSilent);
            if (*line == QByteArray(1, tap::kNak)) {
                ++naks;
                break;
            }
            if (*line == QByteArray(1, tap::kRs))
                return kSmsRejected;
            if (const int result = centreLine(*line, QByteArray(1, tap::kAck)); result != kSmsSent)
                return result == kAwaited ? kSmsSent : result;
        }
    }
    return kSmsBlockRefused;
}

void TapDriver::logOff() {
    if (!m_session.send(QByteArray(1, tap::kEot) + '\r'))
        return;
    // Every block is accepted: whatever the centre says now leaves the message sent.
    const qint64 until = m_session.deadline(kCentreAnswerMs);
    while (const auto line = m_session.lineBefore(until)) {
        if (*line == kEndSession || modemResult(*line) == ModemResult::NoCarrier)
            return;
    }
}

} // namespace kelvara::notify
