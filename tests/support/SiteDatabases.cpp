#include "support/SiteDatabases.h"

#include "store/CookSettingsStore.h"

#include <gtest/gtest.h>

namespace kelvara::test {

std::unique_ptr<store::Database> createOpenDatabase(const TempSite& site, store::DatabaseKind kind) {
    const QString path = site.file(store::databaseFileName(kind));
    const auto created = store::createDatabase(path, kind);
    EXPECT_TRUE(created.ok()) << created.error().toStdString();
    auto db = std::make_unique<store::Database>(kind);
    const auto opened = db->open(path);
    EXPECT_TRUE(opened.ok()) << opened.error().toStdString();
    return db;
}

void openSiteDatabases(app::AppContext& ctx, const TempSite& site) {
    if (ctx.hasZoneSide())
        ctx.databases.kvr = createOpenDatabase(site, store::DatabaseKind::Kvr);
    if (ctx.hasCookSide()) {
        ctx.databases.thermo = createOpenDatabase(site, store::DatabaseKind::Thermo);
        EXPECT_TRUE(store::CookSettingsStore(*ctx.databases.thermo).ensureRow().ok());
    }
}

} // namespace kelvara::test
