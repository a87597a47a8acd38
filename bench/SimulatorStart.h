#pragma once

#include <QElapsedTimer>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTextStream>

// Starts kelvara-sim with these arguments and returns the terminal's path from its first output line;
// empty (with the reason written to `out`) when it did not start within ten seconds.
inline QString startSimulator(QProcess& sim, const QString& binary, const QStringList& arguments,
                              QTextStream& out) {
    sim.start(binary, arguments);
    QElapsedTimer started;
    started.start();
    while (sim.state() != QProcess::NotRunning && !sim.canReadLine() && started.elapsed() < 10000)
        sim.waitForReadyRead(100);
    if (!sim.canReadLine()) {
        out << "the simulator did not start: " << binary << " " << sim.errorString() << Qt::endl;
        return {};
    }
    return QString::fromUtf8(sim.readLine()).trimmed();
}
