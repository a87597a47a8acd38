#pragma once

#include "store/Database.h"

#include <memory>

namespace kelvara::store {

// The working databases of a running site; a side that is not installed has none.
struct Databases {
    std::unique_ptr<Database> kvr;
    std::unique_ptr<Database> thermo;

    // Closes whatever is open on both sides (compaction needs the files to itself); the objects stay,
    // ready to be opened again.
    void closeDatabases();
};

} // namespace kelvara::store
