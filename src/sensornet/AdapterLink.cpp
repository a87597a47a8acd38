#include "sensornet/AdapterLink.h"

#include "sensornet/AdapterProtocol.h"

#include <QStringList>

namespace kelvara::sensornet {

int openErrorNumber(PortFailure failure) {
    switch (failure) {
    case PortFailure::None:
        return 0;
    case PortFailure::NotFound:
        return kInvalidPortNumber;
    case PortFailure::AccessDenied:
        return kPortUnavailable;
    case PortFailure::AlreadyOpen:
        return kPortAlreadyOpen;
    case PortFailure::SettingsRefused:
    case PortFailure::Other:
        return kPortFailed;
    }
    return kPortFailed;
}

AdapterLink::AdapterLink(SerialPort& port, const base::Clock& clock, Pause& pause, base::UserDialogs& dialogs,
                         ExchangeRules rules, base::ErrorReporter* reporter)
    : m_port(port), m_clock(clock), m_pause(pause), m_dialogs(dialogs), m_rules(rules), m_reporter(reporter) {
}

ConfigureOutcome AdapterLink::configurePort(const base::Result<StoredLineSettings>& stored) {
    closePort();
    if (!stored) {
        m_dialogs.warning(kTitle, stored.error());
        return ConfigureOutcome::Refused;
    }
    if (stored->parameters)
        m_settings.parameters = *stored->parameters;
    if (stored->portName)
        m_settings.portName = *stored->portName;
    if (stored->flowControl)
        m_settings.flowControl = *stored->flowControl;
    m_settings.answerChecksums = stored->answerChecksums;
    if (!stored->parameters) {
        m_dialogs.critical(kTitle, kNoSettingsMessage);
        return ConfigureOutcome::NotConfigured;
    }
    return ConfigureOutcome::Configured;
}

std::optional<QString> AdapterLink::resetAdapter(const QString& resetCommand) {
    return openAndReset(resetCommand, false);
}

std::optional<QString> AdapterLink::reopen(const QString& resetCommand) {
    return openAndReset(resetCommand, true);
}

std::optional<QString> AdapterLink::openAndReset(const QString& resetCommand, bool quiet) {
    // Also a failed device is closed: its name (a symbolic link, for instance) is looked up anew.
    closePort();
    m_pause.wait(kResetWaitMs);
    const base::Result<void> opened = m_port.open(m_settings);
    if (!opened) {
        const int number = openErrorNumber(static_cast<PortFailure>(opened.code()));
        const QString text = kCheckPortMessage + QString::number(number);
        if (quiet && m_reporter)
            m_reporter->reportError(text, kReopenProcedure);
        else if (!quiet && number >= kInvalidPortNumber && number <= kPortAlreadyOpen)
            m_dialogs.critical(kTitle, text);
        m_port.close();
        return std::nullopt;
    }
    send(resetCommand);
    m_pause.wait(kResetWaitMs);
    return takeArrived();
}

void AdapterLink::closePort() {
    if (m_port.isOpen())
        m_port.close();
}

QString AdapterLink::portData(const QString& command, const QString& terminator) {
    QStringList reported;
    if (!m_port.isOpen()) {
        // Nothing can arrive on a closed port: answer at once instead of waiting out the deadline.
        if (!m_rules.emptyWhenClosed)
            reportOnce(QStringLiteral("The port is not open."), reported);
        return {};
    }

    const qint64 deadline = m_clock.monotonicMs() + m_rules.deadlineMs;
    // Whatever arrived before the command went out cannot be its answer (a late answer to an exchange that
    // gave up): drop it.
    m_port.readAll();
    m_port.takeError();
    QString raw;
    QString answer;
    if (!m_port.write(command.toLatin1()))
        reportOnce(m_port.takeError(), reported);
    if (m_rules.preWaitForSwitchList && command == protocol::kSwitchListCommand)
        m_pause.wait(kSwitchListPreWaitMs);

    // Wait first: the answer cannot be there the moment the command left, and each look at the port is a
    // system call.
    while (m_port.isOpen()) {
        const qint64 left = deadline - m_clock.monotonicMs();
        if (left <= 0)
            break;
        m_port.waitForReadyRead(static_cast<int>(qMin<qint64>(left, kPollSliceMs)));
        reportOnce(m_port.takeError(), reported);
        raw += QString::fromLatin1(m_port.readAll());
        answer = received(raw);
        reportOnce(m_port.takeError(), reported);
        if (answer.contains(terminator))
            break;
    }
    return answer;
}

bool AdapterLink::send(const QString& command) {
    if (!m_port.isOpen())
        return false;
    const bool written = m_port.write(command.toLatin1());
    m_port.takeError();
    return written;
}

QString AdapterLink::takeArrived() {
    if (!m_port.isOpen())
        return {};
    const QString arrived = received(QString::fromLatin1(m_port.readAll()));
    m_port.takeError();
    return arrived;
}

QString AdapterLink::received(const QString& raw) const {
    return m_settings.answerChecksums ? protocol::withoutLineChecksums(raw) : raw;
}

void AdapterLink::reportOnce(const QString& error, QStringList& reported) {
    // A failing port fails on every poll; one line per distinct failure and exchange is enough.
    if (error.isEmpty() || reported.contains(error))
        return;
    reported << error;
    if (m_reporter)
        m_reporter->reportError(error, kExchangeProcedure);
}

} // namespace kelvara::sensornet
