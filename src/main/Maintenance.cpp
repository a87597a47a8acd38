#include "main/Maintenance.h"

#include "app/AppContext.h"
#include "app/ConsoleDialogs.h"
#include "app/SingleInstance.h"
#include "app/Startup.h"
#include "store/Compaction.h"
#include "store/DatabaseKind.h"
#include "store/Purge.h"

#include <QTextStream>
#include <QThread>
#include <cstdio>

namespace kelvara::main {

namespace {

// The crash tests cut a run at a chosen point: KELVARA_TEST_PAUSE_AT names one ("archived",
// "copied:KVR.db", …), where the run says so on standard output and waits to be killed.
class PausePoint {
public:
    explicit PausePoint(QTextStream& out) : m_out(out), m_at(qEnvironmentVariable("KELVARA_TEST_PAUSE_AT")) {}
    void reached(const QString& point) const {
        if (m_at.isEmpty() || point != m_at)
            return;
        m_out << "Paused at " << point << Qt::endl;
        for (;;)
            QThread::sleep(1);
    }

private:
    QTextStream& m_out;
    QString m_at;
};

} // namespace

int runMaintenance(app::AppContext& ctx, const MaintenanceRequest& request) {
    app::ConsoleDialogs console;
    app::SingleInstance instance;
    // The same start as a monitoring run: one copy at a time on a site (a lock left by a killed copy does not
    // count), and the databases of its sides.
    app::Startup startup(ctx, console, instance);
    if (startup.run() != app::Startup::Outcome::Running)
        return 1;
    const auto opened = [](const std::unique_ptr<store::Database>& db) { return db && db->isOpen(); };
    if ((ctx.hasZoneSide() && !opened(ctx.databases.kvr)) ||
        (ctx.hasCookSide() && !opened(ctx.databases.thermo))) {
        console.notice(QStringLiteral("Nothing was done: a database of this site could not be opened."));
        return 1;
    }
    QTextStream out(stdout);
    const PausePoint pause(out);
    int code = 0;

    if (request.purgeTo) {
        if (request.archive && !ctx.hasZoneSide()) {
            console.notice(QStringLiteral("Nothing was purged: --archive needs the zone side (KVR.db)."));
            return 1;
        }
        const store::Purge purge(ctx.databases, ctx.siteDir);
        const store::Purge::Outcome outcome = purge.run(
            *request.purgeTo, request.archive, [&](store::Purge::Step step, const store::Purge::Counts& n) {
                if (step == store::Purge::Step::Archived) {
                    out << "Archived " << n.readingsArchived << " readings, " << n.alarmsArchived
                        << " alarms and " << n.zonesArchived << " zones into "
                        << store::databaseFileName(store::DatabaseKind::Archive) << Qt::endl;
                    pause.reached(QStringLiteral("archived"));
                }
            });
        if (outcome.ok() || outcome.counts.readingsDeleted + outcome.counts.batchesDeleted > 0) {
            if (ctx.databases.kvr)
                out << "Deleted " << outcome.counts.readingsDeleted << " readings up to "
                    << request.purgeTo->toString(Qt::ISODate) << " from "
                    << store::databaseFileName(store::DatabaseKind::Kvr) << Qt::endl;
            if (ctx.databases.thermo)
                out << "Deleted " << outcome.counts.batchesDeleted << " batches up to "
                    << request.purgeTo->toString(Qt::ISODate) << " from "
                    << store::databaseFileName(store::DatabaseKind::Thermo) << Qt::endl;
        }
        for (const QString& error : outcome.errors)
            console.notice(error);
        if (!outcome.ok())
            code = 1;
    }

    // As after the purge window: the compaction follows whatever the purge did.
    const store::Compaction compaction(ctx.siteDir, [&](const QString& file, store::Compaction::Step step) {
        pause.reached((step == store::Compaction::Step::Copied ? QStringLiteral("copied:")
                                                               : QStringLiteral("replaced:")) +
                      file);
    });
    const store::Compaction::Report report = compaction.repair(ctx.databases);
    for (const store::Compaction::Compacted& done : report.compacted)
        out << "Compacted " << done.fileName << " from " << done.bytesBefore << " to " << done.bytesAfter
            << " bytes" << Qt::endl;
    for (const QString& error : report.errors)
        console.notice(error);
    if (!report.ok()) {
        console.notice(store::Compaction::closingText(report));
        code = 1;
    }
    return code;
}

} // namespace kelvara::main
