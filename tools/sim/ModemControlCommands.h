#pragma once

#include "sim/Modem.h"

#include <QString>
#include <QStringView>

namespace kelvara::sim {

// The control language of the modem: one line in, one line out. Sets the modem's and the numbers' faults and
// the answers' lateness while it runs, and counts the accepted message parts. Listed in the README.
class ModemControlCommands {
public:
    explicit ModemControlCommands(Modem& modem) : m_modem(modem) {}

    [[nodiscard]] QString execute(QStringView line);

private:
    [[nodiscard]] QString numberFault(const QString& digits, const QString& kind);

    Modem& m_modem;
};

} // namespace kelvara::sim
