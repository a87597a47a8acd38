#include "sim/Modem.h"

#include "sim/TapCentre.h"
#include "sim/UcpCentre.h"

#include <cmath>

namespace kelvara::sim {

namespace {
constexpr char kCtrlZ = 0x1A;
constexpr char kEsc = 0x1B;
constexpr char kBackspace = 0x08;
constexpr double kCommaSeconds = 0.1;
const QByteArray kConnect = "CONNECT 9600";

int milliseconds(double seconds) {
    return static_cast<int>(std::lround(seconds * 1000.0));
}

QByteArray beforeFirstComma(const QByteArray& dialString) {
    const qsizetype comma = dialString.indexOf(',');
    return comma < 0 ? dialString : dialString.left(comma);
}

// The digits of a dial string before its first comma: the key of the number list.
QByteArray numberKey(const QByteArray& dialString) {
    QByteArray key;
    for (char c : beforeFirstComma(dialString)) {
        if (c >= '0' && c <= '9')
            key += c;
    }
    return key;
}
} // namespace

Modem::Modem(ModemScenario scenario) : m_config(std::move(scenario)) {}

std::vector<Answer> Modem::feed(QByteArrayView bytes, double nowSeconds) {
    std::vector<Answer> answers = due(nowSeconds);
    if (m_config.fault == ModemFault::Silent)
        return answers;
    for (char c : bytes) {
        switch (m_mode) {
        case Mode::Command:
            commandByte(c, nowSeconds);
            break;
        case Mode::SmsText:
            smsTextByte(c);
            break;
        case Mode::Data:
            dataByte(c, nowSeconds);
            break;
        }
    }
    for (Answer& answer : m_out)
        answers.push_back(std::move(answer));
    m_out.clear();
    return answers;
}

std::vector<Answer> Modem::due(double nowSeconds) {
    if (m_mode == Mode::Data && m_guard.escaped(nowSeconds)) {
        // Online command mode: the call stays up until ATH0.
        m_mode = Mode::Command;
        result("OK");
    }
    std::vector<Answer> answers;
    answers.swap(m_out);
    return answers;
}

std::optional<double> Modem::wakeAt() const {
    return m_mode == Mode::Data ? m_guard.completesAt() : std::nullopt;
}

void Modem::clientGone() {
    hangUp();
    m_mode = Mode::Command;
    m_line.clear();
    m_text.clear();
}

void Modem::commandByte(char c, double now) {
    if (m_echo)
        say(QByteArray(1, c));
    if (c == '\n')
        return;
    if (c == kBackspace) {
        m_line.chop(1);
        return;
    }
    if (c != '\r') {
        m_line += c;
        return;
    }
    // Whatever came before "AT" on the line (noise, an escape sent too late) is not part of the command.
    const QByteArray line = m_line;
    m_line.clear();
    const qsizetype at = line.toUpper().indexOf("AT");
    if (at >= 0)
        execute(line.mid(at + 2), now);
}

void Modem::execute(const QByteArray& command, double now) {
    const QByteArray upper = command.toUpper();
    if (upper.isEmpty() || upper == "V1" || upper == "Q0") {
        result("OK");
    } else if (upper == "E0" || upper == "E" || upper == "E1") {
        m_echo = upper == "E1";
        result("OK");
    } else if (upper == "Z" || upper == "&F") {
        hangUp();
        m_echo = true;
        m_textMode = false;
        result("OK");
    } else if (upper == "H" || upper == "H0") {
        hangUp();
        result("OK");
    } else if (m_config.kind == ModemKind::Gsm) {
        gsmCommand(command, upper);
    } else if (upper.startsWith('D')) {
        dial(command.mid(1), now);
    } else if (upper == "O" && m_centre) {
        m_mode = Mode::Data;
        m_guard.start(now);
        result(kConnect);
    } else if (upper == "O") {
        result("NO CARRIER");
    } else {
        result("ERROR");
    }
}

void Modem::gsmCommand(const QByteArray& command, const QByteArray& upper) {
    if (upper == "+CPIN?") {
        say(m_config.pin ? "\r\n+CPIN: SIM PIN\r\n" : "\r\n+CPIN: READY\r\n");
        result("OK");
    } else if (upper == "+CMGF=1" || upper == "+CMGF=0") {
        m_textMode = upper == "+CMGF=1";
        result("OK");
    } else if (upper.startsWith("+CMGS=")) {
        QByteArray number = command.mid(6).trimmed();
        if (number.size() >= 2 && number.startsWith('"') && number.endsWith('"'))
            number = number.mid(1, number.size() - 2);
        if (number.isEmpty() || number.contains('"'))
            result("ERROR");
        else if (m_config.pin)
            result("+CMS ERROR: 311"); // SIM PIN required
        else if (!m_textMode)
            result("+CMS ERROR: 302"); // not allowed in PDU mode
        else {
            m_recipient = number;
            m_text.clear();
            m_mode = Mode::SmsText;
            say("\r\n> ");
        }
    } else {
        result("ERROR");
    }
}

void Modem::smsTextByte(char c) {
    if (m_echo)
        say(QByteArray(1, c));
    if (c == kEsc) {
        m_mode = Mode::Command;
        result("OK");
        return;
    }
    if (c != kCtrlZ) {
        m_text += c;
        return;
    }
    m_mode = Mode::Command;
    if (m_config.fault == ModemFault::Reject) {
        result("+CMS ERROR: 500");
    } else if (m_config.fault == ModemFault::NoDialtone) {
        result("+CMS ERROR: 331"); // no network service
    } else {
        m_reference = m_reference % 255 + 1;
        accept({QStringLiteral("gsm"), QString::fromLatin1(m_recipient), QString::fromLatin1(m_text)});
        say("\r\n+CMGS: " + QByteArray::number(m_reference) + "\r\n");
        result("OK");
    }
}

void Modem::dial(QByteArray dialString, double now) {
    dialString = dialString.trimmed();
    if (dialString.startsWith('T') || dialString.startsWith('P') || dialString.startsWith('t') ||
        dialString.startsWith('p'))
        dialString.remove(0, 1);
    const bool voice = dialString.endsWith(';');
    if (voice)
        dialString.chop(1);
    if (dialString.isEmpty()) {
        result("ERROR");
        return;
    }
    hangUp();
    const double seconds = m_config.dialSeconds + kCommaSeconds * static_cast<double>(dialString.count(','));
    dialResult(dialString, voice, milliseconds(seconds), now + seconds);
}

void Modem::dialResult(const QByteArray& dialString, bool voice, int delayMs, double connectedAt) {
    if (m_config.fault == ModemFault::NoDialtone) {
        result("NO DIALTONE", delayMs);
        return;
    }
    if (m_config.fault == ModemFault::Reject) {
        result("NO CARRIER", delayMs);
        return;
    }
    const auto found = m_config.numbers.find(numberKey(dialString));
    const NumberConfig number = found == m_config.numbers.end() ? NumberConfig{} : found->second;
    if (number.fault == LineFault::Busy) {
        result("BUSY", delayMs);
    } else if (number.fault == LineFault::NoAnswer || number.farEnd == FarEndKind::Nothing) {
        result("NO ANSWER", delayMs);
    } else if (voice && number.fault == LineFault::NoCarrier) {
        result("NO CARRIER", delayMs);
    } else if (voice) {
        // A voice call: the modem cannot tell who picked up, so OK comes whoever it was.
        if (number.farEnd == FarEndKind::Pager) {
            QByteArray digits = dialString.mid(dialString.lastIndexOf(',') + 1);
            if (!dialString.contains(','))
                digits.clear();
            if (digits.endsWith('#'))
                digits.chop(1);
            accept({QStringLiteral("page"), QString::fromLatin1(beforeFirstComma(dialString)),
                    QString::fromLatin1(digits)});
        }
        result("OK", delayMs);
    } else if (number.farEnd == FarEndKind::Pager) {
        // A pager service is a voice line; no modem answers a data call there.
        result("NO CARRIER", delayMs);
    } else {
        if (number.farEnd == FarEndKind::Tap)
            m_centre = std::make_unique<TapCentre>(number.password, number.fault);
        else
            m_centre = std::make_unique<UcpCentre>(number.password, number.fault);
        m_dropAtFirstByte = number.fault == LineFault::NoCarrier;
        m_mode = Mode::Data;
        m_guard.start(connectedAt);
        result(kConnect, delayMs);
    }
}

void Modem::dataByte(char c, double now) {
    const QByteArray onward = m_guard.take(QByteArrayView(&c, 1), now);
    if (onward.isEmpty())
        return;
    if (m_dropAtFirstByte) {
        hangUp();
        result("NO CARRIER");
        return;
    }
    CentreReply reply = m_centre->receive(onward);
    say(reply.bytes);
    for (const ModemMessage& message : reply.messages)
        accept(message);
    if (reply.hangUp) {
        hangUp();
        result("NO CARRIER");
    }
}

void Modem::hangUp() {
    m_centre.reset();
    m_dropAtFirstByte = false;
    if (m_mode == Mode::Data)
        m_mode = Mode::Command;
}

void Modem::accept(const ModemMessage& message) {
    m_messages.push_back(message);
    if (m_sink)
        m_sink(message);
}

void Modem::say(const QByteArray& bytes, int delayMs) {
    if (bytes.isEmpty())
        return;
    delayMs += milliseconds(m_config.lateSeconds);
    if (!m_out.empty() && m_out.back().delayMs == delayMs)
        m_out.back().bytes += bytes;
    else
        m_out.push_back({bytes, delayMs});
}

void Modem::result(const QByteArray& text, int delayMs) {
    say("\r\n" + text + "\r\n", delayMs);
}

} // namespace kelvara::sim
