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
    return stored.ok() ? passwordAccepted(stored.value(), typed) : isServicePassword(typed);
}

StoredPassword readStoredPassword(const AppContext& ctx) {
    if (ctx.hasZoneSide()) {
        if (!ctx.databases.kvr || !ctx.databases.kvr->isOpen())
            return base::fail(QStringLiteral("The zone database is not open."));
        const auto row = store::SystemStore(*ctx.databases.kvr).load();
        if (!row)
            return row.failure();
        return row->Password;
    }
    if (!ctx.databases.thermo || !ctx.databases.thermo->isOpen())
        return base::fail(QStringLiteral("The cook database is not open."));
    const auto row = store::CookSettingsStore(*ctx.databases.thermo).load();
    if (!row)
        return row.failure();
    return row->Password;
}

} // namespace kelvara::app
