#pragma once

#include <QString>
#include <functional>

namespace kelvara::app {

struct AppContext;
class SingleInstance;
class UserDialogs;

// Brings a site up in order: one copy only, which sides run, settings, databases, last record times.
class Startup {
public:
    enum class Outcome { Running, SecondCopy, NoDatabase };

    struct Hooks {
        std::function<void()> showSplash;
        std::function<void()> closeSplash;
    };

    Startup(AppContext& ctx, UserDialogs& dialogs, SingleInstance& instance);

    // Runs every step before the main window; anything but Running means the process ends.
    [[nodiscard]] Outcome run(const Hooks& hooks = {});

    // "KVR" when the zone database is present, "Thermo" appended when both cook databases are.
    [[nodiscard]] static QString databaseModeOf(const QString& siteDir);

    static inline const QString kTitle = QStringLiteral("Kelvara");
    static inline const QString kSecondCopyText = QStringLiteral(
        "You already have a copy of the Kelvara program open.  Please check the taskbar for the "
        "running program.");
    static inline const QString kNoDatabaseText =
        QStringLiteral("Could not find the System Database.  Please check your settings and try again.");

private:
    void loadSettingsFiles();
    void openCookSide();
    void openZoneSide();

    AppContext& m_ctx;
    UserDialogs& m_dialogs;
    SingleInstance& m_instance;
};

} // namespace kelvara::app
