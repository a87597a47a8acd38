#pragma once

#include "sim/AdapterMode.h"
#include "sim/DeviceConfig.h"

#include <QByteArray>
#include <QJsonObject>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>
#include <vector>

namespace kelvara::sim {

// A scenario file: the devices on the bus with their courses and faults, the generator's seed and the
// adapter's starting behaviour. The keys are described in the simulator's README.
struct Scenario {
    std::vector<DeviceConfig> devices;
    std::uint64_t seed = 1;
    AdapterMode adapter = AdapterMode::Normal;
    bool checksum = false;
    // A thermometer's conversion takes its own time multiplied by this; 0 ends every conversion at once.
    double conversionScale = 0.0;
    // Things worth telling the user that do not stop the run (a ROM id whose CRC does not match).
    QStringList warnings;

    [[nodiscard]] static std::optional<Scenario> fromJson(const QByteArray& json, QString* error);
    [[nodiscard]] static std::optional<Scenario> fromFile(const QString& path, QString* error);
    // One entry of "devices"; also what the control channel's add command takes.
    [[nodiscard]] static std::optional<DeviceConfig> deviceFromJson(const QJsonObject& object,
                                                                    QString* error);
};

} // namespace kelvara::sim
