#pragma once

#include "sim/Centre.h"
#include "sim/NumberConfig.h"

#include <QList>

namespace kelvara::sim {

// A short-message centre speaking the framed protocol: STX, TRN/LEN/O|R/OT/fields.../CHK, ETX. It answers
// session log-ons (operation 60) and call inputs (operation 01), and answers every frame it cannot take
// with a negative acknowledgement and an error code.
class UcpCentre final : public Centre {
public:
    static constexpr char kStx = 0x02;
    static constexpr char kEtx = 0x03;
    // Error codes of negative acknowledgements.
    static constexpr char kChecksumError[] = "01";
    static constexpr char kSyntaxError[] = "02";
    static constexpr char kNotSupported[] = "03";
    static constexpr char kNotAllowed[] = "04";
    static constexpr char kAuthenticationFailure[] = "07";
    // The longest text one call input may carry.
    static constexpr qsizetype kMaxText = 160;

    UcpCentre(QByteArray password, LineFault fault) : m_password(std::move(password)), m_fault(fault) {}

    [[nodiscard]] CentreReply receive(QByteArrayView bytes) override;

    // The two upper-case hexadecimal digits of the sum of the bytes, modulo 256.
    [[nodiscard]] static QByteArray checksum(QByteArrayView bytes);
    // A whole frame, STX to ETX, around TRN/LEN/<rest>/CHK with LEN and CHK filled in; `rest` ends with "/".
    [[nodiscard]] static QByteArray frame(QByteArrayView trn, QByteArrayView rest);

private:
    [[nodiscard]] QByteArray answer(QByteArrayView body, CentreReply& reply);
    [[nodiscard]] QByteArray logOn(const QList<QByteArray>& fields);
    [[nodiscard]] QByteArray callInput(const QList<QByteArray>& fields, CentreReply& reply);

    QByteArray m_password;
    LineFault m_fault;
    bool m_loggedOn = false;
    int m_accepted = 0;
    QByteArray m_buffer;
};

} // namespace kelvara::sim
