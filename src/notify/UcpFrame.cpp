#include "notify/UcpFrame.h"

namespace kelvara::notify::ucp {

namespace {

constexpr int kLengthDigits = 5;
constexpr int kChecksumDigits = 2;

QByteArray twoDigits(int n) {
    return QByteArray::number(n % 100).rightJustified(2, '0');
}

} // namespace

QByteArray checksum(const QByteArray& bytes) {
    unsigned sum = 0;
    for (const char c : bytes)
        sum += static_cast<unsigned char>(c);
    return QByteArray::number(sum & 0xFFu, 16).toUpper().rightJustified(kChecksumDigits, '0');
}

QByteArray iraHex(const QString& text) {
    return text.toLatin1().toHex().toUpper();
}

QByteArray operationFrame(int trn, const QByteArray& operation, const QList<QByteArray>& fields) {
    QByteArray rest = "/O/" + operation + '/';
    for (const QByteArray& f : fields)
        rest += f + '/';
    const qsizetype length = 2 + 1 + kLengthDigits + rest.size() + kChecksumDigits;
    const QByteArray body =
        twoDigits(trn) + '/' + QByteArray::number(length).rightJustified(kLengthDigits, '0') + rest;
    return kStx + body + checksum(body) + kEtx;
}

QByteArray logOnFrame(int trn, const QString& sender, const QString& password) {
    // OAdC, OTON 6, ONPI 5, STYP 1 (open session), PWD, NPWD, VERS, LAdC, LTON, LNPI, OPID, RES1.
    return operationFrame(
        trn, "60", {sender.toLatin1(), "6", "5", "1", iraHex(password), {}, "0100", {}, {}, {}, {}, {}});
}

QByteArray callInputFrame(int trn, const QString& recipient, const QString& text) {
    // AdC, OAdC, AC, MT 3 (alphanumeric), the message.
    return operationFrame(trn, "01", {recipient.toLatin1(), {}, {}, "3", iraHex(text)});
}

std::optional<Reply> parseReply(const QByteArray& body) {
    const qsizetype lastSlash = body.lastIndexOf('/');
    if (lastSlash < 0 || body.size() - lastSlash - 1 != kChecksumDigits)
        return std::nullopt;
    if (checksum(body.left(lastSlash + 1)) != body.mid(lastSlash + 1))
        return std::nullopt;
    const QList<QByteArray> f = body.left(lastSlash).split('/');
    bool trnOk = false;
    bool lengthOk = false;
    if (f.size() < 5 || f[2] != "R")
        return std::nullopt;
    Reply r;
    r.trn = f[0].toInt(&trnOk);
    if (!trnOk || f[1].toInt(&lengthOk) != body.size() || !lengthOk)
        return std::nullopt;
    r.operation = f[3];
    r.positive = f[4] == "A";
    if (r.positive) {
        r.systemMessage = f.size() > 5 ? QString::fromLatin1(f[5]) : QString();
    } else if (f[4] == "N") {
        r.errorCode = f.size() > 5 ? QString::fromLatin1(f[5]) : QString();
        r.text = f.size() > 6 ? QString::fromLatin1(f[6]) : QString();
    } else {
        return std::nullopt;
    }
    return r;
}

std::optional<QByteArray> takeFrame(QByteArray& buffer) {
    const qsizetype etx = buffer.indexOf(kEtx);
    if (etx < 0)
        return std::nullopt;
    // A frame cut off by a newer one is dropped with the bytes before it.
    const qsizetype stx = buffer.lastIndexOf(kStx, etx);
    if (stx < 0) {
        buffer.remove(0, etx + 1);
        return takeFrame(buffer);
    }
    QByteArray body = buffer.mid(stx + 1, etx - stx - 1);
    buffer.remove(0, etx + 1);
    return body;
}

} // namespace kelvara::notify::ucp
