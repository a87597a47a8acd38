#include "app/PasswordCheck.h"

#include "app/AppContext.h"
#include "store/CookSettingsStore.h"
#include "store/Database.h"
#include "store/SystemStore.h"

namespace kelvara::app {

namespace {

bool isServicePassword(const QString& typed) {
    return typed.toUpper() == kServicePassword;
}

} // namespace

bool passwordAccepted(const std::optional<QString>& stored, const QString& typed) {
    if (isServicePassword(typed))
        return true;
    if (!stored || stored->trimmed().isEmpty())
        return true;
    return typed.toUpper() == stored->toUpper();
}

bool passwordAccepted(const StoredPassword& stored, const QString& typed) {
    return stored.rowFound ? passwordAccepted(stored.password, typed) : isServicePassword(typed);
}

StoredPassword readStoredPassword(const AppContext& ctx) {
    StoredPassword result;
    if (ctx.DatabaseMode.startsWith(QLatin1String("KVR"))) {
        if (ctx.databases.kvr && ctx.databases.kvr->isOpen()) {
            if (const auto row = store::SystemStore(*ctx.databases.kvr).load())
                result = {true, row->Password};
        }
    } else if (ctx.DatabaseMode == QLatin1String("Thermo")) {
        if (ctx.databases.thermo && ctx.databases.thermo->isOpen()) {
            if (const auto row = store::CookSettingsStore(*ctx.databases.thermo).load())
                result = {true, row->Password};
        }
    }
    return result;
}

} // namespace kelvara::app
