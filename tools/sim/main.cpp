// kelvara-sim: a serial bus adapter with simulated 1-Wire devices behind a pseudo-terminal.
#include "sim/ControlCommands.h"
#include "sim/ControlServer.h"
#include "sim/PtyServer.h"
#include "sim/Scenario.h"
#include "sim/Simulator.h"
#include "sim/StopSignals.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <csignal>
#include <cstdio>

using namespace kelvara::sim;

namespace {

void warn(const QString& text) {
    std::fprintf(stderr, "kelvara-sim: %s\n", qPrintable(text));
}

} // namespace

int main(int argc, char** argv) {
    StopSignals::blockInEveryThread();
    // A reader that goes away must not kill us; a background run must not stop on reading its terminal.
    std::signal(SIGPIPE, SIG_IGN);
    std::signal(SIGTTIN, SIG_IGN);

    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("kelvara-sim"));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Simulated 1-Wire bus adapter on a pseudo-terminal. Prints the terminal's path as its "
                       "first line, then "
                       "one reply line per control command read from standard input."));
    parser.addHelpOption();
    const QCommandLineOption scenarioOption(QStringLiteral("scenario"), QStringLiteral("Scenario JSON file."),
                                            QStringLiteral("FILE"));
    const QCommandLineOption baudOption(
        QStringLiteral("baud"), QStringLiteral("Pace answers as on a line at N baud (10 bits a byte)."),
        QStringLiteral("N"));
    const QCommandLineOption checksumOption(
        QStringLiteral("checksum"), QStringLiteral("Answers carry a checksum before their carriage return."));
    const QCommandLineOption linkOption(QStringLiteral("link"),
                                        QStringLiteral("Keep a symbolic link at PATH to the terminal."),
                                        QStringLiteral("PATH"));
    const QCommandLineOption controlOption(
        QStringLiteral("control"), QStringLiteral("Also take control commands on a Unix socket at PATH."),
        QStringLiteral("PATH"));
    const QCommandLineOption seedOption(
        QStringLiteral("seed"), QStringLiteral("Seed for faults and noise (overrides the scenario's)."),
        QStringLiteral("N"));
    const QCommandLineOption timeOption(QStringLiteral("time"),
                                        QStringLiteral("Hold the scenario clock at SECONDS from the start."),
                                        QStringLiteral("SECONDS"));
    const QCommandLineOption traceOption(QStringLiteral("trace"),
                                         QStringLiteral("Log every command and answer on standard error."));
    parser.addOptions({scenarioOption, baudOption, checksumOption, linkOption, controlOption, seedOption,
                       timeOption, traceOption});
    parser.process(app);

    if (!parser.isSet(scenarioOption)) {
        warn(QStringLiteral("--scenario FILE is required"));
        return 2;
    }
    QString error;
    auto scenario = Scenario::fromFile(parser.value(scenarioOption), &error);
    if (!scenario) {
        warn(error);
        return 2;
    }
    for (const QString& warning : scenario->warnings)
        warn(warning);
    bool ok = true;
    const int baud = parser.isSet(baudOption) ? parser.value(baudOption).toInt(&ok) : 0;
    if (!ok || baud < 0) {
        warn(QStringLiteral("--baud takes a positive whole number"));
        return 2;
    }
    if (parser.isSet(seedOption)) {
        scenario->seed = parser.value(seedOption).toULongLong(&ok);
        if (!ok) {
            warn(QStringLiteral("--seed takes a whole number"));
            return 2;
        }
    }
    if (parser.isSet(checksumOption))
        scenario->checksum = true;

    Simulator simulator(*scenario);
    if (parser.isSet(timeOption)) {
        const double seconds = parser.value(timeOption).toDouble(&ok);
        if (!ok) {
            warn(QStringLiteral("--time takes a number of seconds"));
            return 2;
        }
        simulator.freezeTime(seconds);
    }

    QElapsedTimer clock;
    clock.start();
    PtyServer pty(simulator, clock);
    pty.setBaud(baud);
    pty.setLinkPath(parser.value(linkOption));
    pty.setTrace(parser.isSet(traceOption));
    if (!pty.open(&error)) {
        warn(error);
        return 1;
    }
    ControlServer::writeStandardOutput(pty.path());

    ControlCommands commands(simulator);
    ControlServer control([&](const QString& line) -> QString {
        // Whatever the port already received comes first, so a reply means the simulator has caught up.
        pty.takeInput();
        simulator.setElapsed(static_cast<double>(clock.elapsed()) / 1000.0);
        if (line == QLatin1String("path"))
            return pty.isOpen() ? pty.path() : QStringLiteral("closed");
        QString reply = commands.execute(line);
        // Unplugging and plugging the port back in are the one thing the protocol code cannot do itself.
        const bool wantOpen = simulator.adapter().mode() != AdapterMode::Closed;
        QString why;
        if (!wantOpen && pty.isOpen())
            pty.close();
        else if (wantOpen && !pty.isOpen() && !pty.open(&why))
            reply = QStringLiteral("error: ") + why;
        return reply;
    });
    control.readStandardInput();
    if (parser.isSet(controlOption) && !control.listen(parser.value(controlOption), &error)) {
        warn(error);
        return 1;
    }

    StopSignals stop;
    QObject::connect(&stop, &StopSignals::stopRequested, &app, [] { QCoreApplication::quit(); });
    const int code = QCoreApplication::exec();
    pty.close();
    return code;
}
