#pragma once

#include "app/UserSettings.h"
#include "support/FakeClock.h"
#include "support/RecordedDialogs.h"
#include "support/ScriptedPort.h"
#include "support/SiteBench.h"
#include "support/TempSite.h"
#include "ui/MainWindow.h"

namespace kelvara::test {

// What a main window under test works with: a fake clock, recorded dialogs, a settings file of its own and
// a scripted port for every window that asks for one.
struct WindowSeams {
    TempSite userFolder;
    app::UserSettings settings{userFolder.file("user.ini")};
    FakeClock clock{QDateTime(QDate(2026, 7, 1), QTime(10, 0, 0))};
    ScriptedPort port{clock};
    RecordedDialogs dialogs;

    [[nodiscard]] ui::MainWindow::Seams seams() {
        return {clock, dialogs, settings, port.portFactory(), port.pauseFactory()};
    }
};

// A site of the given sides with new, open databases, and the seams of the windows that work on it.
struct WindowSite : SiteContext {
    explicit WindowSite(const QString& mode = QStringLiteral("KVR")) : SiteContext(mode) {
        ctx.dataDir = qEnvironmentVariable("KELVARA_DATA_DIR");
    }

    WindowSeams seams;
};

} // namespace kelvara::test
