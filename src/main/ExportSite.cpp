#include "main/ExportSite.h"

#include "store/Database.h"
#include "store/DatabaseKind.h"

#include <QDir>
#include <QFileInfo>
#include <QTextStream>
#include <cstdio>

namespace kelvara::main {

int exportFailed(const QString& text) {
    QTextStream(stderr) << text << Qt::endl;
    return 1;
}

base::Result<void> openSiteKvr(store::Database& kvr, const QString& siteDir) {
    const QString path = QDir(siteDir).filePath(store::databaseFileName(store::DatabaseKind::Kvr));
    if (!QFileInfo::exists(path))
        return base::fail(QStringLiteral("Could not find the System Database"));
    return kvr.open(path);
}

} // namespace kelvara::main
