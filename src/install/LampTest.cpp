#include "install/LampTest.h"

#include "app/ComPortSettings.h"
#include "sensornet/AdapterLink.h"

namespace kelvara::install {

namespace {

const QString kCarriageReturn = QStringLiteral("\r");
const QString kResetTerminator = QStringLiteral("P\r");

// A zone or cook sensor without a lamp switch has nothing to test: its command would address nobody.
QStringList withLamps(const QStringList& serials) {
    QStringList lamps;
    for (const QString& serial : serials) {
        if (!serial.trimmed().isEmpty())
            lamps << serial;
    }
    return lamps;
}

} // namespace

LampTest::LampTest(sensornet::AdapterLink& link, sensornet::AdapterCommands commands)
    : m_link(link), m_commands(std::move(commands)) {}

QString LampTest::lampCommand(const QString& lampSerial) const {
    return m_commands.AddressCmd + lampSerial + kCarriageReturn;
}

bool LampTest::openForAlarmPanel(const app::UserSettings& settings) {
    m_switchings = 0;
    m_answer.clear();
    // Settings that cannot be used have been explained already; opening anyway would only add a second box.
    if (m_link.configurePort(app::readLineSettings(settings)) == sensornet::ConfigureOutcome::Refused)
        return false;
    m_link.resetAdapter(m_commands.ResetCmd);
    if (!m_link.isOpen())
        return false;
    m_answer = m_link.portData(m_commands.ResetCmd, kResetTerminator);
    return true;
}

void LampTest::exchangeLamp(const QString& lampSerial, int times) {
    const QString command = lampCommand(lampSerial);
    for (int i = 0; i < times; ++i) {
        m_answer = m_link.portData(command, kCarriageReturn);
        ++m_switchings;
        m_link.pause(kSwitchPauseMs);
    }
}

void LampTest::sendLamp(const QString& lampSerial, int times) {
    const QString command = lampCommand(lampSerial);
    for (int i = 0; i < times; ++i) {
        m_link.send(command);
        ++m_switchings;
        m_link.pause(kSwitchPauseMs);
        m_answer = m_link.takeArrived();
    }
}

bool LampTest::alarmPanel(const app::UserSettings& settings, const QStringList& lampSerials) {
    if (!openForAlarmPanel(settings))
        return false;
    for (const QString& serial : withLamps(lampSerials))
        exchangeLamp(serial, kPanelSwitchings);
    m_link.closePort();
    return true;
}

bool LampTest::alarmLamp(const app::UserSettings& settings, const QString& lampSerial) {
    m_switchings = 0;
    if (withLamps({lampSerial}).isEmpty())
        return false;
    if (!openForAlarmPanel(settings))
        return false;
    exchangeLamp(lampSerial, kSingleLampSwitchings);
    m_link.closePort();
    return true;
}

bool LampTest::cookPanel(const QStringList& lampSerials) {
    m_switchings = 0;
    m_answer.clear();
    m_link.resetAdapter(m_commands.ResetCmd);
    if (!m_link.isOpen())
        return false;
    m_link.send(m_commands.ResetCmd);
    m_link.pause(kSwitchPauseMs);
    m_answer = m_link.takeArrived();
    for (const QString& serial : withLamps(lampSerials))
        sendLamp(serial, kCookSwitchings);
    m_link.closePort();
    return true;
}

bool LampTest::cookLamp(const QString& lampSerial) {
    m_switchings = 0;
    m_answer.clear();
    if (withLamps({lampSerial}).isEmpty())
        return false;
    m_link.resetAdapter(m_commands.ResetCmd);
    if (!m_link.isOpen())
        return false;
    sendLamp(lampSerial, kCookSwitchings);
    m_link.closePort();
    return true;
}

} // namespace kelvara::install
