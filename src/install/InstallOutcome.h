#pragma once

#include "install/InstallProblem.h"

#include <vector>

namespace kelvara::install {

// How an installation command ended, with the failures met on the way (each one is shown to the user).
struct InstallOutcome {
    enum class State {
        Done,
        PortNotOpen,  // the adapter reset could not open the port; the user has been told why
        NothingFound, // a search found no device of the kind asked for
        Cancelled,    // the user answered No; nothing was written
        Failed,       // the database failed; nothing was written and the stored installation is as it was
    };

    State state = State::Done;
    std::vector<InstallProblem> problems;

    [[nodiscard]] bool done() const { return state == State::Done; }
};

} // namespace kelvara::install
