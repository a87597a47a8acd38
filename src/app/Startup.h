#pragma once

#include "base/Result.h"
#include "base/UserDialogs.h"

#include <QString>
#include <functional>

namespace kelvara::store {
class Database;
}

namespace kelvara::app {
struct AppContext;
class SingleInstance;
// Brings a site up in order: one copy only, which sides run, settings, databases, last record times.
class Startup {
public:
    enum class Outcome { Running, SecondCopy, SiteNotWritable, NoDatabase, DatabaseUnreadable };
    struct Hooks {
        std::function<void()> showSplash;
        std::function<void()> closeSplash;
    };
    Startup(AppContext& ctx, base::UserDialogs& dialogs, SingleInstance& instance);
    // Runs every step before the main window; anything but Running means the process ends.
    [[nodiscard]] Outcome run(const Hooks& hooks = {});
    // "KVR" when the zone database is present, "Thermo" appended when both cook databases are.
    [[nodiscard]] static QString databaseModeOf(const QString& siteDir);
    static inline const QString kNoReadIntervalText =
        QStringLiteral("KVR.INI sets no read interval (ColdReadHours and ColdReadMins, HotReadHours and "
                       "HotReadMins): no sensor is read until one is set.");
    static inline const QString kTitle = QStringLiteral("Kelvara");
    static inline const QString kSecondCopyText = QStringLiteral(
        "You already have a copy of the Kelvara program open.  Please check the taskbar for the "
        "running program.");
    // A database that opened but cannot be read (locked past the busy timeout, an I/O error).
    static inline const QString kReadFailedText = QStringLiteral(
        "Kelvara could not read its database: %1\nIt stops without changing anything; start it "
        "again once the database can be read.");
    // A database that opened for reading only: nothing would be stored, pass after pass.
    static inline const QString kNotWritableText = QStringLiteral(
        "%1 cannot be written (%2): nothing is recorded in it until Kelvara may write it. Check the file's "
        "permissions and the disk, then start Kelvara again.");
    static inline const QString kNoDatabaseText =
        QStringLiteral("Could not find the System Database.  Please check your settings and try again.");

private:
    void loadSettingsFiles();
    // False when a database opened but could not be read; the user has been told.
    [[nodiscard]] bool openCookSide();
    [[nodiscard]] bool openZoneSide();
    template <typename T> [[nodiscard]] bool readable(const base::Result<T>& read);
    void warnIfNotWritable(const store::Database& db);
    AppContext& m_ctx;
    base::UserDialogs& m_dialogs;
    SingleInstance& m_instance;
};
} // namespace kelvara::app
