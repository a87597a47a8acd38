#pragma once

#include "sim/Centre.h"
#include "sim/NumberConfig.h"

namespace kelvara::sim {

// A paging centre speaking the block protocol: it asks for the caller's id when a CR comes, checks the log-on
// password, takes blocks of fields (pager id first) and acknowledges each one, and says goodbye on EOT.
class TapCentre final : public Centre {
public:
    static constexpr char kStx = 0x02;
    static constexpr char kEtx = 0x03;
    static constexpr char kEot = 0x04;
    static constexpr char kAck = 0x06;
    static constexpr char kNak = 0x15;
    static constexpr char kRs = 0x1E;
    static constexpr char kEsc = 0x1B;
    // A block from STX to the CR after its checksum; a longer one is answered NAK.
    static constexpr qsizetype kMaxBlock = 250;

    TapCentre(QByteArray password, LineFault fault) : m_password(std::move(password)), m_fault(fault) {}

    [[nodiscard]] CentreReply receive(QByteArrayView bytes) override;

    // The three checksum characters of the bytes from STX to ETX, both included.
    [[nodiscard]] static QByteArray checksum(QByteArrayView block);

private:
    enum class State { Greeting, LoggedOn, Gone };

    void greeting(CentreReply& reply);
    void logOn(QByteArrayView line, CentreReply& reply);
    void loggedOn(CentreReply& reply);
    void block(QByteArrayView block, CentreReply& reply);

    QByteArray m_password;
    LineFault m_fault;
    State m_state = State::Greeting;
    QByteArray m_buffer;
};

} // namespace kelvara::sim
