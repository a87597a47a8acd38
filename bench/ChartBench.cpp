// The temperature chart and the Daily Temperatures report on ten years of one-minute readings of 20 zones
// (about 5.3 million Monitor rows): a day's chart and a year's, each the row lookups and the drawing into a
// picture, and the PDF of a month; first run and warm median (goals: a day under 30 ms, a year under 300 ms,
// the month's PDF under 1 s).
#include "HistoryGenerator.h"
#include "reports/ChartData.h"
#include "reports/ReportCatalogue.h"
#include "reports/ReportDocument.h"
#include "reports/ZoneDaysReport.h"
#include "store/Database.h"
#include "ui/ChartPicture.h"

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <QTextStream>
#include <algorithm>
#include <functional>

using namespace kelvara;

namespace {

constexpr int kWarmRuns = 9;

struct Timing {
    double firstMs = 0;
    double medianMs = 0;
};

Timing measure(const std::function<void()>& work) {
    QElapsedTimer timer;
    timer.start();
    work();
    Timing timing{static_cast<double>(timer.nsecsElapsed()) / 1e6, 0};
    std::vector<double> warm;
    for (int i = 0; i < kWarmRuns; ++i) {
        timer.restart();
        work();
        warm.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(warm.begin(), warm.end());
    timing.medianMs = warm[warm.size() / 2];
    return timing;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QTextStream out(stdout);
    // --days N: a shorter history (the test suite runs a short form). --db FILE: keep the generated file
    // there and use it again on the next run.
    bench::HistoryShape shape;
    shape.recordMinutes = 1;
    QString kvrPath;
    const QStringList arguments = QCoreApplication::arguments();
    for (qsizetype i = 1; i + 1 < arguments.size(); ++i) {
        if (arguments.at(i) == QLatin1String("--days"))
            shape.days = arguments.at(i + 1).toInt();
        else if (arguments.at(i) == QLatin1String("--db"))
            kvrPath = arguments.at(i + 1);
    }
    if (shape.days < 2) {
        out << "--days takes a number of days, 2 or more" << Qt::endl;
        return 2;
    }
    QTemporaryDir site;
    if (kvrPath.isEmpty())
        kvrPath = QDir(site.path()).filePath(QStringLiteral("KVR.db"));
    if (!QFileInfo::exists(kvrPath)) {
        QElapsedTimer timer;
        timer.start();
        if (const auto made = bench::generateHistory(kvrPath, shape); !made) {
            out << "Could not make the history: " << made.error() << Qt::endl;
            return 1;
        }
        out << "Generated " << shape.days << " days of " << shape.zones << " zones every minute in "
            << timer.elapsed() / 1000.0 << " s" << Qt::endl;
    }
    store::Database kvr(store::DatabaseKind::Kvr);
    if (const auto opened = kvr.open(kvrPath); !opened) {
        out << opened.error() << Qt::endl;
        return 1;
    }
    const reports::ChartData data(kvr);
    const auto zones = data.zoneList();
    if (!zones) {
        out << zones.error() << Qt::endl;
        return 1;
    }
    // The fonts are found once per process, on the first text drawn, and the charting library sets itself up
    // on its first chart; the chart window does both when it opens, with an empty chart, before its first
    // drawing is asked for. So they happen here before anything is timed.
    {
        QImage warmUp(16, 16, QImage::Format_ARGB32_Premultiplied);
        QPainter painter(&warmUp);
        painter.drawText(0, 10, QStringLiteral("0"));
    }
    (void)ui::ChartPicture::render(reports::ChartTable{}, ui::ChartPicture::Kind::Line, QSize(1024, 640));
    const QDate last = shape.firstDay.addDays(shape.days - 1);
    const QDate yearStart = std::max(shape.firstDay, last.addDays(-364));
    bool failed = false;
    const auto chart = [&](const QDate& from, const QDate& to) {
        return [&, from, to] {
            auto table = data.load(*zones, from, to);
            if (!table) {
                failed = true;
                return;
            }
            const QImage image =
                ui::ChartPicture::render(*table, ui::ChartPicture::Kind::Line, QSize(1024, 640));
            failed = failed || image.isNull() || table->rowCount() == 0;
        };
    };
    const reports::ReportTemplate daily{QStringLiteral("Daily Temperatures"),
                                        QStringLiteral("KVR.db"),
                                        QStringLiteral("Monitor"),
                                        QStringLiteral("day"),
                                        {QStringLiteral("Zone"), QStringLiteral("Readings"),
                                         QStringLiteral("No Reading"), QStringLiteral("Minimum"),
                                         QStringLiteral("Maximum"), QStringLiteral("Average"),
                                         QStringLiteral("Unit")},
                                        QStringLiteral("Summary")};
    const auto monthPdf = [&] {
        auto zoneRows = store::MonitorSetsStore(kvr).loadAll();
        if (!zoneRows) {
            failed = true;
            return;
        }
        const auto request = reports::ReportCatalogue::request(
            daily.title, {std::max(shape.firstDay, last.addDays(-30)), last, {}, {}}, *zoneRows);
        auto document = request ? reports::ZoneDaysReport::load(daily, *request, {&kvr, site.path(), {}})
                                : base::Result<reports::ReportDocument>(request.failure());
        if (!document) {
            failed = true;
            return;
        }
        QBuffer pdf;
        pdf.open(QIODevice::WriteOnly);
        QPdfWriter writer(&pdf);
        failed = failed || reports::ReportPainter::paint(*document, writer) < 1;
    };
    struct Case {
        const char* name;
        std::function<void()> work;
        double goalMs;
    };
    for (const Case& c : {Case{"A day's chart (24 hourly rows)", chart(last, last), 30},
                          Case{"A year's chart (daily rows)", chart(yearStart, last), 300},
                          Case{"  of which reading the rows",
                               [&] { failed = failed || !data.load(*zones, yearStart, last); }, 300},
                          Case{"The Daily Temperatures PDF of a month", monthPdf, 1000}}) {
        const Timing timing = measure(c.work);
        out << c.name << ", " << zones->size() << " zones: first " << timing.firstMs << " ms, warm median "
            << timing.medianMs << " ms"
            << (timing.medianMs < c.goalMs && timing.firstMs < c.goalMs ? " - under the goal"
                                                                        : " - OVER the goal")
            << " of " << c.goalMs << " ms" << Qt::endl;
    }
    if (failed) {
        out << "A chart could not be drawn" << Qt::endl;
        return 1;
    }
    return 0;
}
