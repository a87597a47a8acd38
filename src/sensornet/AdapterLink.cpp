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

AdapterLink::AdapterLink(SerialPort& port, const app::Clock& clock, Pause& pause, app::UserDialogs& dialogs,
                         ExchangeRules rules, app::ErrorReporter* reporter)
    : m_port(port), m_clock(clock), m_pause(pause), m_dialogs(dialogs), m_rules(rules), m_reporter(reporter) {
}

ConfigureOutcome AdapterLink::configurePort(const app::UserSettings& settings) {
    const QString& section = app::UserSettings::kSection;
    closePort();

    const QString lineText = settings.get(section, QStringLiteral("Settings"));
    if (!lineText.isEmpty()) {
        const ParseResult<LineParameters> parameters = parseLineParameters(lineText);
        if (!parameters.ok()) {
            m_dialogs.information(kTitle, parameters.error);
            return ConfigureOutcome::Refused;
        }
        m_settings.parameters = *parameters.value;
    }

    QString failure;
    const QString portName = settings.get(section, QStringLiteral("PortName")).trimmed();
    if (!portName.isEmpty()) {
        m_settings.portName = portName;
    } else {
        const QString number = settings.get(section, QStringLiteral("CommPort"));
        if (!number.isEmpty()) {
            const ParseResult<QString> device = parsePortNumber(number);
            if (device.ok())
                m_settings.portName = *device.value;
            else
                failure = device.error;
        }
    }

    const QString handshaking = settings.get(section, QStringLiteral("Handshaking"));
    if (!handshaking.isEmpty()) {
        const ParseResult<QSerialPort::FlowControl> flow = parseHandshaking(handshaking);
        if (flow.ok())
            m_settings.flowControl = *flow.value;
        else if (failure.isEmpty())
            failure = flow.error;
    }
    const QString checksum = settings.get(section, QStringLiteral("Checksum")).trimmed().toLower();
    m_answerChecksums = checksum == QLatin1String("1") || checksum == QLatin1String("true") ||
                        checksum == QLatin1String("on") || checksum == QLatin1String("yes");

    if (!failure.isEmpty()) {
        m_dialogs.information(kTitle, failure);
        closePort();
        return ConfigureOutcome::Refused;
    }

    if (lineText.isEmpty()) {
        m_dialogs.information(kTitle, kNoSettingsMessage);
        return ConfigureOutcome::NotConfigured;
    }
    return ConfigureOutcome::Configured;
}

std::optional<QString> AdapterLink::resetAdapter(const QString& resetCommand) {
    closePort();
    m_pause.wait(kResetWaitMs);
    const PortOpenResult opened = m_port.open(m_settings);
    if (!opened.ok()) {
        const int number = openErrorNumber(opened.failure);
        if (number >= kInvalidPortNumber && number <= kPortAlreadyOpen)
            m_dialogs.information(kTitle, kCheckPortMessage + QString::number(number));
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
    return m_answerChecksums ? protocol::withoutLineChecksums(raw) : raw;
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
