#pragma once

#include "base/Result.h"

#include <QString>

namespace kelvara::store {
class Database;
}

namespace kelvara::main {

// Writes why an export failed on standard error; the exit code of a failed export.
int exportFailed(const QString& text);

// Opens the site's KVR.db for an export; the site without one gets the message a start-up would give.
[[nodiscard]] base::Result<void> openSiteKvr(store::Database& kvr, const QString& siteDir);

} // namespace kelvara::main
