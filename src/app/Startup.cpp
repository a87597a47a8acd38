#include "app/Startup.h"

#include "app/AppContext.h"
#include "app/KvrIniFile.h"
#include "app/SensorReaderIniFile.h"
#include "app/SingleInstance.h"
#include "base/UserDialogs.h"
#include "store/CookSettingsStore.h"
#include "store/Database.h"
#include "store/MonitorSetsStore.h"
#include "store/SystemStore.h"

#include <QDir>
#include <QFileInfo>

namespace kelvara::app {

Startup::Startup(AppContext& ctx, base::UserDialogs& dialogs, SingleInstance& instance)
    : m_ctx(ctx), m_dialogs(dialogs), m_instance(instance) {}

QString Startup::databaseModeOf(const QString& siteDir) {
    const QDir dir(siteDir);
    auto present = [&](store::DatabaseKind kind) {
        return QFileInfo(dir.filePath(store::databaseFileName(kind))).isFile();
    };
    QString mode;
    if (present(store::DatabaseKind::Kvr))
        mode = QStringLiteral("KVR");
    if (present(store::DatabaseKind::Thermo) && present(store::DatabaseKind::ThermoTypes))
        mode += QStringLiteral("Thermo");
    return mode;
}

Startup::Outcome Startup::run(const Hooks& hooks) {
    const auto claim = m_instance.acquire(m_ctx.siteDir);
    if (!claim) {
        m_dialogs.critical(kTitle, claim.error());
        return Outcome::SiteNotWritable;
    }
    if (*claim == SingleInstance::Claim::OtherCopy) {
        m_dialogs.information(kTitle, kSecondCopyText);
        return Outcome::SecondCopy;
    }

    m_ctx.DatabaseMode = databaseModeOf(m_ctx.siteDir);
    if (m_ctx.DatabaseMode.isEmpty()) {
        m_dialogs.information(kTitle, kNoDatabaseText);
        m_instance.release();
        return Outcome::NoDatabase;
    }

    if (hooks.showSplash)
        hooks.showSplash();
    m_ctx.ReportFile.clear();
    loadSettingsFiles();
    if (hooks.closeSplash)
        hooks.closeSplash();

    if (m_ctx.hasCookSide() && !openCookSide())
        return Outcome::DatabaseUnreadable;
    if (m_ctx.hasZoneSide() && !openZoneSide())
        return Outcome::DatabaseUnreadable;
    return Outcome::Running;
}

void Startup::loadSettingsFiles() {
    const QDir dir(m_ctx.siteDir);
    const auto kvr = KvrIniFile::load(dir.filePath(KvrIniFile::kFileName));
    if (kvr.ok())
        m_ctx.settings = *kvr;
    else
        m_ctx.startupNotices << kvr.error() + QStringLiteral(" The default settings are used.");
    // A file with nothing usable in it leaves every interval at 0, and a side without a read interval is
    // never read: say so rather than run silently.
    const KvrSettings& s = m_ctx.settings;
    const bool zoneReads = m_ctx.hasZoneSide() && s.ColdReadHours * 3600.0 + s.ColdReadMins * 60.0 > 0;
    const bool cookReads = m_ctx.hasCookSide() && s.HotReadHours * 3600.0 + s.HotReadMins * 60.0 > 0;
    if (!zoneReads && !cookReads)
        m_ctx.startupNotices << kNoReadIntervalText;

    const auto adapter = SensorReaderIniFile::load(dir.filePath(SensorReaderIniFile::kFileName));
    if (adapter.ok()) {
        m_ctx.commands = *adapter;
        m_ctx.commandsProblem.clear();
    } else {
        m_ctx.commandsProblem = adapter.error() + QStringLiteral(" The bus adapter has no commands.");
        m_ctx.startupNotices << m_ctx.commandsProblem;
    }
}

template <typename T> bool Startup::readable(const base::Result<T>& read) {
    // Taking an unreadable database for an empty one would lead a configured site into the first-start
    // windows; stopping leaves everything as it is.
    if (read.ok())
        return true;
    m_dialogs.critical(kTitle, kReadFailedText.arg(read.error()));
    m_instance.release();
    return false;
}

void Startup::warnIfNotWritable(const store::Database& db) {
    if (const auto writable = db.checkWritable(); !writable.ok())
        m_dialogs.warning(kTitle, kNotWritableText.arg(QFileInfo(db.path()).fileName(), writable.error()));
}

bool Startup::openCookSide() {
    auto db = std::make_unique<store::Database>(store::DatabaseKind::Thermo);
    const QString path = QDir(m_ctx.siteDir).filePath(store::databaseFileName(store::DatabaseKind::Thermo));
    const auto opened = db->open(path);
    m_ctx.databases.thermo = std::move(db);
    if (!opened.ok()) {
        m_dialogs.information(kTitle, opened.error());
        return true;
    }
    if (!readable(store::CookSettingsStore(*m_ctx.databases.thermo).ensureRow()))
        return false;
    warnIfNotWritable(*m_ctx.databases.thermo);
    return true;
}

bool Startup::openZoneSide() {
    auto db = std::make_unique<store::Database>(store::DatabaseKind::Kvr);
    const QString path = QDir(m_ctx.siteDir).filePath(store::databaseFileName(store::DatabaseKind::Kvr));
    const auto opened = db->open(path);
    m_ctx.databases.kvr = std::move(db);
    // A database that cannot be opened says nothing about the site: its zones are not counted as none,
    // which would lead into the first-start windows. The site runs on without that side's data.
    if (!opened.ok()) {
        m_dialogs.information(kTitle, opened.error());
        return true;
    }
    const store::Database& kvr = *m_ctx.databases.kvr;
    const store::SystemStore system(kvr);
    if (!readable(system.ensureRow()))
        return false;
    warnIfNotWritable(kvr);
    const auto row = system.load();
    if (!readable(row))
        return false;
    // A site that never recorded starts from 1 January 1900, midnight, so the first pass records at once.
    m_ctx.LastDate = row->LastDate.value_or(QDate(1900, 1, 1));
    m_ctx.LastTime = row->LastTime.value_or(QTime(0, 0));
    m_ctx.HotLastDate = row->HotLastDate.value_or(QDate(1900, 1, 1));
    m_ctx.HotLastTime = row->HotLastTime.value_or(QTime(0, 0));

    const auto zonesStored = store::MonitorSetsStore(kvr).count();
    if (!readable(zonesStored))
        return false;
    if (*zonesStored == 0)
        m_ctx.settings.Zones = 0;
    return true;
}

} // namespace kelvara::app
