// kelvara-sim: a serial bus adapter with simulated 1-Wire devices, or a modem with message centres and pagers
// behind its numbers, on a pseudo-terminal.
#include "sim/ControlCommands.h"
#include "sim/ControlServer.h"
#include "sim/Modem.h"
#include "sim/ModemControlCommands.h"
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

struct Options {
    QCommandLineOption scenario{QStringLiteral("scenario"), QStringLiteral("Scenario JSON file."),
                                QStringLiteral("FILE")};
    QCommandLineOption modem{
        QStringLiteral("modem"),
        QStringLiteral("Play a modem described by this JSON file instead of the adapter."),
        QStringLiteral("FILE")};
    QCommandLineOption baud{QStringLiteral("baud"),
                            QStringLiteral("Pace answers as on a line at N baud (10 bits a byte)."),
                            QStringLiteral("N")};
    QCommandLineOption checksum{QStringLiteral("checksum"),
                                QStringLiteral("Answers carry a checksum before their carriage return.")};
    QCommandLineOption link{QStringLiteral("link"),
                            QStringLiteral("Keep a symbolic link at PATH to the terminal."),
                            QStringLiteral("PATH")};
    QCommandLineOption control{QStringLiteral("control"),
                               QStringLiteral("Also take control commands on a Unix socket at PATH."),
                               QStringLiteral("PATH")};
    QCommandLineOption seed{QStringLiteral("seed"),
                            QStringLiteral("Seed for faults and noise (overrides the scenario's)."),
                            QStringLiteral("N")};
    QCommandLineOption time{QStringLiteral("time"),
                            QStringLiteral("Hold the scenario clock at SECONDS from the start."),
                            QStringLiteral("SECONDS")};
    QCommandLineOption instant{QStringLiteral("instant-conversions"),
                               QStringLiteral("Every conversion ends at once, whatever the scenario says.")};
    QCommandLineOption trace{QStringLiteral("trace"),
                             QStringLiteral("Log every command and answer on standard error.")};
};

// Serves the port and the control channel until a stop signal; the exit code.
int serve(PtyServer& pty, const QCommandLineParser& parser, const Options& options,
          const ControlServer::Handler& handler) {
    pty.setLinkPath(parser.value(options.link));
    pty.setTrace(parser.isSet(options.trace));
    QString error;
    if (!pty.open(&error)) {
        warn(error);
        return 1;
    }
    ControlServer::writeStandardOutput(pty.path());
    ControlServer control(handler);
    control.readStandardInput();
    if (parser.isSet(options.control) && !control.listen(parser.value(options.control), &error)) {
        warn(error);
        return 1;
    }
    StopSignals stop;
    QObject::connect(&stop, &StopSignals::stopRequested, qApp, [] { QCoreApplication::quit(); });
    const int code = QCoreApplication::exec();
    pty.close();
    return code;
}

int runModem(const QCommandLineParser& parser, const Options& options) {
    for (const QCommandLineOption* adapterOnly : {&options.scenario, &options.baud, &options.checksum,
                                                  &options.seed, &options.time, &options.instant}) {
        if (parser.isSet(*adapterOnly)) {
            warn(QStringLiteral("--%1 does not go with --modem").arg(adapterOnly->names().constFirst()));
            return 2;
        }
    }
    QString error;
    auto scenario = ModemScenario::fromFile(parser.value(options.modem), &error);
    if (!scenario) {
        warn(error);
        return 2;
    }
    Modem modem(std::move(*scenario));
    // Each accepted part is a line of its own at once, so a reader sees it before the client hears the
    // answer.
    modem.setMessageSink([](const ModemMessage& message) {
        ControlServer::writeStandardOutput(QString::fromUtf8(message.jsonLine()));
    });
    QElapsedTimer clock;
    clock.start();
    PtyServer pty(modem, clock);
    ModemControlCommands commands(modem);
    return serve(pty, parser, options, [&](const QString& line) -> QString {
        pty.takeInput();
        if (line == QLatin1String("path"))
            return pty.path();
        return commands.execute(line);
    });
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
    parser.setApplicationDescription(QStringLiteral(
        "Simulated 1-Wire bus adapter (or modem) on a pseudo-terminal. Prints the terminal's path "
        "as its first line, then one reply line per control command read from standard input."));
    parser.addHelpOption();
    const Options options;
    parser.addOptions({options.scenario, options.modem, options.baud, options.checksum, options.link,
                       options.control, options.seed, options.time, options.instant, options.trace});
    parser.process(app);

    if (parser.isSet(options.modem))
        return runModem(parser, options);
    if (!parser.isSet(options.scenario)) {
        warn(QStringLiteral("--scenario FILE or --modem FILE is required"));
        return 2;
    }
    QString error;
    auto scenario = Scenario::fromFile(parser.value(options.scenario), &error);
    if (!scenario) {
        warn(error);
        return 2;
    }
    for (const QString& warning : scenario->warnings)
        warn(warning);
    bool ok = true;
    const int baud = parser.isSet(options.baud) ? parser.value(options.baud).toInt(&ok) : 0;
    if (!ok || baud < 0) {
        warn(QStringLiteral("--baud takes a positive whole number"));
        return 2;
    }
    if (parser.isSet(options.seed)) {
        scenario->seed = parser.value(options.seed).toULongLong(&ok);
        if (!ok) {
            warn(QStringLiteral("--seed takes a whole number"));
            return 2;
        }
    }
    if (parser.isSet(options.checksum))
        scenario->checksum = true;
    if (parser.isSet(options.instant))
        scenario->conversionScale = 0.0;

    Simulator simulator(*scenario);
    if (parser.isSet(options.time)) {
        const double seconds = parser.value(options.time).toDouble(&ok);
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
    ControlCommands commands(simulator);
    return serve(pty, parser, options, [&](const QString& line) -> QString {
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
}
