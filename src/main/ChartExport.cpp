#include "main/ChartExport.h"

#include "main/ExportSite.h"
#include "reports/ChartData.h"
#include "store/Database.h"
#include "store/DatabaseKind.h"
#include "ui/ChartPicture.h"

#include <QImage>
#include <QSaveFile>
#include <algorithm>

namespace kelvara::main {

namespace {

constexpr QSize kPictureSize{1024, 640};

} // namespace

int runChartExport(const QString& siteDir, const ChartRequest& request) {
    store::Database kvr(store::DatabaseKind::Kvr);
    if (auto opened = openSiteKvr(kvr, siteDir); !opened)
        return exportFailed(opened.error());
    const reports::ChartData data(kvr);
    auto all = data.zoneList();
    if (!all)
        return exportFailed(all.error());
    std::vector<reports::ChartZone> zones;
    if (request.rooms.empty()) {
        zones = *all;
    } else {
        for (const int room : request.rooms) {
            const auto found = std::find_if(all->begin(), all->end(), [room](const reports::ChartZone& zone) {
                return zone.room == room;
            });
            if (found == all->end())
                return exportFailed(QStringLiteral("There is no zone in room %1.").arg(room));
            zones.push_back(*found);
        }
    }
    auto table = data.load(zones, request.from, request.to);
    if (!table)
        return exportFailed(table.error());

    const bool png = !request.pngFile.isEmpty();
    QSaveFile file(png ? request.pngFile : request.csvFile);
    if (!file.open(QIODevice::WriteOnly))
        return exportFailed(file.errorString());
    if (png) {
        const QImage image = ui::ChartPicture::render(*table, ui::ChartPicture::Kind::Line, kPictureSize);
        if (!image.save(&file, "PNG")) {
            file.cancelWriting();
            return exportFailed(
                QStringLiteral("The picture could not be written to %1.").arg(file.fileName()));
        }
    } else if (file.write(table->toCsv()) < 0) {
        file.cancelWriting();
        return exportFailed(file.errorString());
    }
    if (!file.commit())
        return exportFailed(file.errorString());
    return 0;
}

} // namespace kelvara::main
