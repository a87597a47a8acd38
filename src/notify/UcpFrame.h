#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

namespace kelvara::notify::ucp {

inline constexpr char kStx = 0x02;
inline constexpr char kEtx = 0x03;

// A centre's reply as read from one frame.
struct Reply {
    int trn = -1;
    QByteArray operation; // "01", "60"
    bool positive = false;
    QString systemMessage; // SM of a positive reply
    QString errorCode;     // EC of a negative reply
    QString text;          // the text of a negative reply
};

// Two upper-case hex digits: the sum of the bytes, modulo 256.
[[nodiscard]] QByteArray checksum(const QByteArray& bytes);

// Each character's Latin-1 byte as two upper-case hex digits.
[[nodiscard]] QByteArray iraHex(const QString& text);

// An operation frame: STX, TRN/LEN/O/operation/fields.../CHK, ETX.
[[nodiscard]] QByteArray operationFrame(int trn, const QByteArray& operation,
                                        const QList<QByteArray>& fields);

// The log-on (operation 60) for the sender's address and the password.
[[nodiscard]] QByteArray logOnFrame(int trn, const QString& sender, const QString& password);

// A call input (operation 01): the text to the recipient.
[[nodiscard]] QByteArray callInputFrame(int trn, const QString& recipient, const QString& text);

// The reply in one frame's body (between STX and ETX); none when its length or checksum is wrong or it is
// not a reply.
[[nodiscard]] std::optional<Reply> parseReply(const QByteArray& body);

// Removes the first whole frame from the buffer and gives its body; bytes before its STX are dropped with it.
// None while no whole frame has arrived.
[[nodiscard]] std::optional<QByteArray> takeFrame(QByteArray& buffer);

} // namespace kelvara::notify::ucp
