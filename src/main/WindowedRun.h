#pragma once

#include <QString>

namespace kelvara::app {
struct AppContext;
}

namespace kelvara::main {

// A picture of the main window to take after some seconds of monitoring, ending the run.
struct Screenshot {
    QString file;
    int afterSeconds = 0;
};

// Runs a site with its main window until the window closes; returns the process exit code.
[[nodiscard]] int runWindowed(app::AppContext& ctx, const Screenshot& screenshot = {});

} // namespace kelvara::main
