#pragma once

#include "sim/Centre.h"
#include "sim/EscapeGuard.h"
#include "sim/ModemMessage.h"
#include "sim/ModemScenario.h"
#include "sim/PortEngine.h"

#include <functional>
#include <memory>

namespace kelvara::sim {

// The modem on the serial port: a GSM modem that takes text messages (AT+CMGS), or a Hayes modem that dials
// the modem file's numbers and, once connected, passes bytes to the message centre behind the number until
// the centre hangs up or the caller escapes with "+++". Results are verbose (CR LF, text, CR LF); echo is on
// until ATE0. Every message part a far end accepts is kept and handed to the sink.
class Modem final : public PortEngine {
public:
    explicit Modem(ModemScenario scenario);

    [[nodiscard]] std::vector<Answer> feed(QByteArrayView bytes, double nowSeconds) override;
    [[nodiscard]] std::vector<Answer> due(double nowSeconds) override;
    [[nodiscard]] std::optional<double> wakeAt() const override;
    // Losing the client drops the call, as a modem does when its terminal goes away.
    void clientGone() override;

    // The modem's faults, timing and numbers, for the control channel; a number's change counts from its
    // next call.
    [[nodiscard]] ModemScenario& config() { return m_config; }
    [[nodiscard]] const std::vector<ModemMessage>& messages() const { return m_messages; }
    void setMessageSink(std::function<void(const ModemMessage&)> sink) { m_sink = std::move(sink); }

private:
    enum class Mode { Command, SmsText, Data };

    void commandByte(char c, double now);
    void smsTextByte(char c);
    void dataByte(char c, double now);
    void execute(const QByteArray& command, double now);
    void gsmCommand(const QByteArray& command, const QByteArray& upper);
    void dial(QByteArray dialString, double now);
    void dialResult(const QByteArray& dialString, bool voice, int delayMs, double connectedAt);
    void hangUp();
    void accept(const ModemMessage& message);
    void say(const QByteArray& bytes, int delayMs = 0);
    void result(const QByteArray& text, int delayMs = 0);

    ModemScenario m_config;
    Mode m_mode = Mode::Command;
    bool m_echo = true;
    bool m_textMode = false;
    QByteArray m_line;
    QByteArray m_recipient;
    QByteArray m_text;
    int m_reference = 0;
    std::unique_ptr<Centre> m_centre;
    bool m_dropAtFirstByte = false;
    EscapeGuard m_guard;
    std::vector<Answer> m_out;
    std::vector<ModemMessage> m_messages;
    std::function<void(const ModemMessage&)> m_sink;
};

} // namespace kelvara::sim
