#pragma once

#include "base/Result.h"
#include "store/DatabaseKind.h"

#include <QSqlDatabase>

namespace kelvara::store {

// Brings a database's schema up to this release, step by step, counting in PRAGMA user_version.
class Migrations {
public:
    // The version a database of this kind has once every step has run.
    [[nodiscard]] static int currentVersion(DatabaseKind kind);

    // The version the file records (0 for a file no release has touched yet).
    [[nodiscard]] static base::Result<int> storedVersion(QSqlDatabase& db);

    // Runs every step above the stored version, each in its own transaction, so a failure leaves the
    // file at the last version that completed. A file that holds nothing yet is given the live Schema and
    // the current version at once.
    [[nodiscard]] static base::Result<void> apply(QSqlDatabase& db, DatabaseKind kind);
};

} // namespace kelvara::store
