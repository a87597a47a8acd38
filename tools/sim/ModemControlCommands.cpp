#include "sim/ModemControlCommands.h"

#include <QRegularExpression>
#include <algorithm>

namespace kelvara::sim {

namespace {
const QString kOk = QStringLiteral("ok");
const QString kHelp =
    QStringLiteral("commands: ping | messages | late SECONDS | "
                   "modem fault none|silent|no-dialtone|reject | "
                   "number DIGITS fault none|busy|no-answer|no-carrier|silent|nak|reject | path");

QString error(const QString& text) {
    return QStringLiteral("error: ") + text;
}
} // namespace

QString ModemControlCommands::execute(QStringView line) {
    const QStringList words =
        line.toString().toLower().split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
    if (words.isEmpty())
        return error(QStringLiteral("empty command"));
    const QString& verb = words[0];
    if (verb == QLatin1String("ping") && words.size() == 1)
        return kOk;
    if (verb == QLatin1String("help"))
        return kHelp;
    if (verb == QLatin1String("messages") && words.size() == 1)
        return QString::number(m_modem.messages().size());
    if (verb == QLatin1String("late") && words.size() == 2) {
        bool ok = false;
        const double seconds = words[1].toDouble(&ok);
        if (!ok || seconds < 0)
            return error(QStringLiteral("late takes seconds, 0 or more"));
        m_modem.config().lateSeconds = seconds;
        return kOk;
    }
    if (verb == QLatin1String("modem") && words.size() == 3 && words[1] == QLatin1String("fault")) {
        const auto fault = ModemScenario::modemFaultFromName(words[2]);
        if (!fault)
            return error(QStringLiteral("a modem fault is none, silent, no-dialtone or reject"));
        m_modem.config().fault = *fault;
        return kOk;
    }
    if (verb == QLatin1String("number") && words.size() == 4 && words[2] == QLatin1String("fault"))
        return numberFault(words[1], words[3]);
    return error(QStringLiteral("unknown command \"%1\"; try help").arg(line.trimmed()));
}

QString ModemControlCommands::numberFault(const QString& digits, const QString& kind) {
    if (digits.isEmpty() || !std::all_of(digits.begin(), digits.end(), [](QChar c) { return c.isDigit(); }))
        return error(QStringLiteral("\"%1\" is not a number of digits").arg(digits));
    const auto fault = ModemScenario::lineFaultFromName(kind);
    if (!fault)
        return error(
            QStringLiteral("a number's fault is none, busy, no-answer, no-carrier, silent, nak or reject"));
    // A number not in the list gets an entry with nothing behind it, so its fault has something to hang on.
    m_modem.config().numbers[digits.toLatin1()].fault = *fault;
    return kOk;
}

} // namespace kelvara::sim
