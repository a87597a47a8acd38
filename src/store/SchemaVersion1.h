#pragma once

#include "store/DatabaseKind.h"

#include <vector>

namespace kelvara::store {

// The schema as version 1 of each working database has it, in the SQL text that first wrote it. The first
// migration step builds from these texts and never from the live Schema, so an edit of the live tables
// cannot change what a file at version 1 holds. Later releases add steps; nothing here changes.
class SchemaVersion1 {
public:
    struct Column {
        const char* name;
        const char* definition; // as CREATE TABLE and ALTER TABLE ADD COLUMN take it
        bool key = false;       // the engine cannot add a key column to a table that exists
    };

    struct Table {
        const char* name;
        const char* createSql;
        std::vector<Column> columns;
    };

    // Empty for ThermoTypes, whose table is built from the shipped reference data.
    [[nodiscard]] static const std::vector<Table>& tables(DatabaseKind kind);
    // The CREATE INDEX statements, run after every table is there.
    [[nodiscard]] static const std::vector<const char*>& indexes(DatabaseKind kind);
};

} // namespace kelvara::store
