#pragma once

#include "store/Database.h"
#include "store/DatabaseKind.h"
#include "support/SiteDatabases.h"
#include "support/TempSite.h"

#include <QSqlQuery>
#include <QVariant>
#include <gtest/gtest.h>
#include <memory>

namespace kelvara::test {

// A new, open database of one kind in a throw-away site folder.
class StoreFixture : public ::testing::Test {
protected:
    std::unique_ptr<store::Database> create(store::DatabaseKind kind) {
        return createOpenDatabase(site, kind);
    }

    // One value read straight from the file, bypassing the stores.
    static QVariant scalar(const store::Database& db, const QString& sql) {
        QSqlQuery query(db.connection());
        if (!query.exec(sql) || !query.next())
            return {};
        return query.value(0);
    }

    TempSite site;
};

} // namespace kelvara::test
