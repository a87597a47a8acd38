#pragma once

namespace kelvara::app {
struct AppContext;
}

namespace kelvara::main {

// Runs a site without windows until SIGINT or SIGTERM; returns the process exit code.
[[nodiscard]] int runHeadless(app::AppContext& ctx);

} // namespace kelvara::main
