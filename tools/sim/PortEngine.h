#pragma once

#include "sim/Answer.h"

#include <QByteArrayView>
#include <optional>
#include <vector>

namespace kelvara::sim {

// What the pseudo-terminal serves: bytes in with the time they came, answers out, each with its delay. An
// engine that acts on the passing of time (a modem's escape guard) names the moment it wants to be asked
// again; the caller owns the port and the timers.
class PortEngine {
public:
    virtual ~PortEngine() = default;

    // `nowSeconds` counts from the start of the run.
    [[nodiscard]] virtual std::vector<Answer> feed(QByteArrayView bytes, double nowSeconds) = 0;
    // Answers that are due because time has passed without input.
    [[nodiscard]] virtual std::vector<Answer> due(double /*nowSeconds*/) { return {}; }
    // When `due` next has something to say, if anything is waiting for time to pass.
    [[nodiscard]] virtual std::optional<double> wakeAt() const { return std::nullopt; }
    // The last client closed the port.
    virtual void clientGone() = 0;
};

} // namespace kelvara::sim
