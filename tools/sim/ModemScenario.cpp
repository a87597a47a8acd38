#include "sim/ModemScenario.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>

namespace kelvara::sim {

namespace {
std::optional<ModemScenario> fail(QString* error, const QString& text) {
    if (error)
        *error = text;
    return std::nullopt;
}

bool allDigits(const QString& text) {
    return !text.isEmpty() && std::all_of(text.begin(), text.end(), [](QChar c) { return c.isDigit(); });
}

// A number of seconds, 0 or more; the default when the key is missing.
std::optional<double> seconds(const QJsonObject& root, const char* key, double fallback) {
    const QJsonValue value = root.value(QLatin1String(key));
    if (value.isUndefined())
        return fallback;
    if (!value.isDouble() || value.toDouble() < 0)
        return std::nullopt;
    return value.toDouble();
}

std::optional<NumberConfig> numberFromJson(const QJsonObject& entry, QString* why) {
    NumberConfig number;
    const QString centre = entry.value(QLatin1String("centre")).toString();
    const bool pager = entry.value(QLatin1String("pager")).toBool(false);
    if (entry.contains(QLatin1String("centre")) && pager) {
        *why = QStringLiteral("is a centre or a pager, not both");
        return std::nullopt;
    }
    if (centre == QLatin1String("tap"))
        number.farEnd = FarEndKind::Tap;
    else if (centre == QLatin1String("ucp"))
        number.farEnd = FarEndKind::Ucp;
    else if (entry.contains(QLatin1String("centre"))) {
        *why = QStringLiteral("\"centre\" is \"tap\" or \"ucp\"");
        return std::nullopt;
    } else if (pager)
        number.farEnd = FarEndKind::Pager;

    const QJsonValue password = entry.value(QLatin1String("password"));
    if (!password.isUndefined() && !password.isString()) {
        *why = QStringLiteral("\"password\" is a string");
        return std::nullopt;
    }
    number.password = password.toString().toLatin1();

    const QString faultName = entry.value(QLatin1String("fault")).toString(QStringLiteral("none"));
    const auto fault = ModemScenario::lineFaultFromName(faultName);
    if (!fault) {
        *why = QStringLiteral("unknown fault \"%1\"").arg(faultName);
        return std::nullopt;
    }
    number.fault = *fault;
    if (number.farEnd == FarEndKind::Nothing && number.fault == LineFault::None) {
        *why = QStringLiteral("needs a \"centre\", \"pager\" or \"fault\"");
        return std::nullopt;
    }
    return number;
}
} // namespace

std::optional<ModemFault> ModemScenario::modemFaultFromName(QStringView name) {
    if (name == u"none")
        return ModemFault::None;
    if (name == u"silent")
        return ModemFault::Silent;
    if (name == u"no-dialtone")
        return ModemFault::NoDialtone;
    if (name == u"reject")
        return ModemFault::Reject;
    return std::nullopt;
}

std::optional<LineFault> ModemScenario::lineFaultFromName(QStringView name) {
    static const std::pair<const char16_t*, LineFault> kNames[] = {
        {u"none", LineFault::None},          {u"busy", LineFault::Busy},
        {u"no-answer", LineFault::NoAnswer}, {u"no-carrier", LineFault::NoCarrier},
        {u"silent", LineFault::Silent},      {u"nak", LineFault::Nak},
        {u"reject", LineFault::Reject},
    };
    for (const auto& [text, fault] : kNames) {
        if (name == QStringView(text))
            return fault;
    }
    return std::nullopt;
}

std::optional<ModemScenario> ModemScenario::fromJson(const QByteArray& json, QString* error) {
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(json, &parseError);
    if (parseError.error != QJsonParseError::NoError)
        return fail(error, QStringLiteral("not valid JSON at offset %1: %2")
                               .arg(parseError.offset)
                               .arg(parseError.errorString()));
    if (!document.isObject())
        return fail(error, QStringLiteral("a modem file is a JSON object"));
    const QJsonObject root = document.object();

    ModemScenario scenario;
    const QString kind = root.value(QLatin1String("modem")).toString();
    if (kind == QLatin1String("gsm"))
        scenario.kind = ModemKind::Gsm;
    else if (kind == QLatin1String("hayes"))
        scenario.kind = ModemKind::Hayes;
    else
        return fail(error, QStringLiteral("\"modem\" is \"gsm\" or \"hayes\""));

    const QJsonValue pin = root.value(QLatin1String("pin"));
    if (!pin.isUndefined() && !pin.isBool())
        return fail(error, QStringLiteral("\"pin\" is true or false"));
    scenario.pin = pin.toBool(false);

    const auto dial = seconds(root, "dialSeconds", scenario.dialSeconds);
    const auto late = seconds(root, "lateSeconds", scenario.lateSeconds);
    if (!dial || !late)
        return fail(error, QStringLiteral("\"dialSeconds\" and \"lateSeconds\" are seconds, 0 or more"));
    scenario.dialSeconds = *dial;
    scenario.lateSeconds = *late;

    const QString faultName = root.value(QLatin1String("fault")).toString(QStringLiteral("none"));
    const auto fault = modemFaultFromName(faultName);
    if (!fault)
        return fail(error, QStringLiteral("unknown modem fault \"%1\"").arg(faultName));
    scenario.fault = *fault;

    const QJsonValue numbers = root.value(QLatin1String("numbers"));
    if (!numbers.isUndefined() && !numbers.isObject())
        return fail(error, QStringLiteral("\"numbers\" is an object keyed by number"));
    const QJsonObject list = numbers.toObject();
    for (auto it = list.begin(); it != list.end(); ++it) {
        if (!allDigits(it.key()))
            return fail(error, QStringLiteral("number \"%1\" is not all digits").arg(it.key()));
        if (!it.value().isObject())
            return fail(error, QStringLiteral("number %1 is not an object").arg(it.key()));
        QString why;
        const auto number = numberFromJson(it.value().toObject(), &why);
        if (!number)
            return fail(error, QStringLiteral("number %1: %2").arg(it.key(), why));
        scenario.numbers[it.key().toLatin1()] = *number;
    }
    return scenario;
}

std::optional<ModemScenario> ModemScenario::fromFile(const QString& path, QString* error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fail(error, QStringLiteral("cannot read %1: %2").arg(path, file.errorString()));
    return fromJson(file.readAll(), error);
}

} // namespace kelvara::sim
