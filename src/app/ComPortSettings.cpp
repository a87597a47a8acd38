#include "app/ComPortSettings.h"

#include "app/UserSettings.h"
#include "sensornet/PortLists.h"

namespace kelvara::app {

namespace {

const QString kSettingsKey = QStringLiteral("Settings");
const QString kCommPortKey = QStringLiteral("CommPort");
const QString kPortNameKey = QStringLiteral("PortName");
const QString kHandshakingKey = QStringLiteral("Handshaking");
const QString kEchoKey = QStringLiteral("Echo");
const QString kChecksumKey = QStringLiteral("Checksum");

// "True"/"False" as the store has always held them ("on" and "yes" too); a number counts as true unless
// it is zero.
bool readFlag(const QString& text) {
    const QString t = text.trimmed();
    bool isNumber = false;
    const double number = t.toDouble(&isNumber);
    if (isNumber)
        return number != 0;
    for (const char* word : {"true", "on", "yes"}) {
        if (t.compare(QLatin1String(word), Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

} // namespace

QString lineSettingsText(const QString& speed, const QString& parity, const QString& dataBits,
                         const QString& stopBits) {
    const QString p = parity.trimmed().left(1).toLower();
    return speed.trimmed() + QLatin1Char(',') + p + QLatin1Char(',') + dataBits.trimmed() + QLatin1Char(',') +
           stopBits.trimmed();
}

int entryStartingWith(const QStringList& entries, QChar letter) {
    for (qsizetype i = 0; i < entries.size(); ++i) {
        if (entries[i].startsWith(letter, Qt::CaseInsensitive))
            return static_cast<int>(i);
    }
    return -1;
}

ComPortChoice readComPortChoice(const UserSettings& settings) {
    const QString& section = UserSettings::kSection;
    ComPortChoice choice;
    choice.echo = readFlag(settings.get(section, kEchoKey));

    const QString line = settings.get(section, kSettingsKey);
    if (line.trimmed().isEmpty())
        return choice;

    const QStringList parts = line.split(QLatin1Char(','));
    if (!parts.value(0).trimmed().isEmpty())
        choice.speed = parts.value(0).trimmed();
    if (!parts.value(1).trimmed().isEmpty())
        choice.parity = parts.value(1).trimmed().at(0).toLower();
    if (!parts.value(2).trimmed().isEmpty())
        choice.dataBits = parts.value(2).trimmed();
    if (!parts.value(3).trimmed().isEmpty())
        choice.stopBits = parts.value(3).trimmed();

    const QString portName = settings.get(section, kPortNameKey).trimmed();
    bool isNumber = false;
    const int number = settings.get(section, kCommPortKey).trimmed().toInt(&isNumber);
    if (!portName.isEmpty())
        choice.port = portName;
    else if (isNumber && number >= 1)
        choice.port = QStringLiteral("Com%1").arg(number);

    const int flow = settings.get(section, kHandshakingKey).trimmed().toInt(&isNumber);
    if (isNumber && flow >= 0 && flow < kFlowOptionCount)
        choice.flow = flow;
    return choice;
}

base::Result<sensornet::StoredLineSettings> readLineSettings(const UserSettings& settings) {
    const QString& section = UserSettings::kSection;
    sensornet::StoredLineSettings stored;

    const QString lineText = settings.get(section, kSettingsKey);
    if (!lineText.isEmpty()) {
        const auto parameters = sensornet::parseLineParameters(lineText);
        if (!parameters)
            return parameters.failure();
        stored.parameters = *parameters;
    }

    const QString portName = settings.get(section, kPortNameKey).trimmed();
    const QString number = settings.get(section, kCommPortKey);
    if (!portName.isEmpty()) {
        stored.portName = portName;
    } else if (!number.isEmpty()) {
        const auto device = sensornet::parsePortNumber(number);
        if (!device)
            return device.failure();
        stored.portName = *device;
    }

    const QString handshaking = settings.get(section, kHandshakingKey);
    if (!handshaking.isEmpty()) {
        const auto flow = sensornet::parseHandshaking(handshaking);
        if (!flow)
            return flow.failure();
        stored.flowControl = *flow;
    }
    stored.answerChecksums = readFlag(settings.get(section, kChecksumKey));
    return stored;
}

void writeComPortChoice(UserSettings& settings, const ComPortChoice& choice) {
    const QString& section = UserSettings::kSection;
    settings.save(section, kSettingsKey,
                  lineSettingsText(choice.speed, QString(choice.parity), choice.dataBits, choice.stopBits));

    const QString port = choice.port.trimmed();
    if (const std::optional<int> number = sensornet::comPortNumber(port)) {
        settings.save(section, kCommPortKey, QString::number(*number));
        settings.remove(section, kPortNameKey);
    } else if (!port.isEmpty()) {
        // The serial link opens "PortName" in preference to "CommPort", so the number is left as it was.
        settings.save(section, kPortNameKey, port);
    }
    settings.save(section, kHandshakingKey, QString::number(choice.flow));
    settings.save(section, kEchoKey, choice.echo ? QStringLiteral("True") : QStringLiteral("False"));
}

} // namespace kelvara::app
