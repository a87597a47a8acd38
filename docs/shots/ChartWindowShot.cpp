// Takes the picture of the chart window in docs/: opens a site's zone database, optionally gives its zones a
// few days of generated readings first (a new demo site has recorded only minutes), draws the chart of a
// range for every zone and saves the window as a PNG.
//
//   kelvara_chart_window_shot --site DIR --from YYYY-MM-DD --to YYYY-MM-DD --out FILE [--fill-days N]
#include "app/SystemClock.h"
#include "store/Database.h"
#include "store/MonitorSetsStore.h"
#include "store/MonitorStore.h"
#include "store/Transaction.h"
#include "ui/ChartWindow.h"
#include "ui/WidgetDialogs.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDateEdit>
#include <QDir>
#include <QPushButton>
#include <QTextStream>
#include <cmath>

using namespace kelvara;

namespace {

int failed(const QString& text) {
    QTextStream(stderr) << text << Qt::endl;
    return 1;
}

// Readings every quarter of an hour from `first` for `days` days: each zone swings through the day a little
// under the middle of its alarm limits (or around 4 without them), drifts from day to day, warms when its
// door is open now and then, and misses a reading once a day.
base::Result<void> fill(const store::Database& kvr, const QDate& first, int days) {
    auto zones = store::MonitorSetsStore(kvr).loadAll();
    if (!zones)
        return zones.failure();
    store::Transaction transaction(kvr);
    for (int d = 0; d < days; ++d) {
        for (int quarter = 0; quarter < 96; ++quarter) {
            store::MonitorRow row;
            row.RecDate = first.addDays(d);
            row.RecTime = QTime(0, 0).addSecs(quarter * 900);
            row.TempType = QStringLiteral("C"); // the demo site's unit
            for (const store::MonitorSetsRow& zone : *zones) {
                const double level =
                    zone.HighAlarm && zone.LowAlarm ? (*zone.HighAlarm + *zone.LowAlarm) / 2 - 1 : 4.0;
                const double hour = quarter / 4.0;
                const double swing = 2.0 * std::sin((hour + 3 * zone.Room) * M_PI / 12.0) +
                                     1.5 * std::sin((d + zone.Room) * 1.3);
                const double door = (quarter + 7 * zone.Room) % 37 == 0 ? 5.0 : 0.0;
                const bool missed = quarter == (13 * zone.Room + 5 * d) % 96;
                row.setTemp(zone.Room,
                            missed ? QStringLiteral("NR") : QString::number(level + swing + door, 'f', 1));
            }
            if (auto inserted = store::MonitorStore(kvr).insert(row); !inserted)
                return inserted.failure();
        }
    }
    return transaction.commit();
}

} // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QCommandLineParser p;
    p.addOptions({{"site", "The site folder.", "DIR"},
                  {"from", "First day.", "YYYY-MM-DD"},
                  {"to", "Last day.", "YYYY-MM-DD"},
                  {"out", "The PNG to write.", "FILE"},
                  {"fill-days", "Generate readings for the days up to --to first.", "N"}});
    p.process(application);
    const QDate from = QDate::fromString(p.value("from"), Qt::ISODate);
    const QDate to = QDate::fromString(p.value("to"), Qt::ISODate);
    if (!p.isSet("site") || !p.isSet("out") || !from.isValid() || !to.isValid())
        return failed(QStringLiteral("Needs --site, --from, --to and --out."));

    store::Database kvr(store::DatabaseKind::Kvr);
    if (auto opened = kvr.open(QDir(p.value("site")).filePath(QStringLiteral("KVR.db"))); !opened)
        return failed(opened.error());
    if (const int days = p.value("fill-days").toInt(); days > 0)
        if (auto filled = fill(kvr, to.addDays(1 - days), days); !filled)
            return failed(filled.error());

    app::SystemClock clock;
    ui::WidgetDialogs dialogs;
    ui::ChartWindow window(kvr, clock, dialogs);
    window.resize(1100, 640);
    window.findChild<QDateEdit*>(QStringLiteral("DTFrom"))->setDate(from);
    window.findChild<QDateEdit*>(QStringLiteral("DTTo"))->setDate(to);
    window.show();
    QApplication::processEvents();
    window.findChild<QPushButton*>(QStringLiteral("cmdGraph"))->click();
    QApplication::processEvents();
    if (!window.grab().save(p.value("out")))
        return failed(QStringLiteral("Could not write %1.").arg(p.value("out")));
    return 0;
}
