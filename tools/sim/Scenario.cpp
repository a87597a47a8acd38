#include "sim/Scenario.h"

#include "sim/Thermocouple.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <set>

namespace kelvara::sim {

namespace {
template <typename T> std::optional<T> fail(QString* error, const QString& text) {
    if (error)
        *error = text;
    return std::nullopt;
}

bool readCourse(const QJsonObject& object, const char* key, Course* out, QString* error) {
    const QJsonValue value = object.value(QLatin1String(key));
    if (value.isUndefined())
        return true;
    QString why;
    const auto course = Course::fromJson(value, &why);
    if (!course) {
        if (error)
            *error = QStringLiteral("\"%1\": %2").arg(QLatin1String(key), why);
        return false;
    }
    *out = *course;
    return true;
}
} // namespace

std::optional<DeviceConfig> Scenario::deviceFromJson(const QJsonObject& object, QString* error) {
    DeviceConfig config;
    const QString romText = object.value(QLatin1String("rom")).toString();
    const auto rom = RomId::fromText(romText);
    if (!rom)
        return fail<DeviceConfig>(
            error, QStringLiteral("\"rom\" must be 16 hexadecimal digits, not \"%1\"").arg(romText));
    config.rom = *rom;
    QString why;
    if (!readCourse(object, "temperature", &config.temperature, &why) ||
        !readCourse(object, "course", &config.temperature, &why) ||
        !readCourse(object, "coldJunction", &config.coldJunction, &why))
        return fail<DeviceConfig>(error, QStringLiteral("device %1: %2").arg(romText, why));
    config.on = object.value(QLatin1String("on")).toBool(false);
    config.parasitePower = object.value(QLatin1String("parasite")).toBool(false);
    config.resolutionBits = object.value(QLatin1String("resolution")).toInt(12);
    if (config.resolutionBits < 9 || config.resolutionBits > 12)
        return fail<DeviceConfig>(error,
                                  QStringLiteral("device %1: \"resolution\" is 9 to 12 bits").arg(romText));
    const QString type = object.value(QLatin1String("type")).toString(QStringLiteral("K")).toUpper();
    if (type.size() != 1 || !Thermocouple::knownType(type[0].toLatin1()))
        return fail<DeviceConfig>(
            error, QStringLiteral("device %1: unknown thermocouple type \"%2\"").arg(romText, type));
    config.thermocoupleType = type[0].toLatin1();

    QJsonArray faults = object.value(QLatin1String("faults")).toArray();
    if (object.contains(QLatin1String("fault")))
        faults.prepend(object.value(QLatin1String("fault")));
    for (const QJsonValue& entry : faults) {
        const auto fault = FaultPlan::fromJson(entry, &why);
        if (!fault)
            return fail<DeviceConfig>(error, QStringLiteral("device %1: %2").arg(romText, why));
        config.faults.add(*fault);
    }
    return config;
}

std::optional<Scenario> Scenario::fromJson(const QByteArray& json, QString* error) {
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(json, &parseError);
    if (parseError.error != QJsonParseError::NoError)
        return fail<Scenario>(error, QStringLiteral("not valid JSON at offset %1: %2")
                                         .arg(parseError.offset)
                                         .arg(parseError.errorString()));
    if (!document.isObject() || !document.object().value(QLatin1String("devices")).isArray())
        return fail<Scenario>(error, QStringLiteral("a scenario is an object with a \"devices\" array"));
    const QJsonObject root = document.object();

    Scenario scenario;
    scenario.seed = static_cast<std::uint64_t>(root.value(QLatin1String("seed")).toInteger(1));
    scenario.checksum = root.value(QLatin1String("checksum")).toBool(false);
    scenario.conversionScale = root.value(QLatin1String("conversionScale")).toDouble(0.0);
    if (scenario.conversionScale < 0)
        return fail<Scenario>(error, QStringLiteral("\"conversionScale\" is 0 or more"));
    const QString adapter = root.value(QLatin1String("adapter")).toString(QStringLiteral("normal"));
    if (adapter == QLatin1String("silent"))
        scenario.adapter = AdapterMode::Silent;
    else if (adapter != QLatin1String("normal"))
        return fail<Scenario>(error, QStringLiteral("\"adapter\" is \"normal\" or \"silent\""));

    std::set<RomId> seen;
    for (const QJsonValue& entry : root.value(QLatin1String("devices")).toArray()) {
        if (!entry.isObject())
            return fail<Scenario>(error, QStringLiteral("each device is an object"));
        const auto config = deviceFromJson(entry.toObject(), error);
        if (!config)
            return std::nullopt;
        if (!seen.insert(config->rom).second)
            return fail<Scenario>(error, QStringLiteral("device %1 is listed twice").arg(config->rom.text()));
        if (!config->rom.crcValid())
            scenario.warnings << QStringLiteral("device %1: its CRC does not match (a valid id would be %2)")
                                     .arg(config->rom.text(), config->rom.withCrcFixed().text());
        scenario.devices.push_back(*config);
    }
    return scenario;
}

std::optional<Scenario> Scenario::fromFile(const QString& path, QString* error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fail<Scenario>(error, QStringLiteral("cannot read %1: %2").arg(path, file.errorString()));
    return fromJson(file.readAll(), error);
}

} // namespace kelvara::sim
