#pragma once

namespace kelvara::app {

struct AppContext;

// Runs a site without windows until SIGINT or SIGTERM; returns the process exit code.
[[nodiscard]] int runHeadless(AppContext& ctx);

} // namespace kelvara::app
