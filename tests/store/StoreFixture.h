#pragma once

#include "store/Database.h"
#include "store/DatabaseKind.h"
#include "support/SiteDatabases.h"
#include "support/TempSite.h"

#include <QSqlQuery>
#include <QSqlRecord>
#include <QStringList>
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
    // Each row of a query straight on the file, its columns joined by "|".
    static QStringList rows(const store::Database& db, const QString& sql) {
        QSqlQuery query(db.connection());
        QStringList rows;
        if (query.exec(sql))
            while (query.next()) {
                QStringList columns;
                for (int i = 0; i < query.record().count(); ++i)
                    columns << query.value(i).toString();
                rows << columns.join(u'|');
            }
        return rows;
    }

    TempSite site;
};

} // namespace kelvara::test
