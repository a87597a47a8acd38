// Purging the oldest year of a ten-year zone database with archiving (goal: under 10 s), then compacting the
// site: the time of each and the file sizes before and after.
#include "HistoryGenerator.h"
#include "store/Compaction.h"
#include "store/Purge.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTextStream>

using namespace kelvara;

namespace {

QString megabytes(qint64 bytes) {
    return QString::number(static_cast<double>(bytes) / (1024.0 * 1024.0), 'f', 1) + QStringLiteral(" MB");
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    QTextStream out(stdout);
    // --days N: a shorter history (the test suite runs a short form), purging its first tenth.
    bench::HistoryShape shape;
    const QStringList arguments = QCoreApplication::arguments();
    if (const qsizetype at = arguments.indexOf(QStringLiteral("--days"));
        at >= 0 && at + 1 < arguments.size())
        shape.days = arguments.at(at + 1).toInt();
    if (shape.days < 10) {
        out << "--days takes a number of days, 10 or more" << Qt::endl;
        return 2;
    }
    QTemporaryDir site;
    const QString kvrPath = QDir(site.path()).filePath(QStringLiteral("KVR.db"));
    QElapsedTimer timer;
    timer.start();
    if (const auto made = bench::generateHistory(kvrPath, shape); !made) {
        out << "Could not make the history: " << made.error() << Qt::endl;
        return 1;
    }
    out << "Generated " << shape.days << " days of " << shape.zones << " zones every " << shape.recordMinutes
        << " min in " << timer.elapsed() / 1000.0 << " s: " << megabytes(QFileInfo(kvrPath).size())
        << Qt::endl;

    store::Databases databases;
    databases.kvr = std::make_unique<store::Database>(store::DatabaseKind::Kvr);
    if (const auto opened = databases.kvr->open(kvrPath); !opened) {
        out << opened.error() << Qt::endl;
        return 1;
    }
    const QDate last = shape.days >= 3650 ? shape.firstDay.addYears(1).addDays(-1)
                                          : shape.firstDay.addDays(shape.days / 10 - 1);
    timer.restart();
    const store::Purge::Outcome purged = store::Purge(databases, site.path()).run(last, true);
    const double purgeSeconds = timer.elapsed() / 1000.0;
    if (!purged.ok()) {
        out << purged.errors.join(QLatin1Char('\n')) << Qt::endl;
        return 1;
    }
    out << "Purge up to " << last.toString(Qt::ISODate) << " with archiving: " << purgeSeconds << " s ("
        << purged.counts.readingsArchived << " readings and " << purged.counts.alarmsArchived
        << " alarms archived, " << purged.counts.readingsDeleted << " readings deleted)"
        << (shape.days >= 3650 ? (purgeSeconds < 10 ? " - under the 10 s goal" : " - OVER the 10 s goal")
                               : "")
        << Qt::endl;

    timer.restart();
    const store::Compaction::Report report = store::Compaction(site.path()).repair(databases);
    const double compactSeconds = timer.elapsed() / 1000.0;
    if (!report.ok()) {
        out << report.errors.join(QLatin1Char('\n')) << Qt::endl;
        return 1;
    }
    out << "Compaction: " << compactSeconds << " s" << Qt::endl;
    for (const store::Compaction::Compacted& done : report.compacted)
        out << "  " << done.fileName << ": " << megabytes(done.bytesBefore) << " -> "
            << megabytes(done.bytesAfter) << Qt::endl;
    return purgeSeconds < 10 || shape.days < 3650 ? 0 : 3;
}
