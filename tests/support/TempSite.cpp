#include "support/TempSite.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace kelvara::test {

void TempSite::write(const QString& name, const QByteArray& bytes) const {
    QDir().mkpath(QFileInfo(file(name)).absolutePath());
    QFile f(file(name));
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(bytes);
}

QByteArray TempSite::read(const QString& name) const {
    return readFile(file(name));
}

QByteArray TempSite::readFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace kelvara::test
