#pragma once

#include "app/KvrSettings.h"
#include "sensornet/AdapterCommands.h"
#include "store/Databases.h"

#include <QDate>
#include <QFile>
#include <QString>
#include <QStringList>
#include <QTime>
#include <memory>

namespace kelvara::app {

// The state a running site shares between its subsystems: which sides run, settings, commands, databases.
struct AppContext {
    AppContext() = default;
    ~AppContext() = default;
    AppContext(const AppContext&) = delete;
    AppContext& operator=(const AppContext&) = delete;

    QString siteDir;
    // The shipped defaults (report templates among them) a site's own copies override.
    QString dataDir;
    // "KVR", "Thermo" or "KVRThermo"; test it with hasZoneSide()/hasCookSide().
    QString DatabaseMode;
    KvrSettings settings;
    sensornet::AdapterCommands commands;
    // Why the adapter has no commands (SensorReader.ini unreadable, or without the adapter's section);
    // empty when it has them. Every pass says so instead of trying the bus.
    QString commandsProblem;

    // When each side last recorded; a site that never did starts from the oldest day at midnight.
    QDate LastDate{1900, 1, 1};
    QTime LastTime{0, 0};
    QDate HotLastDate{1900, 1, 1};
    QTime HotLastTime{0, 0};

    QString ReportFile;
    QString ReportTitle;

    store::Databases databases; // the zone side's and the cook side's, when they run

    // "TempLog", open while a sensor installation window appends to it.
    std::unique_ptr<QFile> TempLogFile;

    // What start-up had to say that is not an error box (a missing settings file, say).
    QStringList startupNotices;

    [[nodiscard]] bool hasZoneSide() const { return DatabaseMode.contains(QLatin1String("KVR")); }
    [[nodiscard]] bool hasCookSide() const { return DatabaseMode.contains(QLatin1String("Thermo")); }
};

} // namespace kelvara::app
