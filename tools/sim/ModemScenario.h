#pragma once

#include "sim/ModemKind.h"
#include "sim/NumberConfig.h"

#include <QByteArray>
#include <QString>
#include <QStringView>
#include <map>
#include <optional>

namespace kelvara::sim {

// A modem file: which modem, its timing and faults, and what answers each number. The keys are described in
// the simulator's README.
struct ModemScenario {
    ModemKind kind = ModemKind::Gsm;
    bool pin = false;
    double dialSeconds = 0.5;
    double lateSeconds = 0.0;
    ModemFault fault = ModemFault::None;
    // Keyed by the digits a dial string holds before its first comma.
    std::map<QByteArray, NumberConfig> numbers;

    [[nodiscard]] static std::optional<ModemScenario> fromJson(const QByteArray& json, QString* error);
    [[nodiscard]] static std::optional<ModemScenario> fromFile(const QString& path, QString* error);

    [[nodiscard]] static std::optional<ModemFault> modemFaultFromName(QStringView name);
    [[nodiscard]] static std::optional<LineFault> lineFaultFromName(QStringView name);
};

} // namespace kelvara::sim
