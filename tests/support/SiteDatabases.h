#pragma once

#include "app/AppContext.h"
#include "store/Database.h"
#include "support/TempSite.h"

#include <memory>

namespace kelvara::test {

// A new database of this kind in the site folder, under its usual file name, opened.
std::unique_ptr<store::Database> createOpenDatabase(const TempSite& site, store::DatabaseKind kind);

// Gives the context new, open databases of the sides its DatabaseMode names, in the site folder; the cook
// side's with the settings row start-up adds.
void openSiteDatabases(app::AppContext& ctx, const TempSite& site);

} // namespace kelvara::test
