#pragma once

#include "sim/ModemMessage.h"

#include <QByteArray>
#include <QByteArrayView>
#include <vector>

namespace kelvara::sim {

// What a message centre sends back for the bytes it received, whether it hangs up after that, and the message
// parts it accepted.
struct CentreReply {
    QByteArray bytes;
    bool hangUp = false;
    std::vector<ModemMessage> messages;
};

// The far end of a data call: a message centre behind a dialled number. Bytes in, bytes out, no time.
class Centre {
public:
    virtual ~Centre() = default;
    [[nodiscard]] virtual CentreReply receive(QByteArrayView bytes) = 0;
};

} // namespace kelvara::sim
