#include "store/Databases.h"

namespace kelvara::store {

void Databases::closeDatabases() {
    if (kvr)
        kvr->close();
    if (thermo)
        thermo->close();
}

} // namespace kelvara::store
