#pragma once

#include "base/Clock.h"
#include "notify/AnswerReader.h"
#include "notify/ModemResult.h"
#include "notify/SmsLog.h"
#include "sensornet/SerialPort.h"

#include <QByteArray>
#include <QList>
#include <atomic>
#include <optional>

namespace kelvara::notify {

// Each answer of the modem in command mode may take this long.
inline constexpr qint64 kModemAnswerMs = 10'000;
// Dialling, until the modem tells how it went.
inline constexpr qint64 kDialMs = 60'000;
// Each answer of the message centre once connected.
inline constexpr qint64 kCentreAnswerMs = 10'000;
// The whole send, from the first command to the last answer before hanging up.
inline constexpr qint64 kWholeSendMs = 180'000;

// A modem's answer to one command: its final result code (none when it did not come in time), the line
// that carried it and the information lines before it.
struct CommandAnswer {
    std::optional<ModemResult> result;
    QByteArray finalLine;
    QList<QByteArray> info;
};

// One send's conversation with the modem: bytes out, answers in, each wait bounded by its own limit and by
// the whole send's, all of it written to the send's log.
class ModemSession {
public:
    // The whole send's limit starts now. A set abandon flag ends every wait at once.
    ModemSession(sensornet::SerialPort& port, const base::Clock& clock, SmsLog& log,
                 const std::atomic<bool>* abandon = nullptr);

    // Writes the bytes; the log shows `shown` instead when given (a password masked). False when the port
    // refused them.
    bool send(const QByteArray& bytes, const std::optional<QByteArray>& shown = std::nullopt);
    // Sends the command with its CR and collects the answer up to its final result code, ignoring the echo.
    [[nodiscard]] CommandAnswer command(const QByteArray& command, qint64 limitMs = kModemAnswerMs);

    // The moment limitMs from now, or the whole send's end when that comes first.
    [[nodiscard]] qint64 deadline(qint64 limitMs) const;
    // Waits until bytes arrive or the deadline passes; true when some arrived.
    bool readMore(qint64 deadline);
    // The next whole line already received, logged; none when there is none yet.
    [[nodiscard]] std::optional<QByteArray> takeLine();
    // The next line, waiting until the deadline for it.
    [[nodiscard]] std::optional<QByteArray> lineBefore(qint64 deadline);
    // Waits until nothing has arrived for quietMs (at most for the answer limit), logging what came.
    void waitForSilence(qint64 quietMs);

    // The error for a wait that ran out: the whole send's limit when that is what ended it, else stepError.
    [[nodiscard]] int timeoutError(int stepError) const;
    // Lifts the whole send's limit, for hanging up after it has passed.
    void liftSendLimit();
    // Whether the modem reported the carrier gone (it is back in command mode then).
    [[nodiscard]] bool carrierDropped() const { return m_carrierDropped; }

    [[nodiscard]] AnswerReader& reader() { return m_reader; }
    [[nodiscard]] SmsLog& log() { return m_log; }
    [[nodiscard]] const base::Clock& clock() const { return m_clock; }

private:
    [[nodiscard]] bool abandoned() const { return m_abandon != nullptr && m_abandon->load(); }

    sensornet::SerialPort& m_port;
    const base::Clock& m_clock;
    SmsLog& m_log;
    const std::atomic<bool>* m_abandon;
    AnswerReader m_reader;
    qint64 m_sendDeadline;
    bool m_carrierDropped = false;
};

} // namespace kelvara::notify
