#include "app/Startup.h"

#include "app/AppContext.h"
#include "app/KvrIniFile.h"
#include "app/SensorReaderIniFile.h"
#include "app/SingleInstance.h"
#include "app/UserDialogs.h"
#include "store/CookSettingsStore.h"
#include "store/Database.h"
#include "store/MonitorSetsStore.h"
#include "store/SystemStore.h"

#include <QDir>
#include <QFileInfo>

namespace kelvara::app {

Startup::Startup(AppContext& ctx, UserDialogs& dialogs, SingleInstance& instance)
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
    if (!m_instance.acquire(m_ctx.siteDir)) {
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

    if (m_ctx.hasCookSide())
        openCookSide();
    if (m_ctx.hasZoneSide())
        openZoneSide();
    return Outcome::Running;
}

void Startup::loadSettingsFiles() {
    const QDir dir(m_ctx.siteDir);
    auto kvr = KvrIniFile::load(dir.filePath(KvrIniFile::kFileName));
    m_ctx.settings = kvr.settings;
    if (kvr.problem)
        m_ctx.startupNotices << *kvr.problem;

    auto adapter = SensorReaderIniFile::load(dir.filePath(SensorReaderIniFile::kFileName));
    m_ctx.commands = adapter.commands;
    if (adapter.problem)
        m_ctx.startupNotices << *adapter.problem;
}

void Startup::openCookSide() {
    auto db = std::make_unique<store::Database>(store::DatabaseKind::Thermo);
    const QString path = QDir(m_ctx.siteDir).filePath(store::databaseFileName(store::DatabaseKind::Thermo));
    if (const auto error = db->open(path)) {
        m_dialogs.information(kTitle, *error);
    } else if (const auto error = store::CookSettingsStore(*db).ensureRow()) {
        m_dialogs.information(kTitle, *error);
    }
    m_ctx.databases.thermo = std::move(db);
}

void Startup::openZoneSide() {
    auto db = std::make_unique<store::Database>(store::DatabaseKind::Kvr);
    const QString path = QDir(m_ctx.siteDir).filePath(store::databaseFileName(store::DatabaseKind::Kvr));
    if (const auto error = db->open(path))
        m_dialogs.information(kTitle, *error);

    // A site whose settings row is missing (or whose database did not open) starts from 1 January 1900,
    // midnight, so the first pass records at once.
    const QDate noDate(1900, 1, 1);
    const QTime midnight(0, 0, 0);
    std::optional<store::SystemRow> row;
    if (db->isOpen()) {
        store::SystemStore system(*db);
        (void)system.ensureRow();
        row = system.load();
    }
    m_ctx.LastDate = row && row->LastDate ? *row->LastDate : noDate;
    m_ctx.LastTime = row && row->LastTime ? *row->LastTime : midnight;
    m_ctx.HotLastDate = row && row->HotLastDate ? *row->HotLastDate : noDate;
    m_ctx.HotLastTime = row && row->HotLastTime ? *row->HotLastTime : midnight;

    const int zonesStored = db->isOpen() ? store::MonitorSetsStore(*db).count() : 0;
    if (zonesStored <= 0)
        m_ctx.settings.Zones = 0;
    m_ctx.databases.kvr = std::move(db);
}

} // namespace kelvara::app
