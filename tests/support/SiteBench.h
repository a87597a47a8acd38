#pragma once

#include "app/AppContext.h"
#include "sensornet/AdapterLink.h"
#include "support/FakeClock.h"
#include "support/Ha5Commands.h"
#include "support/RecordedDialogs.h"
#include "support/ScriptedPort.h"
#include "support/SiteDatabases.h"
#include "support/TempSite.h"

namespace kelvara::test {

// A throw-away site with new, open databases of the sides its mode names ("KVR", "Thermo" or "KVRThermo"),
// and the context the program would hold for it, speaking the HA5 adapter's commands. For fixtures to derive
// from, before the members that take the context.
struct SiteContext {
    explicit SiteContext(const QString& mode = QStringLiteral("KVR")) {
        ctx.siteDir = site.path();
        ctx.DatabaseMode = mode;
        ctx.commands = ha5Commands();
        openSiteDatabases(ctx, site);
    }

    TempSite site;
    app::AppContext ctx;
};

// An adapter link over a port scripted on a fake clock; the port is the link's pause too, so every wait moves
// the clock on instead of passing real time.
struct ScriptedAdapter {
    explicit ScriptedAdapter(sensornet::ExchangeRules rules, base::ErrorReporter* errors = nullptr)
        : link(port, clock, port, dialogs, rules, errors) {}

    FakeClock clock;
    ScriptedPort port{clock};
    RecordedDialogs dialogs;
    sensornet::AdapterLink link;
};

} // namespace kelvara::test
