#include "main/ChartExport.h"

#include "reports/ChartData.h"
#include "store/Database.h"
#include "store/DatabaseKind.h"
#include "ui/ChartPicture.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QSaveFile>
#include <QTextStream>
#include <algorithm>
#include <cstdio>

namespace kelvara::main {

namespace {

constexpr QSize kPictureSize{1024, 640};

int failed(const QString& text) {
    QTextStream(stderr) << text << Qt::endl;
    return 1;
}

} // namespace

int runChartExport(const QString& siteDir, const ChartRequest& request) {
    const QString path = QDir(siteDir).filePath(store::databaseFileName(store::DatabaseKind::Kvr));
    if (!QFileInfo::exists(path))
        return failed(QStringLiteral("Could not find the System Database"));
    store::Database kvr(store::DatabaseKind::Kvr);
    if (auto opened = kvr.open(path); !opened)
        return failed(opened.error());
    const reports::ChartData data(kvr);
    auto all = data.zoneList();
    if (!all)
        return failed(all.error());
    std::vector<reports::ChartZone> zones;
    if (request.rooms.empty()) {
        zones = *all;
    } else {
        for (const int room : request.rooms) {
            const auto found = std::find_if(all->begin(), all->end(), [room](const reports::ChartZone& zone) {
                return zone.room == room;
            });
            if (found == all->end())
                return failed(QStringLiteral("There is no zone in room %1.").arg(room));
            zones.push_back(*found);
        }
    }
    auto table = data.load(zones, request.from, request.to);
    if (!table)
        return failed(table.error());

    const bool png = !request.pngFile.isEmpty();
    QSaveFile file(png ? request.pngFile : request.csvFile);
    if (!file.open(QIODevice::WriteOnly))
        return failed(file.errorString());
    if (png) {
        const QImage image = ui::ChartPicture::render(*table, ui::ChartPicture::Kind::Line, kPictureSize);
        if (!image.save(&file, "PNG")) {
            file.cancelWriting();
            return failed(QStringLiteral("The picture could not be written to %1.").arg(file.fileName()));
        }
    } else if (file.write(table->toCsv()) < 0) {
        file.cancelWriting();
        return failed(file.errorString());
    }
    if (!file.commit())
        return failed(file.errorString());
    return 0;
}

} // namespace kelvara::main
