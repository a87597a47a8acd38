#include "cook/HotViewerLog.h"

#include <QSaveFile>

namespace kelvara::cook::HotViewerLog {

QString line(const ThermoRow& row) {
    return QString::number(row.SensorNo) + QLatin1Char(',') + row.Name + QLatin1Char(',') + row.CurrentTemp +
           QLatin1Char(',') + QString::number(row.Target);
}

bool write(const QString& path, const std::vector<ThermoRow>& rows) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QByteArray text;
    for (const ThermoRow& row : rows)
        text += line(row).toLocal8Bit() + "\r\n";
    if (file.write(text) != text.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

} // namespace kelvara::cook::HotViewerLog
