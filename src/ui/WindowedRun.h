#pragma once

namespace kelvara::app {
struct AppContext;
}

namespace kelvara::ui {

// Runs a site with its main window until the window closes; returns the process exit code.
[[nodiscard]] int runWindowed(app::AppContext& ctx);

} // namespace kelvara::ui
