#pragma once

#include <QByteArray>
#include <QString>

namespace kelvara::sim {

// One message part the far end accepted: how it came ("gsm", "tap", "ucp" or "page"), to whom, and its text.
struct ModemMessage {
    QString via;
    QString to;
    QString text;

    // The compact JSON object the simulator prints for it, without a line end.
    [[nodiscard]] QByteArray jsonLine() const;

    friend bool operator==(const ModemMessage&, const ModemMessage&) = default;
};

} // namespace kelvara::sim
