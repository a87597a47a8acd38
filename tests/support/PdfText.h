#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

namespace kelvara::test {

// A PDF's text as pdftotext reads it, each line with its runs of spaces made one, empty lines left out.
inline QStringList pdfLines(const QString& pdf) {
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    process.waitForFinished(30000);
    QStringList lines;
    for (QString line : QString::fromUtf8(process.readAllStandardOutput()).split(QLatin1Char('\n'))) {
        line = line.simplified();
        if (!line.isEmpty())
            lines << line;
    }
    return lines;
}

} // namespace kelvara::test
