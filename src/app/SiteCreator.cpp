#include "app/SiteCreator.h"

#include "store/Database.h"
#include "store/ThermoTypesTable.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <vector>

namespace kelvara::app {

SiteCreator::SiteCreator(QString dataDir) : m_dataDir(std::move(dataDir)) {}

std::optional<SiteCreator::Sides> SiteCreator::sidesFromText(const QString& text) {
    if (text == QLatin1String("zone"))
        return Sides::Zone;
    if (text == QLatin1String("cook"))
        return Sides::Cook;
    if (text == QLatin1String("both"))
        return Sides::Both;
    return std::nullopt;
}

base::Result<void> SiteCreator::create(const QString& siteDir, Sides sides) const {
    using store::DatabaseKind;
    if (!QDir().mkpath(siteDir))
        return base::fail(QStringLiteral("Could not create the folder %1.").arg(siteDir));
    const QDir dir(siteDir);

    std::vector<DatabaseKind> kinds;
    if (sides != Sides::Cook)
        kinds.push_back(DatabaseKind::Kvr);
    if (sides != Sides::Zone) {
        kinds.push_back(DatabaseKind::Thermo);
        kinds.push_back(DatabaseKind::ThermoTypes);
    }
    for (DatabaseKind kind : kinds) {
        const QString name = store::databaseFileName(kind);
        if (QFileInfo::exists(dir.filePath(name)))
            return base::fail(
                QStringLiteral("%1 already holds %2; a site is never created over existing data.")
                    .arg(QDir::toNativeSeparators(dir.absolutePath()), name));
    }

    if (const auto copied = copyDefaults(siteDir); !copied.ok())
        return copied;

    for (DatabaseKind kind : kinds) {
        const QString path = dir.filePath(store::databaseFileName(kind));
        const auto created = kind == DatabaseKind::ThermoTypes ? store::createThermoTypesDatabase(path)
                                                               : store::createDatabase(path, kind);
        if (!created.ok())
            return base::fail(QStringLiteral("Could not create %1: %2")
                                  .arg(store::databaseFileName(kind), created.error()));
    }
    return {};
}

base::Result<void> SiteCreator::copyDefaults(const QString& siteDir) const {
    const QDir data(m_dataDir);
    if (!data.exists(QStringLiteral("SensorReader.ini")))
        return base::fail(QStringLiteral("The shipped defaults were not found in %1.").arg(m_dataDir));

    QStringList sources{data.filePath(QStringLiteral("KVR.INI")),
                        data.filePath(QStringLiteral("SensorReader.ini"))};
    for (const QString& sub : {QStringLiteral("sounds"), QStringLiteral("reports")}) {
        const QDir d(data.filePath(sub));
        for (const QString& name : d.entryList(QDir::Files))
            sources << d.filePath(name);
    }
    const QDir site(siteDir);
    for (const QString& source : sources) {
        const QString target = site.filePath(QFileInfo(source).fileName());
        if (QFileInfo::exists(target))
            continue;
        if (!QFile::copy(source, target))
            return base::fail(
                QStringLiteral("Could not copy %1 into the site.").arg(QFileInfo(source).fileName()));
        QFile::setPermissions(target,
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    }
    return {};
}

} // namespace kelvara::app
