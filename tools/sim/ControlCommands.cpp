#include "sim/ControlCommands.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

namespace kelvara::sim {

namespace {
const QString kOk = QStringLiteral("ok");

QString error(const QString& text) {
    return QStringLiteral("error: ") + text;
}

// The rest of the line after the first `count` words, for arguments that may hold spaces (JSON).
QString restAfter(QStringView line, int count) {
    qsizetype at = 0;
    for (int word = 0; word < count; ++word) {
        while (at < line.size() && line[at].isSpace())
            ++at;
        while (at < line.size() && !line[at].isSpace())
            ++at;
    }
    return line.sliced(at).trimmed().toString();
}

std::optional<Course> courseFrom(const QString& text, QString* why) {
    bool isNumber = false;
    const double value = text.toDouble(&isNumber);
    if (isNumber)
        return Course::constant(value);
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(text.toUtf8(), &parseError);
    if (parseError.error != QJsonParseError::NoError || !document.isObject()) {
        *why = QStringLiteral("expected a number or a course object");
        return std::nullopt;
    }
    return Course::fromJson(document.object(), why);
}

const QString kHelp = QStringLiteral(
    "commands: ping | list | get ROM | set ROM temperature|course|coldjunction VALUE | set ROM on|off | "
    "fault ROM none|absent|allf|poweron|garbled [PROBABILITY] | fault ROM delay MS [PROBABILITY] | "
    "adapter normal|silent|closed | checksum on|off | time [SECONDS|real] | seed N | add JSON | remove ROM | "
    "crc ROM | path");
} // namespace

QString ControlCommands::execute(QStringView line) {
    const QStringList words =
        line.toString().split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
    if (words.isEmpty())
        return error(QStringLiteral("empty command"));
    const QString verb = words[0].toLower();

    if (verb == QLatin1String("ping"))
        return kOk;
    if (verb == QLatin1String("help"))
        return kHelp;
    if (verb == QLatin1String("list")) {
        QStringList roms;
        for (const auto& d : m_sim.bus().devices())
            roms << d->rom().text();
        return roms.join(QLatin1Char(' '));
    }
    if (verb == QLatin1String("adapter") && words.size() == 2)
        return adapter(words[1].toLower());
    if (verb == QLatin1String("checksum") && words.size() == 2) {
        const QString value = words[1].toLower();
        if (value != QLatin1String("on") && value != QLatin1String("off"))
            return error(QStringLiteral("checksum takes on or off"));
        m_sim.adapter().setChecksumAnswers(value == QLatin1String("on"));
        return kOk;
    }
    if (verb == QLatin1String("time"))
        return time(words.size() > 1 ? words[1].toLower() : QString());
    if (verb == QLatin1String("seed") && words.size() == 2) {
        bool ok = false;
        const qulonglong seed = words[1].toULongLong(&ok);
        if (!ok)
            return error(QStringLiteral("seed takes a whole number"));
        m_sim.environment().random.reseed(seed);
        return kOk;
    }
    if (verb == QLatin1String("add"))
        return add(restAfter(line, 1));

    // The rest name a device.
    if (words.size() < 2)
        return error(QStringLiteral("unknown command \"%1\"; try help").arg(line.trimmed()));
    const auto rom = RomId::fromText(words[1]);
    if (!rom)
        return error(QStringLiteral("\"%1\" is not a ROM id").arg(words[1]));
    if (verb == QLatin1String("crc"))
        return rom->withCrcFixed().text();
    Device* device = m_sim.bus().find(*rom);
    if (!device)
        return error(QStringLiteral("no device %1").arg(rom->text()));
    if (verb == QLatin1String("get"))
        return rom->text() + QLatin1Char(' ') + device->describe(m_sim.now());
    if (verb == QLatin1String("remove")) {
        m_sim.bus().remove(*rom);
        return kOk;
    }
    if (verb == QLatin1String("set") && words.size() >= 3) {
        const QString property = words[2].toLower();
        return set(*device, property,
                   property == QLatin1String("on") || property == QLatin1String("off") ? QString()
                                                                                       : restAfter(line, 3));
    }
    if (verb == QLatin1String("fault") && words.size() >= 3)
        return fault(*device, words.mid(2));
    return error(QStringLiteral("unknown command \"%1\"; try help").arg(line.trimmed()));
}

QString ControlCommands::set(Device& device, const QString& property, const QString& value) {
    if (property == QLatin1String("on") || property == QLatin1String("off")) {
        if (!device.setOutput(property == QLatin1String("on")))
            return error(QStringLiteral("%1 is not a switch").arg(device.rom().text()));
        return kOk;
    }
    QString why;
    const auto course = courseFrom(value, &why);
    if (!course)
        return error(why);
    bool done = false;
    if (property == QLatin1String("temperature") || property == QLatin1String("course"))
        done = device.setCourse(*course);
    else if (property == QLatin1String("coldjunction"))
        done = device.setColdJunction(*course);
    else
        return error(QStringLiteral("unknown property \"%1\"").arg(property));
    if (!done)
        return error(QStringLiteral("%1 has no %2").arg(device.rom().text(), property));
    return kOk;
}

QString ControlCommands::fault(Device& device, const QStringList& words) {
    const QString name = words[0].toLower();
    if (name == QLatin1String("none")) {
        device.faults().clear();
        return kOk;
    }
    const auto kind = FaultPlan::kindFromName(name);
    if (!kind)
        return error(QStringLiteral("unknown fault \"%1\"").arg(name));
    Fault fault;
    fault.kind = *kind;
    qsizetype next = 1;
    bool ok = true;
    if (fault.kind == FaultKind::Delay) {
        fault.delayMs = words.size() > 1 ? words[1].toInt(&ok) : 0;
        if (!ok || fault.delayMs <= 0)
            return error(QStringLiteral("delay takes a number of milliseconds"));
        next = 2;
    }
    if (words.size() > next) {
        fault.probability = words[next].toDouble(&ok);
        if (!ok || fault.probability < 0 || fault.probability > 1)
            return error(QStringLiteral("a probability is between 0 and 1"));
    }
    device.faults().clear();
    device.faults().add(fault);
    return kOk;
}

QString ControlCommands::adapter(const QString& mode) {
    if (mode == QLatin1String("normal"))
        m_sim.adapter().setMode(AdapterMode::Normal);
    else if (mode == QLatin1String("silent"))
        m_sim.adapter().setMode(AdapterMode::Silent);
    else if (mode == QLatin1String("closed"))
        m_sim.adapter().setMode(AdapterMode::Closed);
    else
        return error(QStringLiteral("adapter takes normal, silent or closed"));
    return kOk;
}

QString ControlCommands::time(const QString& value) {
    if (value.isEmpty())
        return QString::number(m_sim.now());
    if (value == QLatin1String("real")) {
        m_sim.freezeTime(std::nullopt);
        return kOk;
    }
    bool ok = false;
    const double seconds = value.toDouble(&ok);
    if (!ok)
        return error(QStringLiteral("time takes seconds or real"));
    m_sim.freezeTime(seconds);
    return kOk;
}

QString ControlCommands::add(const QString& json) {
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(json.toUtf8(), &parseError);
    if (parseError.error != QJsonParseError::NoError || !document.isObject())
        return error(QStringLiteral("add takes one device object in JSON"));
    QString why;
    const auto config = Scenario::deviceFromJson(document.object(), &why);
    if (!config)
        return error(why);
    m_sim.addDevice(*config);
    return kOk;
}

} // namespace kelvara::sim
