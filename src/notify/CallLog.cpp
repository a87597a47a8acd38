#include "notify/CallLog.h"

#include <QFile>

namespace kelvara::notify {

namespace {

QString column(const QString& text, int width) {
    return text.left(width).leftJustified(width, QLatin1Char(' '));
}

} // namespace

const QString CallLog::kTitle = QStringLiteral("Notify         Date      Time           Recipient            "
                                               "                             Recipient #     "
                                               "    Access #            Message");
const QString CallLog::kRule = QString(kTitle.size(), QLatin1Char('-'));

QString CallLog::line(const store::CallAlarmRow& row, const QDateTime& at, const QString& logMessage) {
    // A two-digit year leaves the date a blank before the time column, as a short date form does.
    QString text = column(row.Notify, 15) + column(at.date().toString(QStringLiteral("MM/dd/yy")), 10) +
                   column(at.time().toString(QStringLiteral("h:mm:ss AP")), 15) + column(row.Recipient, 50);
    if (row.Notify == QLatin1String("Email"))
        text += QString(40, QLatin1Char(' '));
    else
        text += column(row.RecipientNo, 20) + column(row.AccessNo, 20);
    return text + logMessage;
}

base::Result<void> CallLog::append(const QString& line) const {
    QFile file(m_path);
    const bool isNew = !file.exists();
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append))
        return base::fail(file.errorString());
    QByteArray bytes;
    if (isNew)
        bytes = (kTitle + QStringLiteral("\r\n") + kRule + QStringLiteral("\r\n")).toUtf8();
    bytes += (line + QStringLiteral("\r\n")).toUtf8();
    if (file.write(bytes) != bytes.size())
        return base::fail(file.errorString());
    return {};
}

} // namespace kelvara::notify
