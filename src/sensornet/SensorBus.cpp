#include "sensornet/SensorBus.h"

#include "sensornet/AdapterProtocol.h"

namespace kelvara::sensornet {

namespace {

const QString kCr = QStringLiteral("\r");
const QString kPresenceTerminator = QStringLiteral("P\r");
const QString kConvertTerminator = QStringLiteral("44\r");

} // namespace

SensorBus::SensorBus(AdapterLink& link, sensornet::AdapterCommands commands)
    : m_link(link), m_commands(std::move(commands)) {}

QString SensorBus::busReset() {
    return m_link.portData(m_commands.ResetCmd, kPresenceTerminator);
}

QString SensorBus::select(const QString& romId) {
    return protocol::cleanAnswer(address(romId + kCr));
}

QString SensorBus::address(const QString& suffix) {
    return m_link.portData(m_commands.AddressCmd + suffix, kCr);
}

QString SensorBus::convert() {
    return m_link.portData(m_commands.ConvertCmd, kConvertTerminator);
}

QString SensorBus::reselect() {
    return m_link.portData(protocol::kReselectCommand, kCr);
}

QString SensorBus::readTemperature() {
    return protocol::withoutWriteEcho(m_link.portData(m_commands.TemperatureCmd, kCr),
                                      m_commands.TemperatureCmd);
}

QString SensorBus::readThermocouple() {
    return m_link.portData(m_commands.ThermoTempCmd, kCr);
}

QString SensorBus::firstSearchCommand(DeviceSearch search) const {
    switch (search) {
    case DeviceSearch::All:
        return m_commands.SearchCmd;
    case DeviceSearch::AlarmSwitches:
        return m_commands.AlarmSensorCmd;
    case DeviceSearch::Thermocouples:
        return m_commands.ThermoSensorCmd;
    }
    return m_commands.SearchCmd;
}

std::vector<FoundDevice> SensorBus::enumerate(DeviceSearch search) {
    std::vector<FoundDevice> found;
    enumerate(search, [&found](const FoundDevice& device) {
        found.push_back(device);
        return true;
    });
    return found;
}

void SensorBus::enumerate(DeviceSearch search, const std::function<bool(const FoundDevice&)>& onDevice) {
    busReset();
    QString answer = m_link.portData(firstSearchCommand(search), kCr);
    while (answer.size() >= kShortestSearchAnswer) {
        const QString romId = protocol::cleanAnswer(answer);
        if (romId == protocol::kErrorAnswer)
            break;
        if (!onDevice({answer, romId}))
            break;
        answer = m_link.portData(m_commands.NextSensorCmd, kCr);
    }
}

bool SensorBus::adapterPresent() {
    return m_link.portData(m_commands.SearchCmd, kCr).size() > 10;
}

SwitchList SensorBus::activeSwitches() {
    return SwitchList(m_link.portData(protocol::kSwitchListCommand, kCr));
}

bool SensorBus::convertAll() {
    if (m_commands.ConvertAllCmd.isEmpty())
        return false;
    busReset();
    if (!m_link.portData(m_commands.ConvertAllCmd, kConvertTerminator).contains(kConvertTerminator))
        return false;
    for (int poll = 0; poll < kConversionPolls; ++poll) {
        const QString slot = m_link.portData(protocol::kReadSlotCommand, kCr);
        // Anything but a 0 (a 1, or no answer at all) ends the wait: a silent adapter is not waited for.
        if (!slot.startsWith(QLatin1Char('0')))
            break;
        m_link.pause(kConversionPollMs);
    }
    return true;
}

SensorReading SensorBus::readSensor(const QString& romId, bool converted) {
    SensorReading reading;
    for (int attempt = 1; attempt <= kReadAttempts; ++attempt) {
        reading.attempts = attempt;
        reading.temperatureAnswer.clear();
        busReset();
        reading.addressAnswer = select(romId);
        if (reading.addressAnswer != romId)
            continue;
        if (!converted || attempt > 1)
            convert();
        reselect();
        reading.temperatureAnswer = readTemperature();
        if (decoding::checkTemperatureAnswer(reading.temperatureAnswer) != TemperatureAnswerCheck::Usable)
            continue;
        // A sensor that still reports its power-on value did not convert: read it again rather than
        // record 85 °C.
        if (decoding::isPowerOnValue(reading.temperatureAnswer, reading.addressAnswer.right(2)))
            continue;
        const auto celsius =
            decoding::decodeTemperature(reading.temperatureAnswer, reading.addressAnswer.right(2));
        if (!celsius)
            continue;
        reading.state = ReadState::Read;
        reading.celsius = *celsius;
        return reading;
    }
    const bool echoedSomethingElse =
        reading.addressAnswer != romId && reading.addressAnswer != protocol::kErrorAnswer;
    reading.state = echoedSomethingElse ? ReadState::Unconfirmed : ReadState::NoData;
    return reading;
}

} // namespace kelvara::sensornet
