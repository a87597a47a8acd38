#include "notify/CommsLog.h"

#include <QFile>

namespace kelvara::notify {

base::Result<void> CommsLog::start() const {
    QFile file(m_path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return base::fail(file.errorString());
    return {};
}

base::Result<void> CommsLog::line(const QString& text) const {
    // Opened for each line, so what a pass wrote is on disk even when its sends are still going.
    QFile file(m_path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append))
        return base::fail(file.errorString());
    const QByteArray bytes = (text + QStringLiteral("\r\n")).toUtf8();
    if (file.write(bytes) != bytes.size())
        return base::fail(file.errorString());
    return {};
}

} // namespace kelvara::notify
