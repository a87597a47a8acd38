#pragma once

#include "sim/Device.h"
#include "sim/Environment.h"

#include <QByteArray>
#include <QByteArrayView>
#include <memory>
#include <vector>

namespace kelvara::sim {

// The 1-Wire line: the devices on it answer a reset with their presence pulse and share each time slot as a
// wired AND with the master. A device whose absent fault is active is off the line.
class Bus {
public:
    // Adds a device; one with the same ROM id is replaced.
    Device& add(std::unique_ptr<Device> device);
    bool remove(const RomId& rom);
    [[nodiscard]] Device* find(const RomId& rom) const;
    [[nodiscard]] const std::vector<std::unique_ptr<Device>>& devices() const { return m_devices; }
    [[nodiscard]] bool onLine(const Device& device, double now) const;
    // The devices on the line that listen to function commands now.
    [[nodiscard]] std::vector<Device*> selectedDevices(double now) const;

    // Reset pulse; true when some device answered with a presence pulse.
    bool reset(Environment& env);
    // One time slot: the master writes a 0, or writes a 1 and reads the line.
    bool touchBit(bool written, Environment& env);
    std::uint8_t touchByte(std::uint8_t written, Environment& env);
    QByteArray touchBytes(QByteArrayView written, Environment& env);

private:
    std::vector<std::unique_ptr<Device>> m_devices;
};

} // namespace kelvara::sim
