#pragma once

#include <QDate>
#include <optional>

namespace kelvara::app {
struct AppContext;
}

namespace kelvara::main {

// What the maintenance options asked for: a purge up to a day (archived first or not), then a compaction;
// or a compaction alone.
struct MaintenanceRequest {
    std::optional<QDate> purgeTo;
    bool archive = false;
};

// Runs a purge and/or a compaction of the site without windows, holding the site as a running copy would;
// what was archived, deleted and compacted goes to standard output, every failure to standard error. Returns
// the process exit code: 0 only when everything was done.
[[nodiscard]] int runMaintenance(app::AppContext& ctx, const MaintenanceRequest& request);

} // namespace kelvara::main
