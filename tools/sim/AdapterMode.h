#pragma once

namespace kelvara::sim {

enum class AdapterMode {
    Normal,
    Silent, // takes every command and answers none
    Closed, // the port is unplugged: the pseudo-terminal goes away until the adapter is normal again
};

} // namespace kelvara::sim
