#include "notify/TapBlocks.h"

#include "notify/SmsError.h"
#include "notify/SmsText.h"

namespace kelvara::notify::tap {

namespace {

// STX, the pager id's CR, ETX, three checksum characters and the closing CR.
constexpr int kBlockFrame = 7;

QByteArray finished(QByteArray block) {
    block += kEtx;
    block += checksum(block);
    block += '\r';
    return block;
}

} // namespace

QByteArray checksum(const QByteArray& stxToEtx) {
    unsigned sum = 0;
    for (const char c : stxToEtx)
        sum += static_cast<unsigned char>(c);
    sum &= 0xFFFu;
    QByteArray out;
    for (int shift = 8; shift >= 0; shift -= 4)
        out += static_cast<char>(((sum >> shift) & 0xFu) + 0x30);
    return out;
}

base::Result<QList<QByteArray>> buildBlocks(const QString& pagerId, const QStringList& fields) {
    const QByteArray head = kStx + withoutControlCharacters(pagerId, false).toLatin1() + '\r';
    // Each field takes its own CR as well.
    const qsizetype room = kBlockLength - (head.size() - 2) - kBlockFrame - 1;
    if (room < 1)
        return base::fail(smsErrorText(kSmsTooLong), kSmsTooLong);
    QList<QByteArray> pieces;
    for (const QString& field : fields) {
        QByteArray bytes = withoutControlCharacters(field, false).toLatin1();
        while (bytes.size() > room) {
            pieces << bytes.left(room);
            bytes.remove(0, room);
        }
        pieces << bytes;
    }
    QList<QByteArray> blocks;
    QByteArray block = head;
    for (const QByteArray& piece : pieces) {
        if (block.size() + piece.size() + 1 + (kBlockFrame - 2) > kBlockLength) {
            blocks << finished(block);
            block = head;
        }
        block += piece + '\r';
    }
    blocks << finished(block);
    if (blocks.size() > kMostParts)
        return base::fail(smsErrorText(kSmsTooLong), kSmsTooLong);
    return blocks;
}

QByteArray logOn(const QString& password) {
    return QByteArray(1, kEsc) + "PG1" + password.toLatin1() + '\r';
}

} // namespace kelvara::notify::tap
