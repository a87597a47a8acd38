#include "cook/ThermoAnswer.h"

namespace kelvara::cook::ThermoAnswer {

namespace {

const QString kReserved = QStringLiteral("FFFFFFFFFFFF");

// The text without the carriage return that closed the exchange.
QString body(const QString& answer) {
    return answer.endsWith(QLatin1Char('\r')) ? answer.chopped(1) : answer;
}

// A word of four hex digits as the device's signed 16-bit value.
std::optional<qint16> word(const QString& digits) {
    bool ok = false;
    const uint value = digits.toUInt(&ok, 16);
    if (!ok || digits.size() != 4)
        return std::nullopt;
    return static_cast<qint16>(static_cast<quint16>(value));
}

} // namespace

bool accepted(const QString& answer) {
    const QString text = body(answer);
    return text.mid(12, 12) == kReserved && text.mid(12, 16) != kReserved + QStringLiteral("FFFF");
}

std::optional<ThermoRegisters> decode(const QString& answer) {
    const QString text = body(answer).toUpper();
    if (text.size() < kAnswerLength || text.startsWith(QStringLiteral("FFFFFFFFFF")))
        return std::nullopt;
    const QString currentDigits = text.mid(4, 4);
    const QString temperatureDigits = text.right(4);
    if (currentDigits == QStringLiteral("FFFF") || temperatureDigits == QStringLiteral("FFFF"))
        return std::nullopt;
    const auto current = word(currentDigits);
    const auto temperature = word(temperatureDigits);
    if (!current || !temperature)
        return std::nullopt;
    // Arithmetic shifts keep the sign: FFF8 is one count below zero, FFE0 too.
    ThermoRegisters registers;
    registers.emfMicrovolts = static_cast<double>(*current >> 3) * kMicrovoltsPerCount;
    registers.coldJunctionCelsius = static_cast<double>(*temperature >> 5) * kCelsiusPerCount;
    return registers;
}

} // namespace kelvara::cook::ThermoAnswer
