#include "app/AppContext.h"

#include "store/Database.h"

namespace kelvara::app {

AppContext::AppContext() = default;
AppContext::~AppContext() = default;

} // namespace kelvara::app
