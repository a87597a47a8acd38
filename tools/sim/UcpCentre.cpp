#include "sim/UcpCentre.h"

#include "sim/Hex.h"

namespace kelvara::sim {

namespace {
// TRN, LEN, O or R, OT and CHK around the operation's own fields.
constexpr qsizetype kFramingFields = 5;
constexpr qsizetype kLogOnFields = 12;
constexpr qsizetype kCallInputFields = 5;

QByteArray positive(QByteArrayView ot, QByteArrayView sm) {
    return "R/" + ot.toByteArray() + "/A/" + sm.toByteArray() + "/";
}

QByteArray negative(QByteArrayView ot, const char* code, const char* text) {
    return "R/" + ot.toByteArray() + "/N/" + code + "/" + text + "/";
}

bool isDigits(QByteArrayView text, qsizetype count) {
    if (text.size() != count)
        return false;
    for (char c : text) {
        if (c < '0' || c > '9')
            return false;
    }
    return true;
}
} // namespace

QByteArray UcpCentre::checksum(QByteArrayView bytes) {
    return hexByte(lineChecksum(bytes));
}

QByteArray UcpCentre::frame(QByteArrayView trn, QByteArrayView rest) {
    // TRN "/" LEN "/" rest CHK: two, one, five, one, the rest and two characters.
    const qsizetype length = trn.size() + 1 + 5 + 1 + rest.size() + 2;
    const QByteArray body = trn.toByteArray() + '/' + QByteArray::number(length).rightJustified(5, '0') +
                            '/' + rest.toByteArray();
    return kStx + body + checksum(body) + kEtx;
}

CentreReply UcpCentre::receive(QByteArrayView bytes) {
    CentreReply reply;
    m_buffer += bytes;
    for (;;) {
        const qsizetype stx = m_buffer.indexOf(kStx);
        if (stx < 0) {
            m_buffer.clear();
            break;
        }
        m_buffer.remove(0, stx);
        const qsizetype etx = m_buffer.indexOf(kEtx);
        if (etx < 0)
            break;
        // A second STX before the ETX starts the frame again.
        const qsizetype restart = m_buffer.lastIndexOf(kStx, etx);
        const QByteArray body = m_buffer.mid(restart + 1, etx - restart - 1);
        m_buffer.remove(0, etx + 1);
        reply.bytes += answer(body, reply);
    }
    if (m_fault == LineFault::Silent)
        return {};
    return reply;
}

QByteArray UcpCentre::answer(QByteArrayView body, CentreReply& reply) {
    const QList<QByteArray> fields = body.toByteArray().split('/');
    // The answer carries the frame's own TRN and OT where they can be read.
    const QByteArray trn = !fields.isEmpty() && isDigits(fields[0], 2) ? fields[0] : QByteArray("00");
    const QByteArray ot = fields.size() > 3 && isDigits(fields[3], 2) ? fields[3] : QByteArray("01");
    if (fields.size() < kFramingFields || !isDigits(fields[1], 5) || fields[2] != "O")
        return frame(trn, negative(ot, kSyntaxError, "Syntax error"));
    const QByteArrayView chk = body.last(2);
    if (chk != checksum(body.first(body.size() - 2)))
        return frame(trn, negative(ot, kChecksumError, "Checksum error"));
    if (fields[1].toInt() != body.size())
        return frame(trn, negative(ot, kSyntaxError, "Syntax error"));
    if (m_fault == LineFault::Nak)
        return frame(trn, negative(ot, kSyntaxError, "Syntax error"));
    if (m_fault == LineFault::Reject)
        return frame(trn, negative(ot, kNotAllowed, "Operation not allowed"));
    const QList<QByteArray> own = fields.mid(4, fields.size() - kFramingFields);
    if (ot == "60")
        return frame(trn, logOn(own));
    if (ot == "01")
        return frame(trn, callInput(own, reply));
    return frame(trn, negative(ot, kNotSupported, "Operation not supported"));
}

QByteArray UcpCentre::logOn(const QList<QByteArray>& fields) {
    if (fields.size() != kLogOnFields)
        return negative("60", kSyntaxError, "Syntax error");
    // OAdC, OTON, ONPI, STYP, PWD, ...
    const auto password = parseHexBytes(fields[4]);
    if (!password)
        return negative("60", kSyntaxError, "Syntax error");
    if (*password != m_password)
        return negative("60", kAuthenticationFailure, "Authentication failure");
    m_loggedOn = true;
    return positive("60", {});
}

QByteArray UcpCentre::callInput(const QList<QByteArray>& fields, CentreReply& reply) {
    if (fields.size() != kCallInputFields)
        return negative("01", kSyntaxError, "Syntax error");
    if (!m_password.isEmpty() && !m_loggedOn)
        return negative("01", kAuthenticationFailure, "Authentication failure");
    // AdC, OAdC, AC, MT, then the message: IRA hex for MT 3, digits for MT 2.
    const QByteArray& mt = fields[3];
    std::optional<QByteArray> text;
    if (mt == "3")
        text = parseHexBytes(fields[4]);
    else if (mt == "2")
        text = fields[4];
    if (fields[0].isEmpty() || !text || text->size() > kMaxText)
        return negative("01", kSyntaxError, "Syntax error");
    reply.messages.push_back(
        {QStringLiteral("ucp"), QString::fromLatin1(fields[0]), QString::fromLatin1(*text)});
    ++m_accepted;
    // The short message's id: the recipient and a running number.
    return positive("01", fields[0] + ':' + QByteArray::number(m_accepted).rightJustified(12, '0'));
}

} // namespace kelvara::sim
