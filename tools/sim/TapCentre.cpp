#include "sim/TapCentre.h"

#include <QList>

namespace kelvara::sim {

namespace {
const QByteArray kId = "ID=";
const QByteArray kLogOn = QByteArray(1, TapCentre::kEsc) + "PG1";
const QByteArray kWelcome = QByteArray("110 1.8\r") + TapCentre::kAck + "\r" + TapCentre::kEsc + "[p\r";
const QByteArray kGoodbye = QByteArray(1, TapCentre::kEsc) + TapCentre::kEot + "\r";
const QByteArray kThanks = "115 Thank you\r";
const QByteArray kPageSent = "211 Page Sent\r";
} // namespace

QByteArray TapCentre::checksum(QByteArrayView block) {
    unsigned sum = 0;
    for (char c : block)
        sum += static_cast<unsigned char>(c);
    QByteArray text(3, '0');
    text[0] = static_cast<char>(0x30 + ((sum >> 8) & 0x0F));
    text[1] = static_cast<char>(0x30 + ((sum >> 4) & 0x0F));
    text[2] = static_cast<char>(0x30 + (sum & 0x0F));
    return text;
}

CentreReply TapCentre::receive(QByteArrayView bytes) {
    CentreReply reply;
    if (m_state == State::Gone || m_fault == LineFault::Silent)
        return reply;
    m_buffer += bytes;
    if (m_state == State::Greeting)
        greeting(reply);
    if (m_state == State::LoggedOn)
        loggedOn(reply);
    return reply;
}

void TapCentre::greeting(CentreReply& reply) {
    // Every CR before a log-on is a caller asking for the id prompt; the log-on line starts with ESC.
    for (qsizetype cr = m_buffer.indexOf('\r'); cr >= 0 && m_state == State::Greeting;
         cr = m_buffer.indexOf('\r')) {
        const QByteArray line = m_buffer.left(cr);
        m_buffer.remove(0, cr + 1);
        const qsizetype esc = line.indexOf(kEsc);
        if (esc < 0)
            reply.bytes += kId;
        else
            logOn(QByteArrayView(line).sliced(esc), reply);
    }
}

void TapCentre::logOn(QByteArrayView line, CentreReply& reply) {
    if (line.startsWith(kLogOn) && line.sliced(kLogOn.size()) == m_password) {
        reply.bytes += kWelcome;
        m_state = State::LoggedOn;
        return;
    }
    reply.bytes += kGoodbye;
    reply.hangUp = true;
    m_state = State::Gone;
}

void TapCentre::loggedOn(CentreReply& reply) {
    for (;;) {
        const qsizetype stx = m_buffer.indexOf(kStx);
        const qsizetype eot = m_buffer.indexOf(QByteArray(1, kEot) + '\r');
        if (eot >= 0 && (stx < 0 || eot < stx)) {
            reply.bytes += kThanks + kGoodbye;
            reply.hangUp = true;
            m_state = State::Gone;
            m_buffer.clear();
            return;
        }
        if (stx < 0) {
            // Nothing but line noise or CR LF between blocks so far; an EOT may still get its CR.
            m_buffer = m_buffer.endsWith(kEot) ? QByteArray(1, kEot) : QByteArray();
            return;
        }
        m_buffer.remove(0, stx);
        const qsizetype etx = m_buffer.indexOf(kEtx);
        // ETX, three checksum characters and a CR complete the block.
        if (etx < 0 || m_buffer.size() < etx + 5)
            return;
        const QByteArray whole = m_buffer.left(etx + 5);
        m_buffer.remove(0, etx + 5);
        block(whole, reply);
    }
}

void TapCentre::block(QByteArrayView whole, CentreReply& reply) {
    const qsizetype etx = whole.indexOf(kEtx);
    const QByteArrayView sum = whole.sliced(etx + 1, 3);
    if (whole.back() != '\r' || sum != checksum(whole.first(etx + 1)) || whole.size() > kMaxBlock ||
        m_fault == LineFault::Nak) {
        reply.bytes += QByteArray(1, kNak) + '\r';
        return;
    }
    if (m_fault == LineFault::Reject) {
        reply.bytes += QByteArray(1, kRs) + '\r';
        return;
    }
    // STX, the pager id and its CR, then each field and its CR, then ETX.
    QList<QByteArray> fields = whole.sliced(1, etx - 1).toByteArray().split('\r');
    if (fields.size() > 1 && fields.back().isEmpty())
        fields.removeLast();
    ModemMessage message{QStringLiteral("tap"), QString::fromLatin1(fields.front()), {}};
    for (qsizetype i = 1; i < fields.size(); ++i)
        message.text += QString::fromLatin1(fields[i]) + QStringLiteral("\r\n");
    reply.messages.push_back(message);
    reply.bytes += kPageSent + kAck + '\r';
}

} // namespace kelvara::sim
