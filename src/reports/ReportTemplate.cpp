#include "reports/ReportTemplate.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <QSet>

namespace kelvara::reports {

namespace {

// The tables each database file offers to a report.
const QMap<QString, QStringList>& kTables() {
    static const QMap<QString, QStringList> tables{
        {QStringLiteral("KVR.db"),
         {QStringLiteral("Monitor"), QStringLiteral("Alarms"), QStringLiteral("MonitorSets"),
          QStringLiteral("Provider")}},
        {QStringLiteral("Archive.db"),
         {QStringLiteral("Monitor"), QStringLiteral("Alarms"), QStringLiteral("MonitorSets")}},
        {QStringLiteral("Thermo.db"),
         {QStringLiteral("Batchs"), QStringLiteral("CookCycles"), QStringLiteral("Products")}}};
    return tables;
}

} // namespace

base::Result<ReportTemplate> ReportTemplate::parse(const QByteArray& text) {
    ReportTemplate result;
    QSet<QString> seen;
    const QList<QByteArray> lines = text.split('\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString line = QString::fromUtf8(lines.at(i)).trimmed();
        const auto refuse = [i](const QString& why) {
            return base::fail(QStringLiteral("Line %1 of the report template: %2").arg(i + 1).arg(why));
        };
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const qsizetype colon = line.indexOf(QLatin1Char(':'));
        if (colon <= 0)
            return refuse(QStringLiteral("expected \"key: value\"."));
        const QString key = line.left(colon).trimmed().toLower();
        const QString value = line.mid(colon + 1).trimmed();
        if (seen.contains(key))
            return refuse(QStringLiteral("\"%1\" is given twice.").arg(key));
        seen.insert(key);
        if (key == QLatin1String("title")) {
            result.title = value;
        } else if (key == QLatin1String("database")) {
            if (!kTables().contains(value))
                return refuse(QStringLiteral("there is no database \"%1\".").arg(value));
            result.database = value;
        } else if (key == QLatin1String("table")) {
            result.table = value;
        } else if (key == QLatin1String("group")) {
            static const QStringList groups{QStringLiteral("day"), QStringLiteral("zone"),
                                            QStringLiteral("batch"), QStringLiteral("none")};
            if (!groups.contains(value))
                return refuse(
                    QStringLiteral("a report groups by day, zone, batch or none, not \"%1\".").arg(value));
            result.group = value;
        } else if (key == QLatin1String("columns")) {
            for (const QString& column : value.split(QLatin1Char(','))) {
                if (column.trimmed().isEmpty())
                    return refuse(QStringLiteral("a column has no name."));
                result.columns << column.trimmed();
            }
        } else if (key == QLatin1String("summary")) {
            result.summary = value;
        } else {
            return refuse(QStringLiteral("unknown key \"%1\".").arg(key));
        }
    }
    for (const auto& [key, value] : {std::pair{QStringLiteral("title"), result.title},
                                     std::pair{QStringLiteral("database"), result.database},
                                     std::pair{QStringLiteral("table"), result.table}}) {
        if (value.isEmpty())
            return base::fail(QStringLiteral("The report template has no %1.").arg(key));
    }
    if (result.columns.isEmpty())
        return base::fail(QStringLiteral("The report template has no columns."));
    if (!kTables().value(result.database).contains(result.table))
        return base::fail(QStringLiteral("The report template reads table \"%1\", which %2 does not have.")
                              .arg(result.table, result.database));
    if (result.group.isEmpty())
        result.group = QStringLiteral("none");
    return result;
}

base::Result<ReportTemplate> ReportTemplate::load(const QString& fileName, const QString& siteDir,
                                                  const QString& dataDir) {
    QString path = QDir(siteDir).filePath(fileName);
    if (!QFile::exists(path))
        path = QDir(dataDir).filePath(QStringLiteral("reports/") + fileName);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return base::fail(QStringLiteral("The report template %1 was not found.").arg(fileName));
    auto parsed = parse(file.readAll());
    if (!parsed)
        return base::fail(QStringLiteral("%1: %2").arg(fileName, parsed.error()));
    return parsed;
}

} // namespace kelvara::reports
