#pragma once

#include "sim/Simulator.h"

#include <QString>
#include <QStringView>

namespace kelvara::sim {

// The simulator's control language: one line in, one line out. Changes a device's course, output or faults
// while the bus runs, reads a device back, and sets the adapter's behaviour and the scenario clock. The
// commands are listed in the simulator's README.
class ControlCommands {
public:
    explicit ControlCommands(Simulator& simulator) : m_sim(simulator) {}

    [[nodiscard]] QString execute(QStringView line);

private:
    [[nodiscard]] QString set(Device& device, const QString& property, const QString& value);
    [[nodiscard]] QString fault(Device& device, const QStringList& words);
    [[nodiscard]] QString adapter(const QString& mode);
    [[nodiscard]] QString time(const QString& value);
    [[nodiscard]] QString add(const QString& json);

    Simulator& m_sim;
};

} // namespace kelvara::sim
